#include <gtest/gtest.h>

#include <QListWidget>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <fstream>

#include "platform/Prompts.h"
#include "platform/qt/ChmHelp.h"
#include "platform/qt/HelpBrowser.h"
#include "platform/qt/HelpViewer.h"
#include "platform/qt/QtPrompts.h"
#include "platform/qt/ToolkitServices.h"
#include "support/RecordingPrompts.h"
#include "support/ScratchDir.h"

namespace {

namespace fs = std::filesystem;

std::string shipped(const char* language) {
    return std::string(QB_HELP_DIR) + "/" + language + ".chm";
}

// tests/app opens the viewer by F1 and sees a missing file reported.
TEST(ChmHelp, EachFileThatCannotHelpGivesOneWarning) {
    const fs::path scratch = testsupport::makeScratchDir();
    const auto write = [&](const char* name, const std::string& bytes) {
        std::ofstream(scratch / name, std::ios::binary) << bytes;
        return (scratch / name).string();
    };
    const std::string english = testsupport::fileBytes(shipped("English"));
    const struct {
        std::string file;
        int contextId;
        const char* says;
    } cases[] = {
        {scratch.string(), 21050, "cannot be found"},
        {write("Garbage.chm", "ITSF not really a help file"), 21050, "damaged"},
        {write("Cut.chm", english.substr(0, english.size() / 3)), 21160, "damaged"},
        {shipped("English"), 99999, "no topic for help context 99999"},
    };
    testsupport::ScopedRecordingPrompts prompts;
    platform::ChmHelp help;
    for (const auto& c : cases) {
        prompts->clearShown();
        EXPECT_FALSE(help.showTopic(c.file, c.contextId, 0)) << c.file;
        ASSERT_EQ(prompts->messageBoxes().size(), 1U) << c.file;
        EXPECT_NE(prompts->messageBoxes()[0].text.find(c.says), std::string::npos)
            << prompts->messageBoxes()[0].text;
    }
    EXPECT_EQ(help.viewer(), nullptr);
    fs::remove_all(scratch);
}

TEST(ChmHelp, OneViewerFollowsEveryRequestAndKeepsItsHistory) {
    testsupport::ScopedRecordingPrompts prompts;
    platform::ChmHelp help;
    ASSERT_TRUE(help.showTopic(shipped("English"), 21160, 0));
    platform::HelpViewer* viewer = help.viewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->contents().currentItem()->text(), "Mail box check frequency");

    viewer->browser().setSource(viewer->browser().source().resolved(QUrl("index.htm")));
    EXPECT_EQ(viewer->topicPath(), "/index.htm");
    viewer->hide();
    ASSERT_TRUE(help.showTopic(shipped("English"), 21170, 0));
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->topicPath(), "/signal.htm");
    viewer->findChild<QToolButton*>("keyBack")->click();
    EXPECT_EQ(viewer->topicPath(), "/index.htm");
    viewer->findChild<QToolButton*>("keyForward")->click();
    EXPECT_EQ(viewer->topicPath(), "/signal.htm");

    ASSERT_TRUE(help.showTopic(shipped("Russian"), 21160, 0));
    EXPECT_EQ(viewer->contents().item(1)->text(), QString::fromUtf8("Окно настройки"));
    EXPECT_TRUE(prompts->messageBoxes().empty());
}

TEST(ToolkitServices, TheWindowsGetQtsBoxesAndTheHelpViewer) {
    platform::installToolkitServices();
    EXPECT_NE(dynamic_cast<platform::QtPrompts*>(&platform::prompts()), nullptr);
    if (!platform::createPlatformHelp()) {
        EXPECT_NE(dynamic_cast<platform::ChmHelp*>(&platform::help()), nullptr);
    }
    platform::installPrompts(nullptr);
    platform::installHelp(nullptr);
}

}  // namespace
