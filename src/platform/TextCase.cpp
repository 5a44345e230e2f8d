#include "platform/TextCase.h"

#include "platform/Utf8.h"

namespace platform {

namespace {

// Simple (one to one) Unicode upper-case mappings of the Latin, Greek and Cyrillic
// letters that the Windows single-byte code pages can hold. Letters whose upper case
// takes two characters (ß, ŉ, ΐ, ΰ) stay as they are, as Windows leaves them.

bool inRange(char32_t c, char32_t first, char32_t last) {
    return c >= first && c <= last;
}

// Blocks where upper and lower case alternate: the upper-case letter sits at the even
// code point when `upperEven`, else at the odd one.
char32_t upperOfPair(char32_t c, bool upperEven) {
    const bool isEven = (c % 2) == 0;
    return isEven == upperEven ? c : c - 1;
}

char32_t upperLatin(char32_t c) {
    if (inRange(c, 'a', 'z')) {
        return c - 0x20;
    }
    if (c == 0x00B5) {
        return 0x039C;  // micro sign -> Greek capital mu
    }
    if (inRange(c, 0x00E0, 0x00FE) && c != 0x00F7) {
        return c - 0x20;
    }
    if (c == 0x00FF) {
        return 0x0178;
    }
    if (c == 0x0131) {
        return 'I';  // dotless i
    }
    if (c == 0x017F) {
        return 'S';  // long s
    }
    // U+0200..U+021F holds the Romanian letters with comma below (ș, ț).
    if (inRange(c, 0x0100, 0x0137) || inRange(c, 0x014A, 0x0177) || inRange(c, 0x0200, 0x021F)) {
        return upperOfPair(c, true);
    }
    if (inRange(c, 0x0139, 0x0148) || inRange(c, 0x0179, 0x017E)) {
        return upperOfPair(c, false);
    }
    switch (c) {
        case 0x0192:
            return 0x0191;  // f with hook (cp1252)
        case 0x01A1:
            return 0x01A0;  // o with horn (cp1258)
        case 0x01B0:
            return 0x01AF;  // u with horn (cp1258)
        default:
            return c;
    }
}

char32_t upperGreek(char32_t c) {
    if (inRange(c, 0x03B1, 0x03CB)) {
        // Final sigma (U+03C2) joins sigma; U+03A2 is unassigned.
        return c == 0x03C2 ? 0x03A3 : c - 0x20;
    }
    if (inRange(c, 0x03AD, 0x03AF)) {
        return c - 0x25;
    }
    if (inRange(c, 0x037B, 0x037D)) {
        return c + 0x82;
    }
    if (inRange(c, 0x03D8, 0x03EF)) {
        return upperOfPair(c, true);
    }
    switch (c) {
        case 0x0371:
            return 0x0370;
        case 0x0373:
            return 0x0372;
        case 0x0377:
            return 0x0376;
        case 0x03AC:
            return 0x0386;
        case 0x03CC:
            return 0x038C;
        case 0x03CD:
            return 0x038E;
        case 0x03CE:
            return 0x038F;
        case 0x03D0:
            return 0x0392;
        case 0x03D1:
            return 0x0398;
        case 0x03D5:
            return 0x03A6;
        case 0x03D6:
            return 0x03A0;
        case 0x03D7:
            return 0x03CF;
        case 0x03F0:
            return 0x039A;
        case 0x03F1:
            return 0x03A1;
        case 0x03F2:
            return 0x03F9;
        case 0x03F3:
            return 0x037F;
        case 0x03F5:
            return 0x0395;
        case 0x03F8:
            return 0x03F7;
        case 0x03FB:
            return 0x03FA;
        default:
            return c;
    }
}

char32_t upperCyrillic(char32_t c) {
    if (inRange(c, 0x0430, 0x044F)) {
        return c - 0x20;
    }
    if (inRange(c, 0x0450, 0x045F)) {
        return c - 0x50;
    }
    if (c == 0x04CF) {
        return 0x04C0;  // palochka
    }
    if (inRange(c, 0x0460, 0x0481) || inRange(c, 0x048A, 0x04BF) || inRange(c, 0x04D0, 0x052F)) {
        return upperOfPair(c, true);
    }
    if (inRange(c, 0x04C1, 0x04CE)) {
        return upperOfPair(c, false);
    }
    return c;
}

char32_t upperOf(char32_t c) {
    if (c < 0x0250) {
        return upperLatin(c);
    }
    if (inRange(c, 0x0370, 0x03FF)) {
        return upperGreek(c);
    }
    if (inRange(c, 0x0400, 0x052F)) {
        return upperCyrillic(c);
    }
    return c;
}

}  // namespace

std::string upperCase(std::string_view utf8) {
    std::string result;
    result.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto decoded = utf8::decodeAt(utf8, pos);
        if (decoded.valid) {
            utf8::append(result, upperOf(decoded.codePoint));
        } else {
            result += utf8[pos];
        }
        pos += decoded.length;
    }
    return result;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    return upperCase(a) == upperCase(b);
}

}  // namespace platform
