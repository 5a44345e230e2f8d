#include "platform/posix/mail/MailProfile.h"

#include <vector>

#include "mapi/ProfileDiscovery.h"
#include "platform/CodePage.h"
#include "registry/modRegistryAccess.h"
#include "store/RC4_Calc.h"

namespace mail {

namespace {

using modRegistryAccess::RegValue;
using platform::LSTATUS;

// An open key of the registry, closed when it goes.
class OpenKey {
public:
    OpenKey() = default;
    ~OpenKey() { platform::registry().CloseKey(key_); }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    LSTATUS open(const std::string& path, std::uint32_t access) {
        return platform::registry().OpenKeyEx(platform::kHkeyCurrentUser, ansi(path), access,
                                              &key_);
    }
    LSTATUS create(const std::string& path) {
        return platform::registry().CreateKeyEx(platform::kHkeyCurrentUser, ansi(path),
                                                platform::kKeyWriteAccess, &key_, nullptr);
    }
    platform::HKEY handle() const { return key_; }

private:
    static std::string ansi(const std::string& text) {
        return platform::ansiCodePage().toAnsi(text);
    }

    platform::HKEY key_ = platform::kNullKey;
};

std::string profilePath(const std::string& profileName) {
    return mapi::GetProfilesKeyPath() + "\\" + mapi::EncodeProfileName(profileName);
}

std::string numbered(const char* name, std::size_t number) {
    return name + std::to_string(number);
}

std::string readText(platform::HKEY key, const std::string& name) {
    RegValue value;
    modRegistryAccess::ReadOpenKeyValue(key, name, value);
    return modRegistryAccess::toText(value);
}

LSTATUS writeText(platform::HKEY key, const std::string& name, const std::string& text) {
    return modRegistryAccess::WriteOpenKeyValue(key, name, modRegistryAccess::kRegSz,
                                                RegValue(text));
}

// Deletes every value of the key, so that a rewritten profile keeps no store of before.
LSTATUS clearValues(platform::HKEY key) {
    std::vector<std::string> names;
    for (std::uint32_t index = 0;; ++index) {
        char name[256];
        std::uint32_t length = sizeof name;
        const LSTATUS status =
            platform::registry().EnumValue(key, index, name, &length, nullptr, nullptr, nullptr);
        if (status == platform::winerror::kNoMoreItems) {
            break;
        }
        if (status != platform::winerror::kSuccess) {
            return status;
        }
        names.emplace_back(name, length);
    }
    for (const std::string& name : names) {
        if (const LSTATUS status = platform::registry().DeleteValue(key, name);
            status != platform::winerror::kSuccess) {
            return status;
        }
    }
    return platform::winerror::kSuccess;
}

LSTATUS writeStore(platform::HKEY key, std::size_t number, const ProfileStore& store) {
    LSTATUS status = writeText(key, numbered("StoreURL", number), store.url);
    if (status == 0) {
        status = writeText(key, numbered("StoreName", number), store.name);
    }
    if (status == 0 && !store.account.empty()) {
        status = writeText(key, numbered("StoreAccount", number), store.account);
    }
    if (status == 0 && !store.account.empty()) {
        status = writeText(key, numbered("StorePassword", number),
                           RC4_Calc::EncryptPassword(store.password));
    }
    return status;
}

}  // namespace

std::optional<std::vector<ProfileStore>> readProfile(const std::string& profileName) {
    OpenKey key;
    if (key.open(profilePath(profileName), platform::kKeyRead) != platform::winerror::kSuccess) {
        return std::nullopt;
    }
    std::vector<ProfileStore> stores;
    for (std::size_t number = 1;; ++number) {
        ProfileStore store;
        store.url = readText(key.handle(), numbered("StoreURL", number));
        if (store.url.empty()) {
            break;
        }
        store.name = readText(key.handle(), numbered("StoreName", number));
        store.account = readText(key.handle(), numbered("StoreAccount", number));
        store.password =
            RC4_Calc::DecryptPassword(readText(key.handle(), numbered("StorePassword", number)));
        stores.push_back(std::move(store));
    }
    return stores;
}

LSTATUS writeProfile(const std::string& profileName, const std::vector<ProfileStore>& stores) {
    OpenKey key;
    LSTATUS status = key.create(profilePath(profileName));
    if (status == platform::winerror::kSuccess) {
        status = clearValues(key.handle());
    }
    for (std::size_t i = 0; i < stores.size() && status == platform::winerror::kSuccess; ++i) {
        status = writeStore(key.handle(), i + 1, stores[i]);
    }
    return status;
}

LSTATUS removeProfile(const std::string& profileName) {
    OpenKey profiles;
    const LSTATUS status = profiles.open(mapi::GetProfilesKeyPath(), platform::kKeyWriteAccess);
    if (status != platform::winerror::kSuccess) {
        return status;
    }
    return platform::registry().DeleteKey(
        profiles.handle(), platform::ansiCodePage().toAnsi(mapi::EncodeProfileName(profileName)));
}

LSTATUS setDefaultProfile(const std::string& profileName) {
    OpenKey profiles;
    LSTATUS status = profiles.create(mapi::GetProfilesKeyPath());
    if (status == platform::winerror::kSuccess) {
        status = writeText(profiles.handle(), "DefaultProfile", profileName);
    }
    return status;
}

}  // namespace mail
