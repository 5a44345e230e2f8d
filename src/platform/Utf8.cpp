#include "platform/Utf8.h"

namespace platform::utf8 {

namespace {

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Sequence length announced by a lead byte and the smallest code point that may use
// it; 0 for bytes that cannot start a sequence.
struct Lead {
    std::size_t length;
    char32_t minimum;
    char32_t bits;
};

Lead leadOf(unsigned char byte) {
    if (byte < 0x80) {
        return {1, 0, byte};
    }
    if ((byte & 0xE0) == 0xC0) {
        return {2, 0x80, static_cast<char32_t>(byte & 0x1F)};
    }
    if ((byte & 0xF0) == 0xE0) {
        return {3, 0x800, static_cast<char32_t>(byte & 0x0F)};
    }
    if ((byte & 0xF8) == 0xF0) {
        return {4, 0x10000, static_cast<char32_t>(byte & 0x07)};
    }
    return {0, 0, 0};
}

}  // namespace

Decoded decodeAt(std::string_view text, std::size_t pos) {
    const auto lead = leadOf(static_cast<unsigned char>(text[pos]));
    if (lead.length == 0 || pos + lead.length > text.size()) {
        return {};
    }
    char32_t value = lead.bits;
    for (std::size_t i = 1; i < lead.length; ++i) {
        const auto byte = static_cast<unsigned char>(text[pos + i]);
        if (!isContinuation(byte)) {
            return {};
        }
        value = (value << 6) | (byte & 0x3F);
    }
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    if (value < lead.minimum || value > 0x10FFFF || surrogate) {
        return {};
    }
    return {value, lead.length, true};
}

void append(std::string& out, char32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

}  // namespace platform::utf8
