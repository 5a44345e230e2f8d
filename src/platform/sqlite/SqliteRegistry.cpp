#include "platform/sqlite/SqliteRegistry.h"

#include <cstring>
#include <utility>

#include "platform/sqlite/AccessMask.h"
#include "platform/sqlite/Hive.h"
#include "platform/sqlite/HiveSchema.h"
#include "platform/sqlite/KeyNames.h"
#include "platform/sqlite/SqliteErrors.h"

namespace platform {

using namespace sqlitestore;

namespace {

using Lock = std::lock_guard<std::mutex>;

// HKEY_CLASSES_ROOT to HKEY_CURRENT_USER_LOCAL_SETTINGS: closing any of them is harmless.
constexpr HKEY kFirstPredefinedKey = 0x80000000;
constexpr HKEY kLastPredefinedKey = 0x80000007;

// The machine hive keeps a rollback journal so that users who may not write its
// directory can read it, and such a journal keeps readers out while a writer commits.
// Its readers wait this many times longer than writers do, so that a read never fails
// because another process is writing there for a moment.
constexpr int kMachineReadWaitFactor = 5;

bool isStringType(std::uint32_t type) {
    return type == regtype::kSz || type == regtype::kExpandSz || type == regtype::kMultiSz;
}

// Windows NT ends string data with a NUL when the stored bytes lack one and the
// caller's buffer has room for it; the reported byte count stays that of the data.
void terminateLikeWindows(const ValueRead& read, std::uint8_t* data, std::uint32_t capacity) {
    if (isStringType(read.type) && read.size > 0 && read.size < capacity &&
        data[read.size - 1] != 0) {
        data[read.size] = 0;
    }
}

// Each hive's file, who may own it, its journal and how long its calls wait for locks.
std::unique_ptr<Hive> makeHive(std::filesystem::path file, bool machine, bool readOnly,
                               std::chrono::milliseconds busyTimeout) {
    HiveSettings settings;
    settings.file = std::move(file);
    settings.ownerOnly = !machine;
    settings.rootMayOwn = machine;
    settings.forcedReadOnly = readOnly;
    settings.journal = machine ? JournalMode::Rollback : JournalMode::Wal;
    settings.busyTimeout = busyTimeout;
    settings.readTimeout = machine ? busyTimeout * kMachineReadWaitFactor : busyTimeout;
    return std::make_unique<Hive>(std::move(settings));
}

KeyHandle rootOf(Hive* hive) {
    KeyHandle root;
    root.hive = hive;
    root.keyId = kRootKeyId;
    // A root hands out what the hive allows: writes to a read-only one fail there.
    root.access = kKeyAllAccess;
    return root;
}

}  // namespace

SqliteRegistry::SqliteRegistry(HiveFiles files, std::chrono::milliseconds busyTimeout)
    : userHive_(makeHive(std::move(files.userFile), false, false, busyTimeout)),
      machineHive_(
          makeHive(std::move(files.machineFile), true, files.machineReadOnly, busyTimeout)),
      userRoot_(rootOf(userHive_.get())),
      machineRoot_(rootOf(machineHive_.get())) {}

SqliteRegistry::~SqliteRegistry() = default;

const KeyHandle* SqliteRegistry::resolve(HKEY key) const {
    if (key == kHkeyCurrentUser) {
        return &userRoot_;
    }
    if (key == kHkeyLocalMachine) {
        return &machineRoot_;
    }
    return handles_.find(key);
}

LSTATUS SqliteRegistry::openKey(HKEY base, const std::string& rawPath, std::uint32_t access,
                                bool create, HKEY* result, std::uint32_t* disposition) {
    if (result == nullptr) {
        return winerror::kInvalidParameter;
    }
    *result = kNullKey;
    const KeyHandle* parent = resolve(base);
    if (parent == nullptr) {
        return winerror::kInvalidHandle;
    }
    std::string path;
    if (const LSTATUS status = normalizeKeyPath(rawPath, path); status != winerror::kSuccess) {
        return status;
    }
    Hive& hive = *parent->hive;
    bool present = false;
    if (const LSTATUS status = hive.openForReading(present); status != winerror::kSuccess) {
        return status;
    }
    KeyHandle target;
    target.hive = &hive;
    target.keyId = parent->keyId;
    target.path = joinPath(parent->path, foldName(path));
    LSTATUS status = winerror::kSuccess;
    if (!path.empty()) {
        status = present ? hive.findKey(target.path, target.keyId) : winerror::kFileNotFound;
    }
    bool created = false;
    if (status == winerror::kFileNotFound && create) {
        status = hive.openForWriting();
        if (status == winerror::kSuccess) {
            status = hive.createKey(parent->keyId, parent->path, path, target.keyId, created);
        }
    }
    if (status != winerror::kSuccess) {
        return status;
    }
    const bool writable = hive.writable();
    target.access = grantedRights(access, writable);
    if (!writable && (target.access & kWritingRights) != 0) {
        return winerror::kAccessDenied;
    }
    *result = handles_.add(std::move(target));
    if (disposition != nullptr) {
        *disposition = created ? kCreatedNewKey : kOpenedExistingKey;
    }
    return winerror::kSuccess;
}

LSTATUS SqliteRegistry::CreateKeyEx(HKEY root, const std::string& path, std::uint32_t access,
                                    HKEY* result, std::uint32_t* disposition) {
    const Lock lock(mutex_);
    return openKey(root, path, access, true, result, disposition);
}

LSTATUS SqliteRegistry::OpenKeyEx(HKEY root, const std::string& path, std::uint32_t access,
                                  HKEY* result) {
    const Lock lock(mutex_);
    return openKey(root, path, access, false, result, nullptr);
}

LSTATUS SqliteRegistry::SetValueEx(HKEY key, const std::string& rawName, std::uint32_t type,
                                   const std::uint8_t* data, std::uint32_t count) {
    const Lock lock(mutex_);
    const KeyHandle* handle = resolve(key);
    if (handle == nullptr) {
        return winerror::kInvalidHandle;
    }
    if ((handle->access & kKeySetValue) == 0) {
        return winerror::kAccessDenied;
    }
    if (data == nullptr && count != 0) {
        return kNoAccess;
    }
    const std::string_view name = asCString(rawName);
    if (name.size() > kMaxValueNameLength) {
        return winerror::kInvalidParameter;
    }
    if (const LSTATUS status = handle->hive->openForWriting(); status != winerror::kSuccess) {
        return status;
    }
    return handle->hive->writeValue(handle->keyId, name, foldName(name), type, data, count);
}

// Resolves a handle that must carry `right` and makes its hive readable; `present` tells
// whether the hive file exists at all. Called with the mutex held.
LSTATUS SqliteRegistry::openForReading(HKEY key, std::uint32_t right, const KeyHandle*& handle,
                                       bool& present) {
    handle = resolve(key);
    if (handle == nullptr) {
        return winerror::kInvalidHandle;
    }
    if ((handle->access & right) == 0) {
        return winerror::kAccessDenied;
    }
    return handle->hive->openForReading(present);
}

LSTATUS SqliteRegistry::QueryValueEx(HKEY key, const std::string& name, std::uint32_t* type,
                                     std::uint8_t* data, std::uint32_t* count) {
    if (data != nullptr && count == nullptr) {
        return winerror::kInvalidParameter;
    }
    const Lock lock(mutex_);
    const KeyHandle* handle = nullptr;
    bool present = false;
    LSTATUS status = openForReading(key, kKeyQueryValue, handle, present);
    if (status != winerror::kSuccess) {
        return status;
    }
    ValueRead read;
    read.buffer = data;
    read.capacity = data != nullptr ? *count : 0;
    status = present ? handle->hive->readValue(handle->keyId, foldName(asCString(name)), read)
                     : winerror::kFileNotFound;
    if (status == winerror::kFileNotFound) {
        // As advapi32 leaves them for a missing value.
        if (type != nullptr) {
            *type = regtype::kNone;
        }
        if (data == nullptr && count != nullptr) {
            *count = 0;
        }
        return status;
    }
    if (status != winerror::kSuccess) {
        return status;
    }
    if (type != nullptr) {
        *type = read.type;
    }
    if (data != nullptr) {
        if (!read.copied) {
            *count = read.size;
            return winerror::kMoreData;
        }
        terminateLikeWindows(read, data, *count);
    }
    if (count != nullptr) {
        *count = read.size;
    }
    return winerror::kSuccess;
}

LSTATUS SqliteRegistry::DeleteValue(HKEY key, const std::string& name) {
    const Lock lock(mutex_);
    const KeyHandle* handle = resolve(key);
    if (handle == nullptr) {
        return winerror::kInvalidHandle;
    }
    Hive& hive = *handle->hive;
    if ((handle->access & kKeySetValue) == 0 || !hive.writable()) {
        return winerror::kAccessDenied;
    }
    bool present = false;
    if (const LSTATUS status = hive.openForReading(present); status != winerror::kSuccess) {
        return status;
    }
    // Deleting from a hive that has no file yet must not bring one into existence.
    if (!present) {
        return winerror::kFileNotFound;
    }
    return hive.deleteValue(handle->keyId, foldName(asCString(name)));
}

LSTATUS SqliteRegistry::DeleteKey(HKEY key, const std::string& subKey) {
    const Lock lock(mutex_);
    const KeyHandle* parent = resolve(key);
    if (parent == nullptr) {
        return winerror::kInvalidHandle;
    }
    std::string path;
    if (const LSTATUS status = normalizeKeyPath(subKey, path); status != winerror::kSuccess) {
        return status;
    }
    if (path.empty()) {
        return winerror::kInvalidParameter;
    }
    Hive& hive = *parent->hive;
    if (!hive.writable()) {
        return winerror::kAccessDenied;
    }
    bool present = false;
    if (const LSTATUS status = hive.openForReading(present); status != winerror::kSuccess) {
        return status;
    }
    if (!present) {
        return winerror::kFileNotFound;
    }
    std::int64_t keyId = 0;
    LSTATUS status = hive.findKey(joinPath(parent->path, foldName(path)), keyId);
    if (status == winerror::kSuccess) {
        status = hive.openForWriting();
    }
    return status == winerror::kSuccess ? hive.deleteKey(keyId) : status;
}

LSTATUS SqliteRegistry::CloseKey(HKEY key) {
    const Lock lock(mutex_);
    if (key >= kFirstPredefinedKey && key <= kLastPredefinedKey) {
        return winerror::kSuccess;
    }
    // Like advapi32, handle 0 and handles not open are ERROR_INVALID_HANDLE, and harmless.
    return handles_.remove(key) ? winerror::kSuccess : winerror::kInvalidHandle;
}

LSTATUS SqliteRegistry::QueryInfoKey(HKEY key, KeyInfo* info) {
    if (info == nullptr) {
        return winerror::kInvalidParameter;
    }
    const Lock lock(mutex_);
    const KeyHandle* handle = resolve(key);
    if (handle == nullptr) {
        return winerror::kInvalidHandle;
    }
    bool present = false;
    if (const LSTATUS status = handle->hive->openForReading(present);
        status != winerror::kSuccess) {
        return status;
    }
    if (!present) {
        *info = KeyInfo{};
        return winerror::kSuccess;
    }
    return handle->hive->describeKey(handle->keyId, *info);
}

LSTATUS SqliteRegistry::EnumKeyEx(HKEY key, std::uint32_t index, char* name, std::uint32_t* nameLen,
                                  char* cls, std::uint32_t* classLen) {
    if (name == nullptr || nameLen == nullptr) {
        return winerror::kInvalidParameter;
    }
    const Lock lock(mutex_);
    const KeyHandle* handle = nullptr;
    bool present = false;
    LSTATUS status = openForReading(key, kKeyEnumerateSubKeys, handle, present);
    if (status != winerror::kSuccess) {
        return status;
    }
    std::string subkey;
    status =
        present ? handle->hive->subkeyAt(handle->keyId, index, subkey) : winerror::kNoMoreItems;
    if (status != winerror::kSuccess) {
        return status;
    }
    // Keys here have no class: an empty one still needs room for its NUL.
    const bool classTooSmall = cls != nullptr && classLen != nullptr && *classLen == 0;
    if (subkey.size() >= *nameLen || classTooSmall) {
        return winerror::kMoreData;
    }
    std::memcpy(name, subkey.c_str(), subkey.size() + 1);
    *nameLen = static_cast<std::uint32_t>(subkey.size());
    if (classLen != nullptr) {
        *classLen = 0;
        if (cls != nullptr) {
            cls[0] = '\0';
        }
    }
    return winerror::kSuccess;
}

LSTATUS SqliteRegistry::EnumValue(HKEY key, std::uint32_t index, char* name, std::uint32_t* nameLen,
                                  std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataLen) {
    if (name == nullptr || nameLen == nullptr || (data != nullptr && dataLen == nullptr)) {
        return winerror::kInvalidParameter;
    }
    const Lock lock(mutex_);
    const KeyHandle* handle = nullptr;
    bool present = false;
    LSTATUS status = openForReading(key, kKeyQueryValue, handle, present);
    if (status != winerror::kSuccess) {
        return status;
    }
    std::string valueName;
    ValueRead read;
    read.buffer = data;
    read.capacity = data != nullptr ? *dataLen : 0;
    status = present ? handle->hive->valueAt(handle->keyId, index, valueName, read)
                     : winerror::kNoMoreItems;
    if (status != winerror::kSuccess) {
        return status;
    }
    if (data != nullptr) {
        if (read.copied) {
            terminateLikeWindows(read, data, *dataLen);
        } else {
            status = winerror::kMoreData;
        }
    }
    if (status == winerror::kSuccess) {
        if (valueName.size() >= *nameLen) {
            // advapi32 hands back as much of the name as fits and keeps the length.
            status = winerror::kMoreData;
            if (*nameLen > 0) {
                std::memcpy(name, valueName.data(), *nameLen - 1);
                name[*nameLen - 1] = '\0';
            }
        } else {
            std::memcpy(name, valueName.c_str(), valueName.size() + 1);
            *nameLen = static_cast<std::uint32_t>(valueName.size());
        }
    }
    if (type != nullptr) {
        *type = read.type;
    }
    if (dataLen != nullptr) {
        *dataLen = read.size;
    }
    return status;
}

LSTATUS SqliteRegistry::BeginWrites(HKEY root) {
    const Lock lock(mutex_);
    if (root != kHkeyCurrentUser && root != kHkeyLocalMachine) {
        return winerror::kInvalidHandle;
    }
    return resolve(root)->hive->beginWrites();
}

LSTATUS SqliteRegistry::EndWrites(HKEY root, bool keep) {
    const Lock lock(mutex_);
    if (root != kHkeyCurrentUser && root != kHkeyLocalMachine) {
        return winerror::kInvalidHandle;
    }
    return resolve(root)->hive->endWrites(keep);
}

}  // namespace platform
