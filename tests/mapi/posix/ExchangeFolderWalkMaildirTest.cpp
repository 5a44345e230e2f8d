// The folder walk over this platform's "MAPI.Session" on Maildir++ trees.
#include <gtest/gtest.h>

#include <filesystem>

#include "../WalkFixture.h"
#include "mapi/ExchangeFolderWalk.h"
#include "platform/posix/mail/MailProfile.h"
#include "support/TestRegistry.h"

namespace {

namespace fs = std::filesystem;

// "" is the tree itself, the Inbox; ".a.b" is folder b inside folder a, names in modified
// UTF-7 as Courier and Dovecot write them ("&AOk-" is é, "&AC4-" a dot).
std::string maildir(const fs::path& root, const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) {
        for (const char* part : {"cur", "new", "tmp"}) {
            fs::create_directories(root / folder / part);
        }
    }
    return "maildir://" + root.string();
}

TEST(ExchangeFolderWalkMaildir, StoresAndFoldersOfTheProfileWithTheirSessionsIdentifiers) {
    testsupport::ScopedTestRegistry registry;
    testsupport::ScopedRecordingPrompts prompts;
    const fs::path dir = registry.scratchDir();
    ASSERT_EQ(mail::writeProfile(
                  "B\u00fcro \u00c4rger",
                  {{maildir(dir / "work", {"", ".Sent", ".Proj&AOk-ts 2024",
                                           ".Proj&AOk-ts 2024.v1&AC4-2", ".Archive.2023.Q1"}),
                    "Work", "", ""},
                   {maildir(dir / "old mail", {""}), "Old", "", ""}}),
              0);
    walktest::RecordingProgress progress(*prompts);
    mapi::FolderNodeList tree;
    EXPECT_EQ(mapi::ExchangeFolderWalk(tree, progress).Open("B\u00fcro \u00c4rger"),
              mapi::ExchangeFolderWalk::Outcome::Ready);
    EXPECT_EQ(walktest::outline(tree.nodes(), true),
              (std::vector<std::string>{"Exchange Server", "  Work", "    Inbox", "    Archive",
                                        "      2023", "        Q1", "    Proj\u00e9ts 2024",
                                        "      v1.2", "    Sent", "  Old", "    Inbox"}));
    // Both Inboxes: their keys differ in their stores' identifiers.
    EXPECT_NE(tree.nodes()[10].key, tree.nodes()[2].key);
    EXPECT_TRUE(prompts->messageBoxes().empty());
}

}  // namespace
