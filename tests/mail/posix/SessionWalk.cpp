#include "SessionWalk.h"

namespace mailtest {

namespace {

using platform::ObjectRef;

void walkFolders(const ObjectRef& parent, const std::string& storeId, int depth,
                 std::vector<WalkedFolder>& out) {
    const ObjectRef folders = platform::automationObject(parent->get("Folders"));
    const std::int32_t count = platform::automationNumber(folders->get("Count"));
    for (std::int32_t k = 1; k <= count; ++k) {
        const ObjectRef folder =
            platform::automationObject(folders->call(k == 1 ? "GetFirst" : "GetNext", {}));
        out.push_back({depth, platform::automationText(folder->get("Name")),
                       platform::automationText(folder->get("ID")) + ":" + storeId});
        walkFolders(folder, storeId, depth + 1, out);
    }
}

}  // namespace

std::vector<WalkedStore> walkProfile(const std::string& profile) {
    const ObjectRef session = platform::automation().createObject("MAPI.Session");
    session->call("Logon", {profile, std::string(), false});
    const ObjectRef stores = platform::automationObject(session->get("InfoStores"));
    std::vector<WalkedStore> result;
    const std::int32_t count = platform::automationNumber(stores->get("Count"));
    for (std::int32_t i = 1; i <= count; ++i) {
        const ObjectRef store = platform::automationObject(stores->call("Item", {i}));
        WalkedStore walked{platform::automationText(store->get("Name")), {}};
        walkFolders(platform::automationObject(store->get("RootFolder")),
                    platform::automationText(store->get("ID")), 0, walked.folders);
        result.push_back(std::move(walked));
    }
    session->call("Logoff", {});
    return result;
}

}  // namespace mailtest
