#pragma once
// COM failures turned into the AutomationError a script's error object would show.

#include <oaidl.h>

#include <string>

namespace platform::comerror {

// A failure without exception information: the HRESULT, `source`, its text.
[[noreturn]] void throwResult(HRESULT result, const std::string& source);

// A member that raised (DISP_E_EXCEPTION): what the object filled into `info`, completed
// where the object left it out. Frees the texts in `info`.
[[noreturn]] void throwException(EXCEPINFO& info, const std::string& source);

}  // namespace platform::comerror
