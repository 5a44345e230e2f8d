// The folder browser and the progress window, offscreen, over a scripted "MAPI.Session".
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "../mapi/WalkFixture.h"
#include "mapi/qt/QtFolderTree.h"
#include "mapi/qt/frmExchangeConnect.h"
#include "mapi/qt/frmMSExFolderSelect.h"
#include "platform/qt/WindowTopmost.h"
#include "support/FakeHelp.h"
#include "support/ScriptedMapiSession.h"

namespace {

using testsupport::ScriptedFolder;
using testsupport::ScriptedProfile;
using walktest::Lines;

const std::string kRoot =
    "48:You cannot select root folder! Please, select a folder from a lower level...";

std::vector<ScriptedProfile> office() {
    ScriptedFolder projects("F3", "Projects", {ScriptedFolder("F4", "Alpha"), {"F5", "Lost"}});
    projects.failingFetches = {2};
    const testsupport::ScriptedStore mailbox{
        "Mailbox", "S1", ScriptedFolder("T1", "Top", {ScriptedFolder("F1", "Inbox"), projects})};
    const testsupport::ScriptedStore archive{"Archive", "S2", ScriptedFolder("T2", "Top")};
    ScriptedProfile gap("Gap", {mailbox, archive});
    gap.missingStore = 2;
    return {ScriptedProfile("Office", {mailbox, archive}), gap};
}

class FolderBrowserTest : public testing::Test {
protected:
    FolderBrowserTest() : mapi(office()) {
        main.setGeometry(100, 200, 400, 300);
        main.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&main));
    }

    // Shown, not modal, when the opening allows.
    std::unique_ptr<frmMSExFolderSelect> open() {
        auto browser = std::make_unique<frmMSExFolderSelect>(
            ExFolderTarget{&main, txtUserName, txtExFolder, &strExFolderID, "help.chm"});
        if (browser->Form_Load()) {
            browser->show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(browser.get()));
        }
        return browser;
    }
    // Clicks, or double-clicks, the node whose key starts with `key`.
    static void click(QWidget& browser, const QString& key, bool twice = false) {
        auto* view = browser.findChild<QTreeWidget*>("tvExchangeFoldersList");
        QTreeWidgetItemIterator it(view);
        while (*it && !(*it)->data(0, mapiqt::kKeyRole).toString().startsWith(key)) {
            ++it;
        }
        ASSERT_TRUE(*it) << key.toStdString();
        view->scrollToItem(*it);  // expands its parents, as a double click may have closed them
        const QPoint at = view->visualItemRect(*it).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        if (twice) {
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
        }
    }

    testsupport::ScopedRecordingPrompts prompts;
    testsupport::ScopedInProcessMapi mapi;
    QWidget main;
    QLineEdit* txtUserName = new QLineEdit("Office", &main);
    QLineEdit* txtExFolder = new QLineEdit("Before", &main);
    std::string strExFolderID = "before-id";
};

TEST_F(FolderBrowserTest, OnlyAFolderCanBeTakenAndControlsFollowTheSizeWhileOpen) {
    testsupport::ScopedFakeHelp help;
    auto browser = open();
    ASSERT_TRUE(browser->isVisible());
    EXPECT_TRUE(platform::isWindowTopmost(*browser));
    EXPECT_EQ(browser->minimumSize(), QSize(300, 300));
    EXPECT_EQ(browser->maximumSize(), QSize(2000, 2000));
    // 400 x 300 pixels at 15 twips a pixel: 6000 x 4500 twips.
    QWidget* client = browser->findChild<QWidget*>("clientArea");
    for (int settle = 0; settle < 2; ++settle) {
        browser->resize(400, 300 + browser->height() - client->height());
        QCoreApplication::processEvents();
    }
    ASSERT_EQ(client->size(), QSize(400, 300));
    EXPECT_EQ(browser->findChild<QWidget*>("keySelect")->geometry(), QRect(272, 267, 120, 25));
    EXPECT_EQ(browser->findChild<QWidget*>("tvExchangeFoldersList")->geometry(),
              QRect(8, 8, 384, 251));
    QTest::keyClick(browser->findChild<QWidget*>("tvExchangeFoldersList"), Qt::Key_F1);
    ASSERT_EQ(help->shown().size(), 1u);
    EXPECT_EQ(help->shown()[0].contextId, 21140);

    // Nothing clicked yet (the server's key), a store, an unavailable folder: the dialog stays.
    auto* keySelect = browser->findChild<QPushButton*>("keySelect");
    keySelect->click();
    for (const char* key : {"Root2", "Err->"}) {
        click(*browser, key);
        keySelect->click();
    }
    click(*browser, "Root1", true);
    EXPECT_EQ(walktest::boxes(*prompts),
              (Lines{kRoot, kRoot,
                     "48:This folder is not currently available. For more information, "
                     "please contact your post office administrator...",
                     kRoot}));
    EXPECT_TRUE(browser->isVisible());
    EXPECT_EQ(txtExFolder->text(), "Before");

    click(*browser, "F3:", true);  // a folder with sub-folders
    EXPECT_FALSE(browser->isVisible());
    EXPECT_EQ(browser->result(), QDialog::Accepted);
    EXPECT_EQ(txtExFolder->text(), "Projects");
    EXPECT_EQ(strExFolderID, "F3:S1");
    EXPECT_EQ(browser->minimumSize(), QSize(0, 0));
    EXPECT_EQ(browser->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
}

TEST_F(FolderBrowserTest, EscOnTheDialogTheTreeOrTheButtonChangesNothing) {
    for (const char* target : {"tvExchangeFoldersList", "keySelect"}) {
        SCOPED_TRACE(target);
        auto browser = open();
        click(*browser, "F1:");
        QWidget* at = browser->findChild<QWidget*>(target);
        at->setFocus();
        QTest::keyClick(at, Qt::Key_Escape);
        EXPECT_FALSE(browser->isVisible());
        EXPECT_EQ(browser->result(), QDialog::Rejected);
        EXPECT_EQ(txtExFolder->text(), "Before");
        EXPECT_EQ(strExFolderID, "before-id");
    }
}

TEST_F(FolderBrowserTest, OpeningsThatFailOrStopShort) {
    const std::tuple<QString, bool, int> cases[] = {{"Nobody", false, 1}, {"Gap", true, 2}};
    for (const auto& [profile, shown, logons] : cases) {
        SCOPED_TRACE(profile.toStdString());
        txtUserName->setText(profile);
        auto browser = open();
        EXPECT_EQ(browser->isVisible(), shown);
        EXPECT_EQ(mapi.log().logons, logons);
        if (shown) {
            // What was read is shown, but no folder can be taken from it.
            EXPECT_FALSE(browser->findChild<QWidget*>("keySelect")->isEnabled());
            click(*browser, "F1:", true);
            EXPECT_TRUE(browser->isVisible());
        }
    }
}

TEST_F(FolderBrowserTest, ProgressWindowAnimatesCentredOnTopWhileOpen) {
    frmExchangeConnect progress(main);
    progress.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&progress));
    EXPECT_LE((progress.frameGeometry().center() - main.frameGeometry().center()).manhattanLength(),
              1);
    EXPECT_TRUE(platform::isWindowTopmost(progress));
    EXPECT_TRUE(progress.IconTimer->isActive());
    EXPECT_EQ(progress.IconTimer->interval(), 100);

    for (int tick = 0; tick < 11; ++tick) {  // eight frames in turn, one a tick
        progress.IconTimer_ThatTime();
        EXPECT_EQ(progress.Image1->pixmap().cacheKey(), progress.SleepIcon.at(tick % 8).cacheKey());
    }

    progress.dismiss();
    EXPECT_EQ(progress.IconTimer, nullptr);
    EXPECT_FALSE(platform::isWindowTopmost(progress));
    EXPECT_FALSE(progress.isVisible());
}

}  // namespace
