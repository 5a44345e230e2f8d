#include "mapi/ProfileDiscovery.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "platform/AppInfo.h"
#include "platform/CodePage.h"
#include "platform/OsVersion.h"
#include "platform/Prompts.h"
#include "platform/Registry.h"
#include "platform/Utf8.h"
#include "registry/RegistryErrorText.h"
#include "registry/modRegistryAccess.h"

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

void showRegistryError(platform::LSTATUS status) {
    platform::prompts().messageBox(RegistryErrorText(status), platform::msgbox::kOkOnly,
                                   platform::kApplicationTitle);
}

// Registry names are at most 255 characters: a store that keeps asking for more room past
// this is broken, and the walk gives up rather than grow the buffers without end.
constexpr std::uint32_t kLongestBuffer = 32767;

// Walks the subkeys of the open key into `profiles`. The buffers start at the sizes the
// key reported and grow while a subkey name does not fit (one created meanwhile).
void listSubkeys(platform::HKEY key, std::vector<std::string>& profiles) {
    platform::Registry& registry = platform::registry();
    platform::KeyInfo info;
    registry.QueryInfoKey(key, &info);
    std::uint32_t nameSize = info.maxSubKeyLen + 1;
    std::uint32_t classSize = info.maxClassLen + 1;
    for (std::uint32_t index = 0;;) {
        std::vector<char> name(nameSize, '\0');
        std::vector<char> cls(classSize, '\0');
        std::uint32_t nameLen = nameSize;
        std::uint32_t classLen = classSize;
        platform::LSTATUS status =
            registry.EnumKeyEx(key, index, name.data(), &nameLen, cls.data(), &classLen);
        if (status == platform::winerror::kMoreData && nameSize <= kLongestBuffer) {
            nameSize += 5;
            classSize += 5;
            continue;
        }
        if (status == platform::winerror::kNoMoreItems) {
            return;
        }
        if (status != platform::winerror::kSuccess) {
            showRegistryError(status);
            return;
        }
        const std::string ansiName(name.begin(), std::find(name.begin(), name.end(), '\0'));
        profiles.push_back(DecodeProfileName(platform::ansiCodePage().fromAnsi(ansiName)));
        ++index;
    }
}

}  // namespace

std::int16_t GetPlatformId() {
    return static_cast<std::int16_t>(platform::osPlatformId());
}

std::string GetProfilesKeyPath(std::int16_t platformId) {
    constexpr std::int16_t kWin32Nt = 2;
    if (platformId == kWin32Nt) {
        return "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows Messaging "
               "Subsystem\\Profiles";
    }
    return "Software\\Microsoft\\Windows Messaging Subsystem\\Profiles";
}

std::string GetProfilesKeyPath() {
    return GetProfilesKeyPath(GetPlatformId());
}

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

void ListProfiles(std::vector<std::string>& profiles, std::string& defaultName) {
    ListProfiles(GetProfilesKeyPath(), profiles, defaultName);
}

void ListProfiles(const std::string& keyPath, std::vector<std::string>& profiles,
                  std::string& defaultName) {
    platform::Registry& registry = platform::registry();
    platform::HKEY key = platform::kNullKey;
    const platform::LSTATUS openStatus =
        registry.OpenKeyEx(platform::kHkeyCurrentUser, platform::ansiCodePage().toAnsi(keyPath),
                           platform::kKeyRead, &key);
    if (openStatus != platform::winerror::kSuccess) {
        // Told once: the reads that follow fail on the null handle without a word.
        showRegistryError(openStatus);
        key = platform::kNullKey;
    }
    modRegistryAccess::RegValue value;
    const modRegistryAccess::RegStatus status =
        modRegistryAccess::ReadOpenKeyValue(key, "DefaultProfile", value);
    defaultName = modRegistryAccess::toText(value);
    if (status == platform::winerror::kSuccess) {
        listSubkeys(key, profiles);
    }
    registry.CloseKey(key);
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
