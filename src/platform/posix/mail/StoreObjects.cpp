#include "platform/posix/mail/StoreObjects.h"

#include <algorithm>

namespace mail {

namespace {

using platform::AutomationValue;
using platform::ObjectRef;

// The class number of a folder object in the Exchange client's object model.
constexpr std::int32_t kFolderClass = 2;

ObjectRef makeFolder(std::shared_ptr<const LoadedStore> store, const FolderNode& node);

// A folder's sub-folders, walked with GetFirst and GetNext (or GetLast and GetPrevious).
class FolderCollection final : public MailObject {
public:
    FolderCollection(std::shared_ptr<const LoadedStore> store, const FolderNode& parent)
        : store_(std::move(store)), parent_(parent) {}

protected:
    std::optional<AutomationValue> property(const std::string& name) override {
        if (named(name, "Count")) {
            return static_cast<std::int32_t>(parent_.children.size());
        }
        return std::nullopt;
    }

    std::optional<AutomationValue> method(const std::string& name,
                                          const std::vector<AutomationValue>& arguments) override {
        if (named(name, "GetFirst")) {
            return at(0);
        }
        if (named(name, "GetNext")) {
            return at(cursor_ + 1);
        }
        if (named(name, "GetLast")) {
            return at(static_cast<std::ptrdiff_t>(parent_.children.size()) - 1);
        }
        if (named(name, "GetPrevious")) {
            return at(cursor_ - 1);
        }
        if (named(name, "Item")) {
            expectArguments(arguments, 1, 1);
            return at(platform::automationNumber(arguments[0]) - 1);
        }
        return std::nullopt;
    }

private:
    // The sub-folder at that position, which becomes the current one; Nothing past either end.
    AutomationValue at(std::ptrdiff_t index) {
        const auto count = static_cast<std::ptrdiff_t>(parent_.children.size());
        cursor_ = std::clamp<std::ptrdiff_t>(index, -1, count);
        if (index < 0 || index >= count) {
            return platform::Nothing{};
        }
        return makeFolder(store_, *parent_.children[static_cast<std::size_t>(index)]);
    }

    std::shared_ptr<const LoadedStore> store_;
    const FolderNode& parent_;
    std::ptrdiff_t cursor_ = -1;
};

class Folder final : public MailObject {
public:
    Folder(std::shared_ptr<const LoadedStore> store, const FolderNode& node)
        : store_(std::move(store)), node_(node) {}

protected:
    std::optional<AutomationValue> property(const std::string& name) override {
        if (named(name, "Name")) {
            return node_.path.empty() ? store_->name : node_.name;
        }
        if (named(name, "ID")) {
            return folderIdentifier(node_.path);
        }
        if (named(name, "Class")) {
            return kFolderClass;
        }
        if (named(name, "StoreID")) {
            return store_->id;
        }
        if (named(name, "Folders")) {
            return ObjectRef(std::make_shared<FolderCollection>(store_, node_));
        }
        return std::nullopt;
    }

private:
    std::shared_ptr<const LoadedStore> store_;
    const FolderNode& node_;
};

ObjectRef makeFolder(std::shared_ptr<const LoadedStore> store, const FolderNode& node) {
    return std::make_shared<Folder>(std::move(store), node);
}

class Store final : public MailObject {
public:
    explicit Store(std::shared_ptr<const LoadedStore> store) : store_(std::move(store)) {}

protected:
    std::optional<AutomationValue> property(const std::string& name) override {
        if (named(name, "Name")) {
            return store_->name;
        }
        if (named(name, "ID")) {
            return store_->id;
        }
        if (named(name, "RootFolder")) {
            return makeFolder(store_, *store_->top);
        }
        return std::nullopt;
    }

private:
    std::shared_ptr<const LoadedStore> store_;
};

class InfoStores final : public MailObject {
public:
    explicit InfoStores(LoadedStores stores) : stores_(std::move(stores)) {}

protected:
    std::optional<AutomationValue> property(const std::string& name) override {
        if (named(name, "Count")) {
            return static_cast<std::int32_t>(stores_.size());
        }
        return std::nullopt;
    }

    std::optional<AutomationValue> method(const std::string& name,
                                          const std::vector<AutomationValue>& arguments) override {
        if (!named(name, "Item")) {
            return std::nullopt;
        }
        expectArguments(arguments, 1, 1);
        const std::int32_t index = platform::automationNumber(arguments[0]);
        if (index < 1 || static_cast<std::size_t>(index) > stores_.size()) {
            return platform::Nothing{};
        }
        return ObjectRef(std::make_shared<Store>(stores_[static_cast<std::size_t>(index - 1)]));
    }

private:
    LoadedStores stores_;
};

}  // namespace

std::string hexIdentifier(const std::string& text) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(text.size() * 2);
    for (const unsigned char byte : text) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0x0F];
    }
    return hex;
}

std::string folderIdentifier(const FolderPath& path) {
    // Names are joined with a NUL byte, which no folder name holds, so that "a/b" as one
    // name and "b" inside "a" get different identifiers whatever the server's separator.
    // The top folder, with no name at all, is the lone NUL.
    std::string joined(path.empty() ? 1 : 0, '\0');
    for (std::size_t i = 0; i < path.size(); ++i) {
        joined += (i > 0 ? std::string(1, '\0') : std::string()) + path[i];
    }
    return hexIdentifier(joined);
}

ObjectRef makeInfoStores(LoadedStores stores) {
    return std::make_shared<InfoStores>(std::move(stores));
}

}  // namespace mail
