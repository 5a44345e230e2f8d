#pragma once
// The text shown for a COM result that comes without a description of its own.

#include <windows.h>

#include <string>

namespace platform {

// The system's text (FormatMessage), without its line end. Where the system has none (Wine
// has no texts for the automation results), Windows' English text of the common COM and
// dispatch results; else "Automation error" and the number in hexadecimal.
std::string comErrorText(HRESULT result);

}  // namespace platform
