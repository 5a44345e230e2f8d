#pragma once
// The folders of one store as a mail client shows them: Inbox first, then the other
// folders by name, each with its sub-folders. Built at once from the flat listing the
// server or the Maildir tree gives, so that walking it needs no further I/O.

#include <memory>
#include <string>
#include <vector>

namespace mail {

using FolderPath = std::vector<std::string>;  // UTF-8 names from the top down

struct FolderNode {
    std::string name;  // shown to the user
    FolderPath path;   // empty for the store's top folder
    std::vector<std::unique_ptr<FolderNode>> children;
};

// The top folder of a store holding these folders. A folder whose parent is not listed
// (a server's non-existent parent, a Maildir++ ".a.b" without ".a") gets that parent
// made for it. A top-level "INBOX" (any case) is shown as Inbox and comes first.
std::unique_ptr<FolderNode> buildFolderTree(const std::vector<FolderPath>& paths);

}  // namespace mail
