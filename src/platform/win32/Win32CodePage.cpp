#include "platform/win32/Win32CodePage.h"

#include <windows.h>

#include <climits>

namespace platform {

namespace {

constexpr int kUtf8 = 65001;

// The conversion functions count in int; longer texts are converted in no piece.
bool fitsInt(std::string_view text) {
    return text.size() <= static_cast<std::size_t>(INT_MAX);
}

std::wstring toWide(unsigned page, std::string_view bytes) {
    if (bytes.empty() || !fitsInt(bytes)) {
        return {};
    }
    const int length = static_cast<int>(bytes.size());
    const int needed = MultiByteToWideChar(page, 0, bytes.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(needed > 0 ? needed : 0), L'\0');
    if (needed > 0) {
        MultiByteToWideChar(page, 0, bytes.data(), length, wide.data(), needed);
    }
    return wide;
}

std::string fromWide(unsigned page, DWORD flags, const std::wstring& wide) {
    if (wide.empty() || wide.size() > static_cast<std::size_t>(INT_MAX)) {
        return {};
    }
    const int length = static_cast<int>(wide.size());
    const int needed =
        WideCharToMultiByte(page, flags, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(needed > 0 ? needed : 0), '\0');
    if (needed > 0) {
        WideCharToMultiByte(page, flags, wide.data(), length, bytes.data(), needed, nullptr,
                            nullptr);
    }
    return bytes;
}

}  // namespace

Win32CodePage::Win32CodePage(unsigned conversionPage, int number)
    : conversionPage_(conversionPage), number_(number) {}

std::string Win32CodePage::toAnsi(std::string_view utf8) const {
    // Without WC_NO_BEST_FIT_CHARS Windows would write "a" for "ā"; a character the
    // code page lacks becomes '?' instead, as everywhere else. UTF-8 takes no flags.
    const DWORD flags = number_ == kUtf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    return fromWide(conversionPage_, flags, toWide(CP_UTF8, utf8));
}

std::string Win32CodePage::fromAnsi(std::string_view ansi) const {
    return fromWide(CP_UTF8, 0, toWide(conversionPage_, ansi));
}

std::unique_ptr<CodePage> createCodePage(int number) {
    CPINFO info{};
    if (number <= 0 || !GetCPInfo(static_cast<UINT>(number), &info) || info.MaxCharSize != 1) {
        return nullptr;
    }
    return std::make_unique<Win32CodePage>(static_cast<unsigned>(number), number);
}

std::unique_ptr<CodePage> createSystemCodePage() {
    return std::make_unique<Win32CodePage>(CP_ACP, static_cast<int>(GetACP()));
}

}  // namespace platform
