#pragma once
// A "MAPI.Session" class scripted from its profiles, stores and folders; it fails where told.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Automation.h"

namespace testsupport {

struct ScriptedFolder {
    ScriptedFolder(std::string id, std::string name, std::vector<ScriptedFolder> folders = {})
        : id(std::move(id)), name(std::move(name)), folders(std::move(folders)) {}

    std::string id;
    std::string name;
    std::vector<ScriptedFolder> folders;
    std::int32_t folderClass = 2;
    bool hasFolders = true;           // false: `Folders` is Nothing
    std::vector<int> failingFetches;  // 1-based positions whose GetFirst / GetNext raises
    bool idFails = false;             // `ID` raises
};

struct ScriptedStore {
    std::string name;
    std::string id;
    std::optional<ScriptedFolder> rootFolder;
};

struct ScriptedProfile {
    ScriptedProfile(std::string name, std::vector<ScriptedStore> stores)
        : name(std::move(name)), stores(std::move(stores)) {}

    std::string name;
    std::vector<ScriptedStore> stores;
    std::optional<std::int32_t> laterStoreCount;  // every `Count` of the stores after the first
    int missingStore = 0;  // a 1-based position whose `Item` is Nothing; 0 for none
};

struct ScriptedSessionLog {
    int logons = 0;
    int logoffs = 0;
};

// The process's automation while it lives; with `installed` false it knows no class at all.
class ScopedInProcessMapi {
public:
    explicit ScopedInProcessMapi(std::vector<ScriptedProfile> profiles, bool installed = true);
    ~ScopedInProcessMapi();
    ScopedInProcessMapi(const ScopedInProcessMapi&) = delete;
    ScopedInProcessMapi& operator=(const ScopedInProcessMapi&) = delete;
    const ScriptedSessionLog& log() const { return *log_; }

private:
    std::shared_ptr<ScriptedSessionLog> log_ = std::make_shared<ScriptedSessionLog>();
};

}  // namespace testsupport
