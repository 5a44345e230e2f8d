#pragma once
// UTF-8 text of the platform interfaces to and from the UTF-16 text of Windows and COM.

#include <oaidl.h>

#include <string>
#include <string_view>

namespace platform::widetext {

// Invalid UTF-8 becomes U+FFFD, as MultiByteToWideChar replaces it.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view wide);

// A new BSTR the caller frees (SysFreeString); null only when memory runs out.
BSTR toBstr(std::string_view utf8);
// A BSTR's whole length counts (it may hold zeros); null is the empty text.
std::string fromBstr(BSTR text);

}  // namespace platform::widetext
