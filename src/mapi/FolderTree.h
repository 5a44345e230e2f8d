#pragma once
// The tree the folder walk fills: the server, its message stores and their folders, each
// node added under a parent named by its key. The browser's tree view and a plain list
// (tests, benchmarks) both take the nodes through this interface, so that one walk fills
// either.

#include <string>
#include <unordered_set>
#include <vector>

namespace mapi {

// The pictures of the tree, numbered as the browser's image list numbers them.
enum FolderPicture : int {
    kPictureFolder = 1,
    kPictureFolderSelected = 2,
    kPictureServer = 3,
    kPictureStore = 4,
    kPictureStoreSelected = 5,
    kPictureUnavailable = 6,
    kPictureUnavailableSelected = 7,
};

struct FolderNode {
    std::string key;
    std::string text;
    // Key of the parent node; empty for a top-level node.
    std::string parentKey;
    int picture = kPictureFolder;
    int selectedPicture = kPictureFolderSelected;
    bool expanded = false;

    bool operator==(const FolderNode&) const = default;
};

// Keys are unique in a tree: adding a key that is already there raises, as a tree view's
// node collection does, and adds nothing.
class FolderTree {
public:
    virtual ~FolderTree() = default;

    // Throws platform::AutomationError (35602, "Key is not unique in collection") for a key
    // already in the tree.
    void add(const FolderNode& node);
    bool contains(const std::string& key) const { return keys_.count(key) != 0; }

protected:
    // Shows the node; its parent, when it has one, was added before.
    virtual void insert(const FolderNode& node) = 0;

private:
    std::unordered_set<std::string> keys_;
};

// The nodes in the order they were added.
class FolderNodeList final : public FolderTree {
public:
    const std::vector<FolderNode>& nodes() const { return nodes_; }

protected:
    void insert(const FolderNode& node) override { nodes_.push_back(node); }

private:
    std::vector<FolderNode> nodes_;
};

}  // namespace mapi
