#include "support/ScriptedMapiSession.h"

#include <algorithm>
#include <cstdio>

namespace testsupport {

namespace {

using platform::AutomationError;
using platform::AutomationValue;
using platform::ObjectRef;
using Profiles = std::shared_ptr<const std::vector<ScriptedProfile>>;

constexpr const char* kSource = "Collaboration Data Objects";

AutomationError mapiError(std::uint32_t code, const std::string& name) {
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08X", code);
    return AutomationError(
        static_cast<std::int32_t>(code), kSource,
        std::string("[Collaboration Data Objects - [") + name + "(" + hex + ")]]");
}

[[noreturn]] void unknownMember(const std::string& name) {
    throw AutomationError(platform::automationerror::kUnknownName, kSource,
                          "Unknown name: " + name);
}

// Every object keeps the script alive, as long as a caller holds it.
class ScriptedObject : public platform::AutomationObject {
public:
    explicit ScriptedObject(Profiles profiles) : profiles_(std::move(profiles)) {}
    AutomationValue call(const std::string& method, const std::vector<AutomationValue>&) override {
        unknownMember(method);
    }

protected:
    Profiles profiles_;
};

class Folder;

class FolderCollection final : public ScriptedObject {
public:
    FolderCollection(Profiles profiles, const ScriptedFolder& parent)
        : ScriptedObject(std::move(profiles)), parent_(parent) {}
    AutomationValue get(const std::string& property) override {
        if (property == "Count") {
            return static_cast<std::int32_t>(parent_.folders.size());
        }
        unknownMember(property);
    }
    AutomationValue call(const std::string& method, const std::vector<AutomationValue>&) override;

private:
    const ScriptedFolder& parent_;
    std::size_t next_ = 0;
};

class Folder final : public ScriptedObject {
public:
    Folder(Profiles profiles, const ScriptedFolder& folder)
        : ScriptedObject(std::move(profiles)), folder_(folder) {}
    AutomationValue get(const std::string& property) override {
        if (property == "Folders") {
            if (!folder_.hasFolders) {
                return platform::Nothing{};
            }
            return ObjectRef(std::make_shared<FolderCollection>(profiles_, folder_));
        }
        if (property == "ID") {
            if (folder_.idFails) {
                throw mapiError(0x80040102, "MAPI_E_NO_SUPPORT");
            }
            return folder_.id;
        }
        if (property == "Name") {
            return folder_.name;
        }
        if (property == "Class") {
            return folder_.folderClass;
        }
        unknownMember(property);
    }

private:
    const ScriptedFolder& folder_;
};

AutomationValue FolderCollection::call(const std::string& method,
                                       const std::vector<AutomationValue>&) {
    if (method == "GetFirst") {
        next_ = 0;
    } else if (method != "GetNext") {
        unknownMember(method);
    }
    const std::size_t at = next_++;
    if (at >= parent_.folders.size()) {
        return platform::Nothing{};
    }
    const auto& failing = parent_.failingFetches;
    if (std::find(failing.begin(), failing.end(), static_cast<int>(at + 1)) != failing.end()) {
        throw scriptedFetchFailure();
    }
    return ObjectRef(std::make_shared<Folder>(profiles_, parent_.folders[at]));
}

class Store final : public ScriptedObject {
public:
    Store(Profiles profiles, const ScriptedStore& store)
        : ScriptedObject(std::move(profiles)), store_(store) {}
    AutomationValue get(const std::string& property) override {
        if (property == "Name") {
            return store_.name;
        }
        if (property == "ID") {
            return store_.id;
        }
        if (property == "RootFolder") {
            if (!store_.rootFolder) {
                return platform::Nothing{};
            }
            return ObjectRef(std::make_shared<Folder>(profiles_, *store_.rootFolder));
        }
        unknownMember(property);
    }

private:
    const ScriptedStore& store_;
};

class StoreCollection final : public ScriptedObject {
public:
    StoreCollection(Profiles profiles, const ScriptedProfile& profile)
        : ScriptedObject(std::move(profiles)), profile_(profile) {}
    AutomationValue get(const std::string& property) override {
        if (property != "Count") {
            unknownMember(property);
        }
        const auto count = static_cast<std::int32_t>(profile_.stores.size());
        return countReads_++ > 0 ? profile_.laterStoreCount.value_or(count) : count;
    }
    AutomationValue call(const std::string& method,
                         const std::vector<AutomationValue>& arguments) override {
        if (method != "Item" || arguments.size() != 1) {
            unknownMember(method);
        }
        const std::int32_t position = platform::automationNumber(arguments[0]);
        if (position == profile_.missingStore) {
            return platform::Nothing{};
        }
        if (position < 1 || position > static_cast<std::int32_t>(profile_.stores.size())) {
            throw mapiError(0x8004010F, "MAPI_E_NOT_FOUND");
        }
        return ObjectRef(std::make_shared<Store>(profiles_, profile_.stores[position - 1]));
    }

private:
    const ScriptedProfile& profile_;
    int countReads_ = 0;
};

class Session final : public ScriptedObject {
public:
    Session(Profiles profiles, std::shared_ptr<ScriptedSessionLog> log)
        : ScriptedObject(std::move(profiles)), log_(std::move(log)) {}
    AutomationValue get(const std::string& property) override {
        if (property != "InfoStores") {
            unknownMember(property);
        }
        if (profile_ == nullptr) {
            throw mapiError(0x80040605, "MAPI_E_NOT_INITIALIZED");
        }
        return ObjectRef(std::make_shared<StoreCollection>(profiles_, *profile_));
    }
    AutomationValue call(const std::string& method,
                         const std::vector<AutomationValue>& arguments) override {
        if (method == "Logoff") {
            ++log_->logoffs;
            profile_ = nullptr;
            return platform::Empty{};
        }
        if (method != "Logon") {
            unknownMember(method);
        }
        ++log_->logons;
        for (const AutomationValue& argument : arguments) {
            log_->logonArguments.push_back(platform::automationText(argument));
        }
        const std::string name = arguments.empty() ? "" : platform::automationText(arguments[0]);
        for (const ScriptedProfile& profile : *profiles_) {
            if (profile.name == name) {
                profile_ = &profile;
                return platform::Empty{};
            }
        }
        throw scriptedLogonFailure();
    }

private:
    std::shared_ptr<ScriptedSessionLog> log_;
    const ScriptedProfile* profile_ = nullptr;
};

}  // namespace

AutomationError scriptedLogonFailure() {
    return mapiError(0x80040111, "MAPI_E_LOGON_FAILED");
}

AutomationError scriptedFetchFailure() {
    return mapiError(0x80040115, "MAPI_E_NETWORK_ERROR");
}

ScriptedMapiClasses::ScriptedMapiClasses(std::vector<ScriptedProfile> profiles, bool installed)
    : profiles_(std::make_shared<const std::vector<ScriptedProfile>>(std::move(profiles))),
      log_(std::make_shared<ScriptedSessionLog>()),
      installed_(installed) {}

ObjectRef ScriptedMapiClasses::createObject(const std::string& progId) {
    if (!installed_ || progId != "MAPI.Session") {
        throw AutomationError(platform::automationerror::kInvalidClassString, progId,
                              "Invalid class string");
    }
    return std::make_shared<Session>(profiles_, log_);
}

ScopedInProcessMapi::ScopedInProcessMapi(std::vector<ScriptedProfile> profiles, bool installed) {
    auto owned = std::make_unique<ScriptedMapiClasses>(std::move(profiles), installed);
    classes_ = owned.get();
    platform::installAutomation(std::move(owned));
}

ScopedInProcessMapi::~ScopedInProcessMapi() {
    platform::installAutomation(nullptr);
}

}  // namespace testsupport
