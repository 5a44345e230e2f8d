#include "tools/reg/RegValueText.h"

#include <array>
#include <charconv>
#include <cstdio>

#include "platform/CodePage.h"
#include "tools/reg/AnsiText.h"
#include "tools/reg/RegToolError.h"

namespace regtool {

namespace {

struct TypeSpelling {
    std::uint32_t type;
    const char* name;
};

constexpr std::array<TypeSpelling, 9> kTypeNames{{
    {0, "REG_NONE"},
    {1, "REG_SZ"},
    {2, "REG_EXPAND_SZ"},
    {3, "REG_BINARY"},
    {4, "REG_DWORD"},
    {5, "REG_DWORD_BIG_ENDIAN"},
    {6, "REG_LINK"},
    {7, "REG_MULTI_SZ"},
    {11, "REG_QWORD"},
}};

std::string upperHex(const std::vector<std::uint8_t>& bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const std::uint8_t byte : bytes) {
        text.push_back(kDigits[byte >> 4]);
        text.push_back(kDigits[byte & 0x0F]);
    }
    return text;
}

std::uint32_t littleEndian(const std::vector<std::uint8_t>& bytes) {
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) |
           (static_cast<std::uint32_t>(bytes[3]) << 24);
}

// C0 controls, DEL and the C1 controls (U+0080 to U+009F, which single-byte code pages
// use for their unassigned bytes): an editor or another code page would not keep them.
bool hasControlCharacter(std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        const bool c1 = byte == 0xC2 && i + 1 < utf8.size() &&
                        static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(utf8[i + 1]) <= 0x9F;
        if (byte < 0x20 || byte == 0x7F || c1) {
            return true;
        }
    }
    return false;
}

RegToolError badDword(std::string_view text) {
    return RegToolError("Invalid REG_DWORD data \"" + std::string(text) +
                        "\" (a 32-bit number, decimal or 0x hex)");
}

}  // namespace

std::string typeName(std::uint32_t type) {
    for (const auto& spelling : kTypeNames) {
        if (spelling.type == type) {
            return spelling.name;
        }
    }
    return "REG_UNKNOWN";
}

std::string queryDataText(const RawValue& value) {
    if (value.type == platform::regtype::kSz) {
        const std::string bytes(value.bytes.begin(), value.bytes.end());
        return fromAnsi(bytes.substr(0, bytes.find('\0')));
    }
    if (value.type == platform::regtype::kDword && value.bytes.size() == 4) {
        char text[16];
        std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(littleEndian(value.bytes)));
        return text;
    }
    return upperHex(value.bytes);
}

std::optional<std::string> plainText(const std::vector<std::uint8_t>& bytes) {
    if (bytes.empty() || bytes.back() != 0) {
        return std::nullopt;
    }
    const std::string ansi(bytes.begin(), bytes.end() - 1);
    if (ansi.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    std::string text = fromAnsi(ansi);
    if (hasControlCharacter(text)) {
        return std::nullopt;
    }
    if (platform::ansiCodePage().toAnsi(text) != ansi) {
        return std::nullopt;
    }
    return text;
}

std::uint32_t parseDword(std::string_view text) {
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const bool negative = !hex && !text.empty() && text[0] == '-';
    const std::string_view digits = text.substr(hex ? 2 : negative ? 1 : 0);
    std::uint64_t magnitude = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, magnitude, hex ? 16 : 10);
    if (digits.empty() || error != std::errc() || stop != end) {
        throw badDword(text);
    }
    if (negative ? magnitude > 0x80000000ULL : magnitude > 0xFFFFFFFFULL) {
        throw badDword(text);
    }
    const auto bits = static_cast<std::uint32_t>(magnitude);
    return negative ? 0U - bits : bits;
}

}  // namespace regtool
