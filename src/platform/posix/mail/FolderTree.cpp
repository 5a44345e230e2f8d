#include "platform/posix/mail/FolderTree.h"

#include <algorithm>
#include <unordered_map>

namespace mail {

namespace {

bool isInbox(const FolderPath& path) {
    if (path.size() != 1 || path[0].size() != 5) {
        return false;
    }
    return std::equal(path[0].begin(), path[0].end(), "INBOX", [](char a, char b) {
        return (a >= 'a' && a <= 'z' ? a - 'a' + 'A' : a) == b;
    });
}

// Names cannot hold NUL, so joining with it tells every path apart.
std::string joined(const FolderPath& path, std::size_t depth) {
    std::string key;
    for (std::size_t i = 0; i < depth; ++i) {
        key += path[i];
        key += '\0';
    }
    return key;
}

void sortChildren(FolderNode& node) {
    std::sort(node.children.begin(), node.children.end(),
              [](const std::unique_ptr<FolderNode>& a, const std::unique_ptr<FolderNode>& b) {
                  const bool aInbox = isInbox(a->path);
                  const bool bInbox = isInbox(b->path);
                  if (aInbox != bInbox) {
                      return aInbox;
                  }
                  return a->name < b->name;
              });
    for (const std::unique_ptr<FolderNode>& child : node.children) {
        sortChildren(*child);
    }
}

}  // namespace

std::unique_ptr<FolderNode> buildFolderTree(const std::vector<FolderPath>& paths) {
    auto top = std::make_unique<FolderNode>();
    std::unordered_map<std::string, FolderNode*> byPath;
    byPath.reserve(paths.size() * 2);
    for (const FolderPath& path : paths) {
        FolderNode* parent = top.get();
        for (std::size_t depth = 1; depth <= path.size(); ++depth) {
            auto [slot, isNew] = byPath.try_emplace(joined(path, depth), nullptr);
            if (isNew) {
                auto node = std::make_unique<FolderNode>();
                node->path.assign(path.begin(), path.begin() + depth);
                node->name = isInbox(node->path) ? "Inbox" : node->path.back();
                slot->second = node.get();
                parent->children.push_back(std::move(node));
            }
            parent = slot->second;
        }
    }
    sortChildren(*top);
    return top;
}

}  // namespace mail
