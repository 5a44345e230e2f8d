#include "store/TextSafeBytes.h"

#include <array>

namespace store {

namespace {

constexpr char kEscape = '\x7F';
constexpr std::string_view kHexDigits = "0123456789ABCDEF";

using SafeBytes = std::array<bool, 256>;

// A byte is safe when it converts to one character that converts back to it, also when
// another byte follows (a lead byte would join that one).
bool standsAlone(unsigned char byte, const platform::CodePage& page) {
    const std::string alone(1, static_cast<char>(byte));
    const std::string one = page.fromAnsi(alone);
    return page.toAnsi(one) == alone && page.fromAnsi(alone + 'A') == one + 'A';
}

// Nothing is escaped when every byte is safe, so that a single-byte code page stores the
// enciphered bytes exactly.
SafeBytes safeBytes(const platform::CodePage& page) {
    SafeBytes safe{};
    bool every = true;
    for (unsigned byte = 0; byte < safe.size(); ++byte) {
        safe[byte] = standsAlone(static_cast<unsigned char>(byte), page);
        every = every && safe[byte];
    }
    if (every) {
        return safe;
    }
    safe[static_cast<unsigned char>(kEscape)] = false;
    return safe;
}

int hexValue(char digit) {
    const auto at = kHexDigits.find(digit);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

}  // namespace

std::string toTextSafe(std::string_view bytes, const platform::CodePage& page) {
    const SafeBytes safe = safeBytes(page);
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (safe[byte]) {
            text += c;
        } else {
            text += kEscape;
            text += kHexDigits[byte >> 4];
            text += kHexDigits[byte & 0x0F];
        }
    }
    return text;
}

std::string fromTextSafe(std::string_view stored, const platform::CodePage& page) {
    if (safeBytes(page)[static_cast<unsigned char>(kEscape)]) {
        return std::string(stored);
    }
    std::string bytes;
    bytes.reserve(stored.size());
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const bool room = i + 2 < stored.size();
        const int high = room ? hexValue(stored[i + 1]) : -1;
        const int low = room ? hexValue(stored[i + 2]) : -1;
        if (stored[i] == kEscape && high >= 0 && low >= 0) {
            bytes += static_cast<char>(high << 4 | low);
            i += 2;
        } else {
            bytes += stored[i];
        }
    }
    return bytes;
}

}  // namespace store
