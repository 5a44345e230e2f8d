#include "mapi/ProfileDiscovery.h"

#include <optional>
#include <string_view>

#include "platform/CodePage.h"
#include "platform/OsVersion.h"
#include "platform/Utf8.h"

namespace mapi {

namespace {

constexpr char kGroupStart = '[';
// A group "[XY" stands for N = (code(Y) - 124) * 16 + (code(X) - 112) + 192.
constexpr int kFirstGroupCode = 192;
constexpr int kFirstX = 112;  // 'p'
constexpr int kFirstY = 124;  // '|'
constexpr int kGroupRow = 16;

// The UTF-8 character that starts at `pos` and its length in bytes.
std::string_view characterAt(std::string_view text, std::size_t pos) {
    return text.substr(pos, platform::utf8::decodeAt(text, pos).length);
}

// The character's code in the ANSI code page, or nothing when the code page has no
// single byte that stands for exactly this character.
std::optional<int> ansiCode(std::string_view character) {
    const platform::CodePage& codePage = platform::ansiCodePage();
    const std::string ansi = codePage.toAnsi(character);
    if (ansi.size() != 1 || codePage.fromAnsi(ansi) != character) {
        return std::nullopt;
    }
    return static_cast<unsigned char>(ansi[0]);
}

std::string characterOfCode(int code) {
    return platform::ansiCodePage().fromAnsi(std::string(1, static_cast<char>(code)));
}

// The code that the two characters after a "[" encode, when it is one of 0 to 255.
std::optional<int> groupCode(std::string_view x, std::string_view y) {
    const std::optional<int> codeX = ansiCode(x);
    const std::optional<int> codeY = ansiCode(y);
    if (!codeX || !codeY) {
        return std::nullopt;
    }
    const int code = (*codeY - kFirstY) * kGroupRow + (*codeX - kFirstX) + kFirstGroupCode;
    if (code < 0 || code > 255) {
        return std::nullopt;
    }
    return code;
}

}  // namespace

std::int16_t GetPlatformId() { return static_cast<std::int16_t>(platform::osPlatformId()); }

std::string GetProfilesKeyPath(std::int16_t platformId) {
    constexpr std::int16_t kWin32Nt = 2;
    if (platformId == kWin32Nt) {
        return "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows Messaging "
               "Subsystem\\Profiles";
    }
    return "Software\\Microsoft\\Windows Messaging Subsystem\\Profiles";
}

std::string GetProfilesKeyPath() { return GetProfilesKeyPath(GetPlatformId()); }

std::string DecodeProfileName(const std::string& name) {
    std::string result;
    std::size_t pos = 0;
    while (pos < name.size()) {
        const std::string_view current = characterAt(name, pos);
        pos += current.size();
        if (current != std::string_view(&kGroupStart, 1) || pos >= name.size()) {
            result += current;
            continue;
        }
        const std::string_view x = characterAt(name, pos);
        if (pos + x.size() >= name.size()) {
            result += current;
            continue;
        }
        const std::string_view y = characterAt(name, pos + x.size());
        if (const std::optional<int> code = groupCode(x, y)) {
            result += characterOfCode(*code);
            pos += x.size() + y.size();
        } else {
            // Kept as it stands; its two characters are taken as plain ones next.
            result += current;
        }
    }
    return result;
}

std::string EncodeProfileName(const std::string& name) {
    std::string result;
    std::size_t pos = 0;
    while (pos < name.size()) {
        const std::string_view current = characterAt(name, pos);
        pos += current.size();
        const std::optional<int> code = ansiCode(current);
        if (!code || *code < kFirstGroupCode) {
            result += current;
            continue;
        }
        const int offset = *code - kFirstGroupCode;
        result += kGroupStart;
        result += static_cast<char>(kFirstX + offset % kGroupRow);
        result += static_cast<char>(kFirstY + offset / kGroupRow);
    }
    return result;
}

}  // namespace mapi
