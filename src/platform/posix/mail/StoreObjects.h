#pragma once
// The objects a logged-on session hands out: the collection of stores, a store, a folder
// and a folder's collection of sub-folders. They read the folder trees that Logon built;
// each keeps its store's tree alive for as long as the caller holds it.

#include <memory>
#include <string>
#include <vector>

#include "platform/posix/mail/FolderTree.h"
#include "platform/posix/mail/MailObject.h"

namespace mail {

struct LoadedStore {
    std::string name;
    std::string id;
    std::unique_ptr<FolderNode> top;
};
using LoadedStores = std::vector<std::shared_ptr<const LoadedStore>>;

// Identifiers are the hexadecimal digits of a folder's path and of a store's URL: stable
// across sessions, and free of ":", with which the caller joins them.
std::string hexIdentifier(const std::string& text);
std::string folderIdentifier(const FolderPath& path);

// InfoStores: Count, Item(1-based index).
platform::ObjectRef makeInfoStores(LoadedStores stores);

}  // namespace mail
