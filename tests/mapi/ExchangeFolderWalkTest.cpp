// The folder walk over a scripted "MAPI.Session", into a plain list of nodes.
#include <gtest/gtest.h>

#include <regex>

#include "WalkFixture.h"
#include "mapi/AutomationErrorText.h"
#include "mapi/ExchangeFolderWalk.h"
#include "support/ScriptedMapiSession.h"

namespace {

using mapi::ExchangeFolderWalk;
using mapi::FolderNode;
using Outcome = ExchangeFolderWalk::Outcome;
using testsupport::ScriptedFolder;
using testsupport::ScriptedProfile;
using testsupport::ScriptedStore;

ScriptedFolder folder(std::string id, std::string name, std::vector<ScriptedFolder> folders = {}) {
    return ScriptedFolder(std::move(id), std::move(name), std::move(folders));
}

ScriptedStore store(std::string name, std::string id, std::vector<ScriptedFolder> folders) {
    return {std::move(name), std::move(id),
            folder("top-" + id, "Top of " + name, std::move(folders))};
}

FolderNode server() {
    return {"Root", "Exchange Server", "", 3, 3, true};
}
FolderNode storeNode(std::string key, std::string text) {
    return {std::move(key), std::move(text), "Root", 4, 5, true};
}
FolderNode folderNode(std::string key, std::string text, std::string parent) {
    return {std::move(key), std::move(text), std::move(parent), 1, 2, false};
}

class ExchangeFolderWalkTest : public testing::Test {
protected:
    Outcome open(std::vector<ScriptedProfile> profiles, const std::string& name = "Office",
                 bool installed = true) {
        testsupport::ScopedInProcessMapi mapi(std::move(profiles), installed);
        ExchangeFolderWalk walk(tree, progress);
        const Outcome outcome = walk.Open(name);
        logons = mapi.log().logons;
        logoffs = mapi.log().logoffs;
        logonArguments = mapi.log().logonArguments;
        return outcome;
    }
    std::vector<std::string> boxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : prompts->messageBoxes()) {
            texts.push_back(std::to_string(box.style) + ":" + box.text);
        }
        return texts;
    }

    testsupport::ScopedRecordingPrompts prompts;
    walktest::RecordingProgress progress{*prompts};
    mapi::FolderNodeList tree;
    int logons = 0;
    int logoffs = 0;
    std::vector<std::string> logonArguments;
};

TEST_F(ExchangeFolderWalkTest, TwoStoresInOrderWithNestedAndUnavailableFolders) {
    ScriptedFolder projects =
        folder("F3", "Projects", {folder("F4", "Alpha"), folder("F5", "Beta")});
    projects.failingFetches = {1, 4};
    projects.folders.insert(projects.folders.begin(), folder("lost", "Lost"));
    projects.folders.push_back(folder("lost2", "Lost too"));
    ScriptedFolder note = folder("N1", "A note");
    note.folderClass = 5;
    ScriptedFolder noCollection = folder("F6", "Sent");
    noCollection.hasFolders = false;
    const ScriptedStore bare{"Archive", "S3", std::nullopt};
    EXPECT_EQ(open({ScriptedProfile(
                  "Office", {store("Mailbox", "S1", {folder("F1", "Inbox"), note, projects}),
                             store("Public", "S2", {noCollection}), bare})}),
              Outcome::Ready);

    const auto& nodes = tree.nodes();
    ASSERT_EQ(nodes.size(), 11u);
    const std::vector<FolderNode> known = {
        server(),
        storeNode("Root1", "Mailbox"),
        folderNode("F1:S1", "Inbox", "Root1"),
        folderNode("F3:S1", "Projects", "Root1"),
    };
    EXPECT_EQ(std::vector<FolderNode>(nodes.begin(), nodes.begin() + 4), known);
    // The fetches that failed, in their places, with keys of their own.
    const std::regex unavailableKey("Err->[0-9]{15}");
    for (int at : {4, 7}) {
        EXPECT_TRUE(std::regex_match(nodes[at].key, unavailableKey)) << nodes[at].key;
        EXPECT_EQ(nodes[at].text, "{Unavailable folder}");
        EXPECT_EQ(nodes[at].parentKey, "F3:S1");
        EXPECT_EQ(std::make_pair(nodes[at].picture, nodes[at].selectedPicture),
                  std::make_pair(6, 7));
    }
    EXPECT_NE(nodes[4].key, nodes[7].key);
    const std::vector<FolderNode> rest = {
        folderNode("F4:S1", "Alpha", "F3:S1"),
        folderNode("F5:S1", "Beta", "F3:S1"),
        storeNode("Root2", "Public"),
        folderNode("F6:S2", "Sent", "Root2"),
    };
    EXPECT_EQ(std::vector<FolderNode>(nodes.begin() + 5, nodes.begin() + 7),
              std::vector<FolderNode>(rest.begin(), rest.begin() + 2));
    EXPECT_EQ(std::vector<FolderNode>(nodes.begin() + 8, nodes.begin() + 10),
              std::vector<FolderNode>(rest.begin() + 2, rest.end()));
    EXPECT_EQ(nodes[10], storeNode("Root3", "Archive"));

    EXPECT_EQ(logonArguments, (std::vector<std::string>{"Office", "", "False"}));
    EXPECT_EQ(logoffs, 1);
    EXPECT_EQ(progress.boxesWhenClosed, std::vector<std::size_t>{0});
    EXPECT_EQ(progress.refreshes, 2);
    EXPECT_TRUE(prompts->messageBoxes().empty());
}

TEST_F(ExchangeFolderWalkTest, FoldersWithoutAKeyOfTheirOwnAreLeftOutWithTheirSubFolders) {
    ScriptedFolder unreadable = folder("F7", "Unreadable", {folder("F8", "Below it")});
    unreadable.idFails = true;
    EXPECT_EQ(open({ScriptedProfile("Office", {store("Mailbox", "S1",
                                                     {folder("F1", "Inbox"),
                                                      folder("F1", "Copy", {folder("F2", "Below")}),
                                                      unreadable, folder("F3", "Sent")})})}),
              Outcome::Ready);
    EXPECT_EQ(tree.nodes(), (std::vector<FolderNode>{server(), storeNode("Root1", "Mailbox"),
                                                     folderNode("F1:S1", "Inbox", "Root1"),
                                                     folderNode("F3:S1", "Sent", "Root1")}));
    EXPECT_THROW(tree.add(folderNode("F1:S1", "Again", "Root1")), platform::AutomationError);
    EXPECT_TRUE(prompts->messageBoxes().empty());
}

TEST_F(ExchangeFolderWalkTest, FailuresEndTheOpeningWithTheirMessageAfterTheProgressWindow) {
    ScriptedStore failingTop = store("Mailbox", "S1", {folder("F1", "Inbox")});
    failingTop.rootFolder->failingFetches = {1};
    struct Case {
        const char* name;
        std::vector<ScriptedProfile> profiles;
        std::string profileName;
        bool installed;
        std::string message;
        int logons;
    };
    const std::vector<Case> cases = {
        {"logon refused",
         {ScriptedProfile("Office", {})},
         "Nobody",
         true,
         "16:-2147221231 was generated by Collaboration Data Objects\r"
         "[Collaboration Data Objects - [MAPI_E_LOGON_FAILED(80040111)]]",
         1},
        {"class not installed",
         {ScriptedProfile("Office", {})},
         "Office",
         false,
         "16:-2147221005 was generated by MAPI.Session\rInvalid class string",
         0},
        {"top-level folder not fetched",
         {ScriptedProfile("Office", {failingTop})},
         "Office",
         true,
         "16:-2147221227 was generated by Collaboration Data Objects\r"
         "[Collaboration Data Objects - [MAPI_E_NETWORK_ERROR(80040115)]]",
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tree = {};
        progress.boxesWhenClosed.clear();
        prompts->clearShown();
        EXPECT_EQ(open(c.profiles, c.profileName, c.installed), Outcome::Closed);
        EXPECT_EQ(boxTexts(), std::vector<std::string>{c.message});
        EXPECT_EQ(progress.boxesWhenClosed, std::vector<std::size_t>{0});
        EXPECT_EQ(logons, c.logons);
        EXPECT_EQ(logoffs, 0);
    }
}

TEST_F(ExchangeFolderWalkTest, AStoreMissingFromTheCollectionStopsTheOpeningLoggedOff) {
    ScriptedProfile shrinking("Office", {store("Mailbox", "S1", {}), store("Public", "S2", {})});
    shrinking.laterStoreCount = 1;
    ScriptedProfile gap = shrinking;
    gap.laterStoreCount.reset();
    gap.missingStore = 2;
    const std::pair<ScriptedProfile, std::string> cases[] = {
        {shrinking, "0:Already at end of InfoStores collection"},
        {gap, "16:Error, cannot get this InfoStore object"},
    };
    for (const auto& [profile, message] : cases) {
        SCOPED_TRACE(message);
        tree = {};
        progress.boxesWhenClosed.clear();
        prompts->clearShown();
        EXPECT_EQ(open({profile}), Outcome::Stopped);
        EXPECT_EQ(boxTexts(), std::vector<std::string>{message});
        EXPECT_EQ(progress.boxesWhenClosed, std::vector<std::size_t>{0});
        EXPECT_EQ(logoffs, 1);
        EXPECT_EQ(tree.nodes(), (std::vector<FolderNode>{server(), storeNode("Root1", "Mailbox")}));
    }
}

TEST(AutomationErrorTextTest, NumberSourceCarriageReturnDescription) {
    const std::pair<platform::AutomationError, std::string> cases[] = {
        {{1275, "Server", "Gone"}, " 1275 was generated by Server\rGone"},
        {{0, "", ""}, " 0 was generated by \r"},
        {{-1, "S", "D"}, "-1 was generated by S\rD"},
    };
    for (const auto& [error, text] : cases) {
        EXPECT_EQ(mapi::AutomationErrorText(error), text);
    }
    EXPECT_EQ(mapi::AsAutomationError(std::runtime_error("disk full")).number(), 440);
}

}  // namespace
