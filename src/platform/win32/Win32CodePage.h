#pragma once
// A Windows code page converted by MultiByteToWideChar and WideCharToMultiByte.

#include "platform/CodePage.h"

namespace platform {

class Win32CodePage final : public CodePage {
public:
    // `conversionPage` is what the conversion functions receive (CP_ACP for the
    // system's page, else the number itself); `number` is what number() reports.
    Win32CodePage(unsigned conversionPage, int number);

    int number() const override { return number_; }
    std::string toAnsi(std::string_view utf8) const override;
    std::string fromAnsi(std::string_view ansi) const override;

private:
    unsigned conversionPage_;
    int number_;
};

}  // namespace platform
