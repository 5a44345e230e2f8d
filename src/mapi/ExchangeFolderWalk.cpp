#include "mapi/ExchangeFolderWalk.h"

#include "mapi/AutomationErrorText.h"
#include "mapi/RandomKey.h"
#include "platform/AppInfo.h"
#include "platform/Prompts.h"

namespace mapi {

namespace {

using platform::ObjectRef;

constexpr std::int32_t kFolderClass = 2;

// Errors a script raises itself, with its own numbers.
constexpr std::int32_t kOverflow = 6;
constexpr std::int32_t kObjectNotSet = 91;

// What a script raises when it reaches a member of no object.
const ObjectRef& requireObject(const ObjectRef& object) {
    if (!object) {
        throw platform::AutomationError(kObjectNotSet, platform::kApplicationTitle,
                                        "Object variable or With block variable not set");
    }
    return object;
}

ObjectRef objectProperty(const ObjectRef& object, const char* name) {
    return platform::automationObject(requireObject(object)->get(name));
}

std::string textProperty(const ObjectRef& object, const char* name) {
    return platform::automationText(object->get(name));
}

std::int32_t numberProperty(const ObjectRef& object, const char* name) {
    return platform::automationNumber(object->get(name));
}

// A collection's count taken as a 16-bit integer; a larger one does not fit.
std::int16_t shortCount(const ObjectRef& collection) {
    const std::int32_t count = numberProperty(collection, "Count");
    if (count > INT16_MAX || count < INT16_MIN) {
        throw platform::AutomationError(kOverflow, platform::kApplicationTitle, "Overflow");
    }
    return static_cast<std::int16_t>(count);
}

ObjectRef fetchFolder(const ObjectRef& folders, int k) {
    return platform::automationObject(folders->call(k == 1 ? "GetFirst" : "GetNext", {}));
}

bool isFolder(const ObjectRef& object) {
    return object && numberProperty(object, "Class") == kFolderClass;
}

}  // namespace

ExchangeFolderWalk::ExchangeFolderWalk(FolderTree& tree, ConnectProgress& progress)
    : tree_(tree), progress_(progress) {}

ExchangeFolderWalk::Outcome ExchangeFolderWalk::Open(const std::string& profileName) {
    try {
        tree_.add({kRootPrefix, "Exchange Server", "", kPictureServer, kPictureServer, true});
        MapiSession = platform::automation().createObject(kSessionClass);
        progress_.refresh();
        const std::string logonFailure = LogonProfile(profileName, "");
        progress_.refresh();
        if (!logonFailure.empty()) {
            return closeOnFailure(logonFailure);
        }
        if (!addStores()) {
            return Outcome::Stopped;
        }
        LogoffProfile();
        MapiSession.reset();
        progress_.dismiss();
        return Outcome::Ready;
    } catch (const std::exception& failure) {
        // The session is left as it is, not logged off: it may be what failed.
        return closeOnFailure(AutomationErrorText(AsAutomationError(failure)));
    }
}

ExchangeFolderWalk::Outcome ExchangeFolderWalk::closeOnFailure(const std::string& message) {
    MapiSession.reset();
    progress_.dismiss();
    platform::prompts().messageBox(message, platform::msgbox::kCritical, "");
    return Outcome::Closed;
}

bool ExchangeFolderWalk::addStores() {
    const ObjectRef stores = requireObject(objectProperty(MapiSession, "InfoStores"));
    // The bound is read once; the collection is asked again before every store.
    const std::int32_t count = numberProperty(stores, "Count");
    std::int32_t j = 0;
    for (std::int32_t i = 1; i <= count; ++i) {
        if (j >= numberProperty(stores, "Count")) {
            stopOpening("Already at end of InfoStores collection", platform::msgbox::kOkOnly);
            return false;
        }
        ++j;
        const ObjectRef store = platform::automationObject(stores->call("Item", {j}));
        if (!store) {
            stopOpening("Error, cannot get this InfoStore object", platform::msgbox::kCritical);
            return false;
        }
        addStore(store, i);
    }
    return true;
}

void ExchangeFolderWalk::stopOpening(const std::string& message, int style) {
    // Unlike the other failures this one leaves the browser open, so it must not leave the
    // progress window above it or the session logged on behind it.
    progress_.dismiss();
    platform::prompts().messageBox(message, style, "");
    try {
        LogoffProfile();
    } catch (const std::exception&) {
        // The stop was reported already; a second box about the logoff would add nothing.
    }
    MapiSession.reset();
}

void ExchangeFolderWalk::addStore(const ObjectRef& store, std::int32_t position) {
    const std::string storeKey = kRootPrefix + std::to_string(position);
    tree_.add({storeKey, textProperty(store, "Name"), kRootPrefix, kPictureStore,
               kPictureStoreSelected, true});
    const ObjectRef top = objectProperty(store, "RootFolder");
    if (!top) {
        return;
    }
    const ObjectRef folders = objectProperty(top, "Folders");
    if (!folders) {
        return;
    }
    const std::int16_t n = shortCount(folders);
    for (int k = 1; k <= n; ++k) {
        const ObjectRef folder = fetchFolder(folders, k);
        if (isFolder(folder)) {
            AddFolderBranch(folder, textProperty(store, "ID"), storeKey);
        }
    }
}

void ExchangeFolderWalk::AddFolderBranch(const ObjectRef& folder, const std::string& storeId,
                                         const std::string& parentKey) {
    ObjectRef folders;
    try {
        folders = objectProperty(folder, "Folders");
    } catch (const std::exception&) {
        // Shown without sub-folders.
    }
    std::string key;
    try {
        key = textProperty(folder, "ID") + ":" + storeId;
        tree_.add({key, textProperty(folder, "Name"), parentKey, kPictureFolder,
                   kPictureFolderSelected, false});
    } catch (const std::exception&) {
        // A folder without its identifier or name, or one already in the tree, cannot be
        // taken; nor can its sub-folders, having no node to hang under.
        return;
    }
    if (!folders) {
        return;
    }
    std::int16_t n = 0;
    try {
        n = shortCount(folders);
    } catch (const std::exception&) {
        return;
    }
    for (int k = 1; k <= n; ++k) {
        ObjectRef subFolder;
        try {
            subFolder = fetchFolder(folders, k);
        } catch (const std::exception&) {
            addUnavailableFolder(key);
            continue;
        }
        try {
            if (isFolder(subFolder)) {
                AddFolderBranch(subFolder, storeId, key);
            }
        } catch (const std::exception&) {
            // A sub-folder whose class cannot be read is skipped like one of another class.
        }
    }
}

void ExchangeFolderWalk::addUnavailableFolder(const std::string& parentKey) {
    std::string key;
    do {
        key = kUnavailablePrefix + strRandomKey();
    } while (tree_.contains(key));
    try {
        tree_.add({key, "{Unavailable folder}", parentKey, kPictureUnavailable,
                   kPictureUnavailableSelected, false});
    } catch (const std::exception&) {
        // Nothing more to leave out than the node itself.
    }
}

std::string ExchangeFolderWalk::LogonProfile(const std::string& profileName,
                                             const std::string& password) {
    try {
        MapiSession->call("Logon", {profileName, password, false});
        return {};
    } catch (const std::exception& failure) {
        return AutomationErrorText(AsAutomationError(failure));
    }
}

void ExchangeFolderWalk::LogoffProfile() {
    MapiSession->call("Logoff", {});
}

}  // namespace mapi
