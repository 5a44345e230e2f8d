// F1 in the main window with the real help viewer and the help files that come with the
// program, installed in the home directory as the installation does.
#include <QTest>

#include "WindowTest.h"
#include "platform/qt/ChmHelp.h"
#include "platform/qt/HelpViewer.h"

namespace apptest {
namespace {

namespace fs = std::filesystem;

class HelpWindow : public WindowTest {
protected:
    HelpWindow() {
        for (const char* file : {"English.chm", "German.chm"}) {
            fs::copy_file(fs::path(QB_HELP_DIR) / file, home / file);
        }
        fs::copy_file(fs::path(QB_SHARE_DIR) / "lang" / "German.lng", home / "German.lng");
        auto viewer = std::make_unique<platform::ChmHelp>();
        chmHelp = viewer.get();
        platform::installHelp(std::move(viewer));
        storeConfigurations({record("Office", 0)});
    }

    // As the user does, who comes back to the main window from the viewer first.
    void pressF1On(const char* name) {
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        focus(name);
        pressKey(control(name), Qt::Key_F1);
    }

    platform::ChmHelp* chmHelp = nullptr;
};

TEST_F(HelpWindow, F1ShowsTheFieldsTopicInTheChosenLanguagesHelpFile) {
    open();
    pressF1On("txtWhTime");
    platform::HelpViewer* viewer = chmHelp->viewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->helpFile().toStdString(), (home / "English.chm").string());
    EXPECT_EQ(viewer->topicPath(), "/frequency.htm");
    EXPECT_EQ(viewer->windowTitle(), "Mail box check frequency");
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_TRUE(platform::isWindowTopmost(*viewer)) << "not hidden by the topmost main window";

    chooseLanguage("German");
    pressF1On("txtWhTime");
    EXPECT_EQ(chmHelp->viewer(), viewer);
    EXPECT_EQ(viewer->helpFile().toStdString(), (home / "German.chm").string());
    EXPECT_EQ(viewer->windowTitle(), QString::fromUtf8("Prüfabstand des Postfachs"));
    EXPECT_TRUE(prompts->messageBoxes().empty());
}

TEST_F(HelpWindow, AMissingHelpFileIsReportedOnceAndTheWindowStaysUsable) {
    fs::remove(home / "English.chm");
    open();
    pressF1On("txtWhTime");
    ASSERT_EQ(prompts->messageBoxes().size(), 1U);
    EXPECT_EQ(prompts->messageBoxes()[0].style, platform::msgbox::kExclamation);
    EXPECT_EQ(prompts->messageBoxes()[0].windowTopmost, false) << "the box is not hidden";
    EXPECT_TRUE(topmost());
    EXPECT_EQ(chmHelp->viewer(), nullptr);
}

}  // namespace
}  // namespace apptest
