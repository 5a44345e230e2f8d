#include "tools/reg/AnsiText.h"

#include "platform/CodePage.h"
#include "tools/reg/RegToolError.h"

namespace regtool {

std::string toAnsiExactly(std::string_view utf8, std::string_view what) {
    const platform::CodePage& codePage = platform::ansiCodePage();
    std::string ansi = codePage.toAnsi(utf8);
    if (codePage.fromAnsi(ansi) != utf8) {
        throw RegToolError(std::string(what) + " holds characters that code page " +
                           std::to_string(codePage.number()) + " cannot store");
    }
    return ansi;
}

std::string fromAnsi(std::string_view ansi) {
    return platform::ansiCodePage().fromAnsi(ansi);
}

}  // namespace regtool
