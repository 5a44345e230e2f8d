#pragma once
// What the folder walk's suites share: a progress window that notes when it was closed,
// and the tree drawn as indented lines.

#include <map>
#include <string>
#include <vector>

#include "mapi/ConnectProgress.h"
#include "mapi/FolderTree.h"
#include "support/RecordingPrompts.h"

namespace walktest {

// Notes how many message boxes had been shown when the walk closed it.
class RecordingProgress final : public mapi::ConnectProgress {
public:
    explicit RecordingProgress(const testsupport::RecordingPrompts& prompts) : prompts_(prompts) {}
    void refresh() override { ++refreshes; }
    void dismiss() override { boxesWhenClosed.push_back(prompts_.messageBoxes().size()); }

    int refreshes = 0;
    std::vector<std::size_t> boxesWhenClosed;

private:
    const testsupport::RecordingPrompts& prompts_;
};

// Each node's text, indented by two blanks a level below its parent.
inline std::vector<std::string> outline(const std::vector<mapi::FolderNode>& nodes) {
    std::map<std::string, std::string> indentOf{{"", ""}};
    std::vector<std::string> lines;
    for (const mapi::FolderNode& node : nodes) {
        const std::string indent = node.parentKey.empty() ? "" : indentOf.at(node.parentKey) + "  ";
        indentOf[node.key] = indent;
        lines.push_back(indent + node.text);
    }
    return lines;
}

}  // namespace walktest
