#pragma once
// A Windows single-byte code page on a system without Windows: glibc's iconv supplies
// the characters, a 256-entry table built once per code page does the converting.

#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "platform/CodePage.h"

namespace platform {

class IconvCodePage final : public CodePage {
public:
    // Byte to code point, and the same pairs sorted by code point for the way back.
    struct Tables {
        std::array<char32_t, 256> toUnicode{};
        std::vector<std::pair<char32_t, unsigned char>> fromUnicode;
    };

    // The code page `number` (874, 1250 ...); null when iconv does not know it or it is
    // not a single-byte code page.
    static std::unique_ptr<IconvCodePage> create(int number);

    IconvCodePage(int number, std::shared_ptr<const Tables> tables);

    int number() const override { return number_; }
    std::string toAnsi(std::string_view utf8) const override;
    std::string fromAnsi(std::string_view ansi) const override;

private:
    int number_;
    std::shared_ptr<const Tables> tables_;
};

}  // namespace platform
