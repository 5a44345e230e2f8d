#pragma once
// The folder browser's opening, from the server node to the logoff: it logs on to a MAPI
// profile through the automation class "MAPI.Session", adds every message store of the
// profile and the whole folder hierarchy of each to a tree, and logs off again, all before
// the browser is shown. Failures are shown in message boxes (platform/Prompts.h) after the
// progress window has been closed.
//
// Keys: "Root" for the server, "Root" and the store's position for a store, the folder's
// ID, ":" and the store's ID for a folder, "Err->" and fifteen random digits for a
// sub-folder that could not be fetched. A store's top folder gets no node of its own.

#include <cstdint>
#include <string>

#include "mapi/ConnectProgress.h"
#include "mapi/FolderTree.h"
#include "platform/Automation.h"

namespace mapi {

inline constexpr const char* kSessionClass = "MAPI.Session";
// Server and store keys begin with this, unavailable folders with kUnavailablePrefix;
// what the user may select begins with neither.
inline constexpr const char* kRootPrefix = "Root";
inline constexpr const char* kUnavailablePrefix = "Err->";

class ExchangeFolderWalk {
public:
    enum class Outcome {
        // The tree is complete and the session closed: the browser may offer its folders.
        Ready,
        // Nothing to offer: the failure was shown and the browser closes.
        Closed,
        // A store could not be reached in the collection's order: the message was shown,
        // the progress window closed and the session logged off; the browser shows what was
        // read, without letting a folder be taken from it.
        Stopped,
    };

    // `progress` is shown already; the walk closes it whatever the outcome.
    ExchangeFolderWalk(FolderTree& tree, ConnectProgress& progress);

    // Fills the tree from the profile `profileName` (not empty).
    Outcome Open(const std::string& profileName);

    // Logs the session on without a dialog; the failure's text (AutomationErrorText), or
    // an empty text on success.
    std::string LogonProfile(const std::string& profileName, const std::string& password);
    void LogoffProfile();
    // Adds `folder` under `parentKey` and, below it, its sub-folders at every depth. What
    // cannot be read is left out; a sub-folder that cannot be fetched shows as
    // "{Unavailable folder}". Nothing raised here reaches the caller.
    void AddFolderBranch(const platform::ObjectRef& folder, const std::string& storeId,
                         const std::string& parentKey);

private:
    bool addStores();
    void addStore(const platform::ObjectRef& store, std::int32_t position);
    void addUnavailableFolder(const std::string& parentKey);
    void stopOpening(const std::string& message, int style);
    Outcome closeOnFailure(const std::string& message);

    FolderTree& tree_;
    ConnectProgress& progress_;
    platform::ObjectRef MapiSession;
};

}  // namespace mapi
