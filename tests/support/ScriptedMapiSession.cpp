#include "support/ScriptedMapiSession.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>

namespace testsupport {

namespace {

using platform::AutomationError;
using platform::AutomationValue;
using platform::ObjectRef;
using Script = std::shared_ptr<const std::vector<ScriptedProfile>>;
using Arguments = std::vector<AutomationValue>;
using Member = std::function<AutomationValue(const Arguments&)>;

AutomationError mapiError(std::uint32_t code, const std::string& name) {
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08X", code);
    return AutomationError(static_cast<std::int32_t>(code), "Collaboration Data Objects",
                           "[Collaboration Data Objects - [" + name + "(" + hex + ")]]");
}

// Properties and methods alike are functions of the arguments.
class ScriptedObject final : public platform::AutomationObject {
public:
    explicit ScriptedObject(std::map<std::string, Member> members) : members_(std::move(members)) {}
    AutomationValue get(const std::string& name) override { return call(name, {}); }
    AutomationValue call(const std::string& name, const Arguments& arguments) override {
        return members_.at(name)(arguments);
    }

private:
    std::map<std::string, Member> members_;
};

ObjectRef object(std::map<std::string, Member> members) {
    return std::make_shared<ScriptedObject>(std::move(members));
}

template <class T>
Member value(T result) {
    return [result](const Arguments&) { return AutomationValue(result); };
}

ObjectRef folderObject(const Script& script, const ScriptedFolder& folder);

ObjectRef folderCollection(const Script& script, const ScriptedFolder& parent) {
    auto next = std::make_shared<std::size_t>(0);
    const auto fetch = [script, &parent, next](bool first) -> AutomationValue {
        const std::size_t at = first ? 0 : *next;
        *next = at + 1;
        const auto& failing = parent.failingFetches;
        if (std::count(failing.begin(), failing.end(), static_cast<int>(at + 1)) > 0) {
            throw mapiError(0x80040115, "MAPI_E_NETWORK_ERROR");
        }
        if (at >= parent.folders.size()) {
            return platform::Nothing{};
        }
        return folderObject(script, parent.folders[at]);
    };
    return object({{"Count", value(static_cast<std::int32_t>(parent.folders.size()))},
                   {"GetFirst", [fetch](const Arguments&) { return fetch(true); }},
                   {"GetNext", [fetch](const Arguments&) { return fetch(false); }}});
}

ObjectRef folderObject(const Script& script, const ScriptedFolder& folder) {
    const Member folders = [script, &folder](const Arguments&) {
        return folder.hasFolders ? AutomationValue(folderCollection(script, folder))
                                 : AutomationValue(platform::Nothing{});
    };
    const Member id = [script, &folder](const Arguments&) -> AutomationValue {
        if (folder.idFails) {
            throw mapiError(0x80040102, "MAPI_E_NO_SUPPORT");
        }
        return folder.id;
    };
    return object({{"Folders", folders},
                   {"ID", id},
                   {"Name", value(folder.name)},
                   {"Class", value(folder.folderClass)}});
}

ObjectRef storeCollection(const Script& script, const ScriptedProfile& profile) {
    auto reads = std::make_shared<int>(0);
    const auto count = static_cast<std::int32_t>(profile.stores.size());
    const Member item = [script, count, &profile](const Arguments& arguments) -> AutomationValue {
        const std::int32_t at = platform::automationNumber(arguments.at(0));
        if (at == profile.missingStore || at < 1 || at > count) {
            return platform::Nothing{};
        }
        const ScriptedStore& store = profile.stores[static_cast<std::size_t>(at - 1)];
        const Member root = [script, &store](const Arguments&) {
            return store.rootFolder ? AutomationValue(folderObject(script, *store.rootFolder))
                                    : AutomationValue(platform::Nothing{});
        };
        return object({{"Name", value(store.name)}, {"ID", value(store.id)}, {"RootFolder", root}});
    };
    const Member counted = [script, reads, count, &profile](const Arguments&) -> AutomationValue {
        return (*reads)++ > 0 ? profile.laterStoreCount.value_or(count) : count;
    };
    return object({{"Count", counted}, {"Item", item}});
}

ObjectRef sessionObject(const Script& script, const std::shared_ptr<ScriptedSessionLog>& log) {
    auto current = std::make_shared<const ScriptedProfile*>(nullptr);
    const Member logon = [script, log, current](const Arguments& arguments) -> AutomationValue {
        ++log->logons;
        for (const ScriptedProfile& profile : *script) {
            if (profile.name == platform::automationText(arguments.at(0))) {
                *current = &profile;
                return platform::Empty{};
            }
        }
        throw mapiError(0x80040111, "MAPI_E_LOGON_FAILED");
    };
    const Member logoff = [log](const Arguments&) -> AutomationValue {
        ++log->logoffs;
        return platform::Empty{};
    };
    const Member stores = [script, current](const Arguments&) -> AutomationValue {
        return storeCollection(script, **current);
    };
    return object({{"Logon", logon}, {"Logoff", logoff}, {"InfoStores", stores}});
}

class ScriptedMapiClasses final : public platform::Automation {
public:
    ScriptedMapiClasses(Script script, std::shared_ptr<ScriptedSessionLog> log, bool installed)
        : script_(std::move(script)), log_(std::move(log)), installed_(installed) {}
    ObjectRef createObject(const std::string& progId) override {
        if (!installed_ || progId != "MAPI.Session") {
            throw AutomationError(platform::automationerror::kInvalidClassString, progId,
                                  "Invalid class string");
        }
        return sessionObject(script_, log_);
    }

private:
    Script script_;
    std::shared_ptr<ScriptedSessionLog> log_;
    bool installed_;
};

}  // namespace

ScopedInProcessMapi::ScopedInProcessMapi(std::vector<ScriptedProfile> profiles, bool installed) {
    platform::installAutomation(std::make_unique<ScriptedMapiClasses>(
        std::make_shared<const std::vector<ScriptedProfile>>(std::move(profiles)), log_,
        installed));
}

ScopedInProcessMapi::~ScopedInProcessMapi() {
    platform::installAutomation(nullptr);
}

}  // namespace testsupport
