#include "mapi/FolderTree.h"

#include "platform/Automation.h"

namespace mapi {

namespace {
// A tree view's node collection reports a second node with the same key by this error.
constexpr std::int32_t kKeyNotUnique = 35602;
}  // namespace

void FolderTree::add(const FolderNode& node) {
    if (contains(node.key)) {
        throw platform::AutomationError(kKeyNotUnique, "TreeView",
                                        "Key is not unique in collection");
    }
    insert(node);
    keys_.insert(node.key);
}

}  // namespace mapi
