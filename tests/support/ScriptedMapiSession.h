#pragma once
// A "MAPI.Session" class scripted from a description of its profiles, stores and folders,
// answering at once: it stands in for a mail server where the test is about the browser's
// walk and not about a session (the sessions have suites of their own). It counts logons
// and logoffs, and can be told to fail where a real store can fail.

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
    // When set, every `Count` of the store collection after the first says this.
    std::optional<std::int32_t> laterStoreCount;
    int missingStore = 0;  // a 1-based position whose `Item` is Nothing; 0 for none
};

struct ScriptedSessionLog {
    int logons = 0;
    int logoffs = 0;
};

// Serves the scripted "MAPI.Session" as the process's automation while it lives; with
// `installed` false no class at all, as on a machine without the Exchange client.
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
