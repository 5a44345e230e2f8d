#include "store/RC4_Calc.h"

#include <array>
#include <numeric>
#include <utility>

#include "platform/CodePage.h"
#include "platform/Utf8.h"
#include "store/TextSafeBytes.h"

namespace RC4_Calc {

namespace {

using Permutation = std::array<std::uint8_t, 256>;

Permutation scheduleKey(std::span<const std::uint8_t> key) {
    Permutation s;
    std::iota(s.begin(), s.end(), std::uint8_t{0});
    std::uint8_t j = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const std::uint8_t k = key.empty() ? 0 : key[i % key.size()];
        j = static_cast<std::uint8_t>(j + s[i] + k);
        std::swap(s[i], s[j]);
    }
    return s;
}

void appendUtf16LowBytes(std::vector<std::uint8_t>& out, char32_t codePoint) {
    if (codePoint < 0x10000) {
        out.push_back(static_cast<std::uint8_t>(codePoint));
        return;
    }
    const char32_t offset = codePoint - 0x10000;
    out.push_back(static_cast<std::uint8_t>(0xD800 + (offset >> 10)));
    out.push_back(static_cast<std::uint8_t>(0xDC00 + (offset & 0x3FF)));
}

}  // namespace

std::vector<std::uint8_t> keyBytes(std::string_view key) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t pos = 0; pos < key.size();) {
        const auto decoded = platform::utf8::decodeAt(key, pos);
        if (decoded.valid) {
            appendUtf16LowBytes(bytes, decoded.codePoint);
        } else {
            bytes.push_back(static_cast<std::uint8_t>(key[pos]));
        }
        pos += decoded.length;
    }
    return bytes;
}

std::string crypt(std::string_view data, std::span<const std::uint8_t> key) {
    Permutation s = scheduleKey(key);
    std::string result(data);
    std::uint8_t i = 0;
    std::uint8_t j = 0;
    for (char& c : result) {
        i = static_cast<std::uint8_t>(i + 1);
        j = static_cast<std::uint8_t>(j + s[i]);
        std::swap(s[i], s[j]);
        const std::uint8_t k = s[static_cast<std::uint8_t>(s[i] + s[j])];
        c = static_cast<char>(static_cast<std::uint8_t>(c) ^ k);
    }
    return result;
}

std::string RC4Crypt(const std::string& text, const std::string& key) {
    const auto& codePage = platform::ansiCodePage();
    return codePage.fromAnsi(crypt(codePage.toAnsi(text), keyBytes(key)));
}

std::string EncryptPassword(const std::string& password) {
    const auto& page = platform::ansiCodePage();
    const std::string bytes = crypt(page.toAnsi(password), keyBytes(PasswordKey));
    return page.fromAnsi(store::toTextSafe(bytes, page));
}

std::string DecryptPassword(const std::string& stored) {
    const auto& page = platform::ansiCodePage();
    const std::string bytes = store::fromTextSafe(page.toAnsi(stored), page);
    return page.fromAnsi(crypt(bytes, keyBytes(PasswordKey)));
}

}  // namespace RC4_Calc
