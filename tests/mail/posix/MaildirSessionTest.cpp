// The mail session over Maildir++ trees in temporary directories.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "SessionWalk.h"
#include "platform/posix/mail/MailProfile.h"
#include "support/TestRegistry.h"

namespace mailtest {
namespace {

namespace fs = std::filesystem;

void makeMaildir(const fs::path& dir, bool subfolder) {
    for (const char* part : {"cur", "new", "tmp"}) {
        fs::create_directories(dir / part);
    }
    if (subfolder) {
        std::ofstream(dir / "maildirfolder");
    }
}

// A Maildir++ tree: the tree is the Inbox, ".a.b" is folder b inside folder a, names in
// modified UTF-7 as Courier and Dovecot write them ("&AOk-" is é, "&AC4-" a dot).
fs::path makeTree(const fs::path& root, const std::vector<std::string>& folders) {
    makeMaildir(root, false);
    for (const std::string& folder : folders) {
        makeMaildir(root / folder, true);
    }
    return root;
}

std::string maildirUrl(const fs::path& dir) {
    return "maildir://" + dir.string();
}

class MaildirSession : public ::testing::Test {
protected:
    testsupport::ScopedTestRegistry registry;
    fs::path dir = registry.scratchDir();
};

TEST_F(MaildirSession, ShowsInboxBesideTheFoldersOfEveryStoreWithStableIdentifiers) {
    const fs::path work =
        makeTree(dir / "work", {".Sent", ".Proj&AOk-ts 2024", ".Proj&AOk-ts 2024.v1&AC4-2",
                                ".Drafts", ".Archive.2023.Q1"});
    const fs::path old = makeTree(dir / "old mail", {});
    ASSERT_EQ(mail::writeProfile("Büro Ärger", {{maildirUrl(work), "Work", "", ""},
                                                {maildirUrl(old), "Old", "", ""}}),
              0);

    const std::vector<WalkedStore> first = walkProfile("Büro Ärger");
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0].name, "Work");
    EXPECT_EQ(outline(first[0]),
              (std::vector<std::string>{"Inbox", "Archive", "  2023", "    Q1", "Drafts",
                                        "Projéts 2024", "  v1.2", "Sent"}));
    EXPECT_EQ(first[1].name, "Old");
    EXPECT_EQ(outline(first[1]), std::vector<std::string>{"Inbox"});

    // The browser splits its keys at the one ":" it put there and refuses duplicates.
    std::set<std::string> keys;
    for (const WalkedStore& store : first) {
        for (const WalkedFolder& folder : store.folders) {
            EXPECT_EQ(std::count(folder.key.begin(), folder.key.end(), ':'), 1) << folder.key;
            EXPECT_TRUE(keys.insert(folder.key).second) << folder.key;
        }
    }
    const std::vector<WalkedStore> second = walkProfile("Büro Ärger");
    for (std::size_t s = 0; s < first.size(); ++s) {
        ASSERT_EQ(second[s].folders.size(), first[s].folders.size());
        for (std::size_t f = 0; f < first[s].folders.size(); ++f) {
            EXPECT_EQ(second[s].folders[f].key, first[s].folders[f].key);
        }
    }
}

TEST_F(MaildirSession, FailsWithTheNumberSourceAndDescriptionOfEachFault) {
    ASSERT_EQ(mail::writeProfile("Gone", {{maildirUrl(dir / "missing"), "Gone", "", ""}}), 0);
    ASSERT_EQ(mail::writeProfile("Broken", {{"maildir:relative/path", "Broken", "", ""}}), 0);
    struct Case {
        std::string profile;
        std::uint32_t number;
        std::string inDescription;
    };
    for (const Case& c : std::vector<Case>{{"Nobody", 0x8004010F, "Nobody"},
                                           {"Gone", 0x8004010F, "missing"},
                                           {"Broken", 0x8004011B, "relative/path"}}) {
        try {
            walkProfile(c.profile);
            ADD_FAILURE() << c.profile << " logged on";
        } catch (const platform::AutomationError& error) {
            EXPECT_EQ(static_cast<std::uint32_t>(error.number()), c.number) << c.profile;
            EXPECT_EQ(error.source().rfind("MAPI.Session", 0), 0u) << error.source();
            EXPECT_NE(error.description().find(c.inDescription), std::string::npos)
                << error.description();
        }
    }

    const platform::ObjectRef session = platform::automation().createObject("mapi.session");
    try {
        session->get("InfoStores");
        ADD_FAILURE() << "InfoStores before Logon";
    } catch (const platform::AutomationError& error) {
        EXPECT_EQ(static_cast<std::uint32_t>(error.number()), 0x80040605u);
    }
    try {
        platform::automation().createObject("Outlook.Application");
        ADD_FAILURE() << "an uninstalled class was created";
    } catch (const platform::AutomationError& error) {
        EXPECT_EQ(error.number(), platform::automationerror::kInvalidClassString);
    }
}

}  // namespace
}  // namespace mailtest
