#pragma once
// What the folder walk's and the browser's suites share.

#include <map>
#include <regex>
#include <string>
#include <vector>

#include "mapi/ConnectProgress.h"
#include "mapi/FolderTree.h"
#include "support/RecordingPrompts.h"

namespace walktest {

using Lines = std::vector<std::string>;

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

// A line a node, indented: text, key and pictures unless `textOnly`, "+" when expanded;
// an unavailable folder's random key, once seen to be fifteen digits, as "Err->#".
inline Lines outline(const std::vector<mapi::FolderNode>& nodes, bool textOnly = false) {
    std::map<std::string, std::string> indentOf{{"", ""}};
    Lines lines;
    for (const mapi::FolderNode& node : nodes) {
        const std::string indent = node.parentKey.empty() ? "" : indentOf.at(node.parentKey) + "  ";
        indentOf[node.key] = indent;
        const std::string key =
            std::regex_replace(node.key, std::regex("^Err->[0-9]{15}$"), "Err->#");
        lines.push_back(indent + node.text +
                        (textOnly ? ""
                                  : " " + key + " " + std::to_string(node.picture) + "/" +
                                        std::to_string(node.selectedPicture) +
                                        (node.expanded ? " +" : "")));
    }
    return lines;
}

// "style:text" of every box shown.
inline Lines boxes(const testsupport::RecordingPrompts& prompts) {
    Lines shown;
    for (const auto& box : prompts.messageBoxes()) {
        shown.push_back(std::to_string(box.style) + ":" + box.text);
    }
    return shown;
}

}  // namespace walktest
