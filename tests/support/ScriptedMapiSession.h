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
    // False: `Folders` is Nothing.
    bool hasFolders = true;
    // 1-based positions in `folders` whose GetFirst / GetNext raises instead.
    std::vector<int> failingFetches;
    // `ID` raises.
    bool idFails = false;
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
    // A 1-based position whose `Item` is Nothing; 0 for none.
    int missingStore = 0;
};

// What the sessions of one class have been asked.
struct ScriptedSessionLog {
    int logons = 0;
    int logoffs = 0;
    std::vector<std::string> logonArguments;
};

// The failures the scripted objects raise, as Collaboration Data Objects words them.
platform::AutomationError scriptedLogonFailure();
platform::AutomationError scriptedFetchFailure();

class ScriptedMapiClasses final : public platform::Automation {
public:
    // `installed` false: no class at all, as on a machine without the Exchange client.
    explicit ScriptedMapiClasses(std::vector<ScriptedProfile> profiles, bool installed = true);
    // "MAPI.Session"; any other class is not installed.
    platform::ObjectRef createObject(const std::string& progId) override;
    const ScriptedSessionLog& log() const { return *log_; }

private:
    std::shared_ptr<const std::vector<ScriptedProfile>> profiles_;
    std::shared_ptr<ScriptedSessionLog> log_;
    bool installed_;
};

// Installs the scripted class as the process's automation for its lifetime.
class ScopedInProcessMapi {
public:
    explicit ScopedInProcessMapi(std::vector<ScriptedProfile> profiles, bool installed = true);
    ~ScopedInProcessMapi();
    ScopedInProcessMapi(const ScopedInProcessMapi&) = delete;
    ScopedInProcessMapi& operator=(const ScopedInProcessMapi&) = delete;
    const ScriptedSessionLog& log() const { return classes_->log(); }

private:
    ScriptedMapiClasses* classes_;  // owned by the platform layer while installed
};

}  // namespace testsupport
