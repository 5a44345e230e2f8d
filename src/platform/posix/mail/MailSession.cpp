#include "platform/posix/mail/MailSession.h"

#include "platform/posix/mail/MailErrors.h"
#include "platform/posix/mail/MailProfile.h"
#include "platform/posix/mail/StoreObjects.h"
#include "platform/posix/mail/StoreReader.h"

namespace mail {

namespace {

using platform::AutomationValue;

std::shared_ptr<const LoadedStore> loadStore(const ProfileStore& entry) {
    std::string problem;
    const std::optional<StoreUrl> url = parseStoreUrl(entry.url, problem);
    if (!url) {
        throw mailError(MailFailure::CorruptData,
                        "The store address " + entry.url + " cannot be used: " + problem + ".");
    }
    auto store = std::make_shared<LoadedStore>();
    store->name = entry.name.empty() ? entry.url : entry.name;
    // The profile keeps no credentials in the URL, so its text identifies the store.
    store->id = hexIdentifier(entry.url);
    const StoreCredentials credentials{entry.account.empty() ? url->user : entry.account,
                                       entry.password};
    store->top = buildFolderTree(listStoreFolders(*url, credentials));
    return store;
}

class Session final : public MailObject {
protected:
    std::optional<AutomationValue> property(const std::string& name) override {
        if (named(name, "InfoStores")) {
            requireLogon();
            return makeInfoStores(stores_);
        }
        return std::nullopt;
    }

    std::optional<AutomationValue> method(const std::string& name,
                                          const std::vector<AutomationValue>& arguments) override {
        if (named(name, "Logon")) {
            expectArguments(arguments, 0, 3);
            logon(arguments.empty() ? std::string() : platform::automationText(arguments[0]));
            return platform::Empty{};
        }
        if (named(name, "Logoff")) {
            expectArguments(arguments, 0, 0);
            requireLogon();
            loggedOn_ = false;
            stores_.clear();
            return platform::Empty{};
        }
        return std::nullopt;
    }

private:
    void logon(const std::string& profileName) {
        loggedOn_ = false;
        stores_.clear();
        const std::optional<std::vector<ProfileStore>> profile = readProfile(profileName);
        if (!profile) {
            throw mailError(MailFailure::NotFound,
                            "There is no mail profile named \"" + profileName + "\".");
        }
        LoadedStores stores;
        for (const ProfileStore& entry : *profile) {
            stores.push_back(loadStore(entry));
        }
        stores_ = std::move(stores);
        loggedOn_ = true;
    }

    void requireLogon() const {
        if (!loggedOn_) {
            throw mailError(MailFailure::NotInitialized, "The session is not logged on.");
        }
    }

    bool loggedOn_ = false;
    LoadedStores stores_;
};

}  // namespace

platform::ObjectRef makeMailSession() {
    return std::make_shared<Session>();
}

}  // namespace mail
