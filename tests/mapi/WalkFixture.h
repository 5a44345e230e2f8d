#pragma once
// What the folder walk's suites share: a progress window that notes when it was closed, and
// the tree written as lines that read as the tree looks.

#include <gtest/gtest.h>

#include <map>
#include <regex>
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

// One line a node, indented by two blanks a level: its text, and unless `textOnly` its key
// and pictures, "+" when expanded. An unavailable folder's random key, once seen to be
// fifteen digits, shows as "Err->#".
inline std::vector<std::string> outline(const std::vector<mapi::FolderNode>& nodes,
                                        bool textOnly = false) {
    std::map<std::string, std::string> indentOf{{"", ""}};
    std::vector<std::string> lines;
    for (const mapi::FolderNode& node : nodes) {
        const std::string indent = node.parentKey.empty() ? "" : indentOf.at(node.parentKey) + "  ";
        indentOf[node.key] = indent;
        std::string key = node.key;
        if (std::regex_match(key, std::regex("Err->[0-9]{15}"))) {
            key = "Err->#";
        }
        lines.push_back(indent + node.text +
                        (textOnly ? ""
                                  : " " + key + " " + std::to_string(node.picture) + "/" +
                                        std::to_string(node.selectedPicture) +
                                        (node.expanded ? " +" : "")));
    }
    return lines;
}

}  // namespace walktest
