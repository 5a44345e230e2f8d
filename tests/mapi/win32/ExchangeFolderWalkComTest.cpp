// The folder walk through COM and the scripted server; ComAutomationTest has its failures.
#include <gtest/gtest.h>

#include "../WalkFixture.h"
#include "mapi/ExchangeFolderWalk.h"
#include "support/win32/ScopedScriptedMapi.h"

namespace {

using Outcome = mapi::ExchangeFolderWalk::Outcome;
using testsupport::ScopedScriptedMapi;
using walktest::Lines;

TEST(ExchangeFolderWalkCom, ReadsEveryStoreAndFolderAndReleasesThemAll) {
    platform::installAutomation(nullptr);
    testsupport::ScopedRecordingPrompts prompts;
    walktest::RecordingProgress progress{*prompts};
    mapi::FolderNodeList tree;
    ScopedScriptedMapi registration;
    ASSERT_EQ(mapi::ExchangeFolderWalk(tree, progress).Open("Scripted"), Outcome::Ready);
    const std::string mailbox = ":0000000038A1BB1005E5101AA1BB08002B2A56C2 1/2";
    EXPECT_EQ(walktest::outline(tree.nodes()),
              (Lines{"Exchange Server Root 3/3 +", "  Mailbox - Test Root1 4/5 +",
                     "    Inbox INBOX-1" + mailbox, "    Sent Items SENT-1" + mailbox,
                     "    Restricted RESTR-1" + mailbox, "      Visible RESTR-V" + mailbox,
                     "      {Unavailable folder} Err-># 6/7", "      After RESTR-A" + mailbox,
                     "    Entw\u00fcrfe 4711" + mailbox, "  Public Folders Root2 4/5 +",
                     "    All Public Folders 0A0B0C:001ABCEF 1/2",
                     "      Notices PUB-NOTICES:001ABCEF 1/2", "  Archive Root3 4/5 +"}));
    EXPECT_EQ(walktest::boxes(*prompts), Lines{});
    EXPECT_EQ(ScopedScriptedMapi::liveObjects(), 0);
}

}  // namespace
