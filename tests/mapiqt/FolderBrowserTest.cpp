// The folder browser and the progress window, offscreen, over a scripted "MAPI.Session".
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "mapi/qt/QtFolderTree.h"
#include "mapi/qt/frmExchangeConnect.h"
#include "mapi/qt/frmMSExFolderSelect.h"
#include "platform/qt/WindowTopmost.h"
#include "support/RecordingPrompts.h"
#include "support/ScriptedMapiSession.h"

namespace {

using testsupport::ScriptedFolder;
using testsupport::ScriptedProfile;
using testsupport::ScriptedStore;

const char* const kRootWarning =
    "You cannot select root folder! Please, select a folder from a lower level...";
const char* const kUnavailableWarning =
    "This folder is not currently available. For more information, please contact your post "
    "office administrator...";

std::vector<ScriptedProfile> office() {
    ScriptedFolder projects("F3", "Projects", {ScriptedFolder("F4", "Alpha")});
    projects.failingFetches = {2};
    projects.folders.emplace_back("F5", "Lost");
    ScriptedStore mailbox{"Mailbox", "S1",
                          ScriptedFolder("T1", "Top", {ScriptedFolder("F1", "Inbox"), projects})};
    ScriptedStore archive{"Archive", "S2", ScriptedFolder("T2", "Top", {})};
    ScriptedProfile gap("Gap", {mailbox, archive});
    gap.missingStore = 2;
    return {ScriptedProfile("Office", {mailbox, archive}), gap};
}

class FolderBrowserTest : public testing::Test {
protected:
    FolderBrowserTest() : mapi(office()) {
        main.setGeometry(100, 200, 400, 300);
        txtUserName = new QLineEdit("Office", &main);
        txtExFolder = new QLineEdit("Before", &main);
        main.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&main));
    }

    // A browser through its opening, shown (not modal) when it is to be.
    std::unique_ptr<frmMSExFolderSelect> open() {
        auto browser = std::make_unique<frmMSExFolderSelect>(
            ExFolderTarget{&main, txtUserName, txtExFolder, &strExFolderID, "help.chm"});
        if (browser->Form_Load()) {
            browser->show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(browser.get()));
        }
        return browser;
    }
    static QTreeWidget* tree(QWidget& browser) {
        return browser.findChild<QTreeWidget*>("tvExchangeFoldersList");
    }
    static QTreeWidgetItem* node(QWidget& browser, const QString& key) {
        QTreeWidgetItemIterator it(tree(browser));
        for (; *it; ++it) {
            if ((*it)->data(0, mapiqt::kKeyRole).toString().startsWith(key)) {
                return *it;
            }
        }
        ADD_FAILURE() << "no node " << key.toStdString();
        return nullptr;
    }
    static void clickNode(QWidget& browser, QTreeWidgetItem* item, bool twice = false) {
        QTreeWidget* view = tree(browser);
        view->scrollToItem(item);
        const QPoint at = view->visualItemRect(item).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        if (twice) {
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
        }
    }
    static QPushButton* keySelect(QWidget& browser) {
        return browser.findChild<QPushButton*>("keySelect");
    }
    std::vector<std::pair<std::string, int>> boxes() const {
        std::vector<std::pair<std::string, int>> shown;
        for (const auto& box : prompts->messageBoxes()) {
            shown.emplace_back(box.text, box.style);
        }
        return shown;
    }
    static bool progressShown() {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->objectName() == "frmExchangeConnect" && window->isVisible()) {
                return true;
            }
        }
        return false;
    }

    testsupport::ScopedRecordingPrompts prompts;
    testsupport::ScopedInProcessMapi mapi;
    QWidget main;
    QLineEdit* txtUserName;
    QLineEdit* txtExFolder;
    std::string strExFolderID = "before-id";
};

TEST_F(FolderBrowserTest, OnlyAFolderCanBeTakenAndDoubleClickTakesIt) {
    auto browser = open();
    ASSERT_TRUE(browser->isVisible());
    EXPECT_FALSE(progressShown());
    EXPECT_TRUE(platform::isWindowTopmost(*browser));
    QTreeWidgetItem* server = tree(*browser)->topLevelItem(0);
    ASSERT_EQ(server->childCount(), 2);
    EXPECT_EQ(server->child(0)->text(0), "Mailbox");
    EXPECT_EQ(server->child(1)->text(0), "Archive");
    EXPECT_TRUE(server->isExpanded() && server->child(0)->isExpanded() &&
                server->child(1)->isExpanded());

    // Nothing clicked yet, the server, a store, an unavailable folder: the dialog stays.
    keySelect(*browser)->click();
    const std::pair<QString, const char*> refused[] = {
        {"Root", kRootWarning}, {"Root2", kRootWarning}, {"Err->", kUnavailableWarning}};
    for (const auto& [key, warning] : refused) {
        clickNode(*browser, node(*browser, key));
        keySelect(*browser)->click();
    }
    clickNode(*browser, node(*browser, "Root1"), true);
    EXPECT_EQ(boxes(), (std::vector<std::pair<std::string, int>>{{kRootWarning, 48},
                                                                 {kRootWarning, 48},
                                                                 {kRootWarning, 48},
                                                                 {kUnavailableWarning, 48},
                                                                 {kRootWarning, 48}}));
    EXPECT_TRUE(browser->isVisible());
    EXPECT_EQ(txtExFolder->text(), "Before");

    // A folder that has sub-folders, by double click.
    clickNode(*browser, node(*browser, "F3:"), true);
    EXPECT_FALSE(browser->isVisible());
    EXPECT_EQ(txtExFolder->text(), "Projects");
    EXPECT_EQ(strExFolderID, "F3:S1");
    EXPECT_EQ(browser->result(), QDialog::Accepted);
}

TEST_F(FolderBrowserTest, EscOnTheDialogTheTreeOrTheButtonChangesNothing) {
    for (const char* target : {"frmMSExFolderSelect", "tvExchangeFoldersList", "keySelect"}) {
        SCOPED_TRACE(target);
        auto browser = open();
        clickNode(*browser, node(*browser, "F1:"));
        QWidget* widget =
            browser->objectName() == target ? browser.get() : browser->findChild<QWidget*>(target);
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_Escape);
        EXPECT_FALSE(browser->isVisible());
        EXPECT_EQ(browser->result(), QDialog::Rejected);
        EXPECT_EQ(txtExFolder->text(), "Before");
        EXPECT_EQ(strExFolderID, "before-id");
    }
    EXPECT_TRUE(prompts->messageBoxes().empty());
}

TEST_F(FolderBrowserTest, OpeningsThatFailOrStopShort) {
    struct Case {
        QString profile;
        bool shown;
        std::pair<std::string, int> box;
        int logons;
    };
    const Case cases[] = {
        {"", false, {"Please, select MS Exchange profile first!", 48}, 0},
        {"Nobody",
         false,
         {"-2147221231 was generated by Collaboration Data Objects\r[Collaboration Data Objects "
          "- [MAPI_E_LOGON_FAILED(80040111)]]",
          16},
         1},
        {"Gap", true, {"Error, cannot get this InfoStore object", 16}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.profile.toStdString());
        prompts->clearShown();
        txtUserName->setText(c.profile);
        auto browser = open();
        EXPECT_EQ(browser->isVisible(), c.shown);
        EXPECT_EQ(boxes(), std::vector{c.box});
        EXPECT_EQ(mapi.log().logons, c.logons);
        EXPECT_FALSE(progressShown());
        if (c.shown) {
            // What was read is shown, but no folder can be taken from it.
            EXPECT_FALSE(keySelect(*browser)->isEnabled());
            clickNode(*browser, node(*browser, "F1:"), true);
            EXPECT_TRUE(browser->isVisible());
        }
        EXPECT_EQ(txtExFolder->text(), "Before");
    }
}

TEST_F(FolderBrowserTest, ControlsFollowTheSizeWithinTheLimitsWhileOpen) {
    auto browser = open();
    EXPECT_EQ(browser->minimumSize(), QSize(300, 300));
    EXPECT_EQ(browser->maximumSize(), QSize(2000, 2000));
    // 400 x 300 pixels at 15 twips a pixel: 6000 x 4500 twips.
    QWidget* client = browser->findChild<QWidget*>("clientArea");
    for (int settle = 0; settle < 2; ++settle) {
        browser->resize(400, 300 + browser->height() - client->height());
        QCoreApplication::processEvents();
    }
    ASSERT_EQ(client->size(), QSize(400, 300));
    EXPECT_EQ(keySelect(*browser)->geometry(), QRect(272, 267, 120, 25));
    EXPECT_EQ(tree(*browser)->geometry(), QRect(8, 8, 384, 251));
    browser->close();
    EXPECT_EQ(browser->minimumSize(), QSize(0, 0));
    EXPECT_EQ(browser->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
}

TEST_F(FolderBrowserTest, ProgressWindowAnimatesCentredOnTopWhileOpen) {
    frmExchangeConnect progress(main);
    progress.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&progress));
    EXPECT_LE((progress.frameGeometry().center() - main.frameGeometry().center()).manhattanLength(),
              1);
    EXPECT_TRUE(platform::isWindowTopmost(progress));
    ASSERT_NE(progress.IconTimer, nullptr);
    EXPECT_TRUE(progress.IconTimer->isActive());
    EXPECT_EQ(progress.IconTimer->interval(), 100);

    std::vector<int> shown;
    for (int tick = 0; tick < 11; ++tick) {
        progress.IconTimer_ThatTime();
        const qint64 frame = progress.Image1->pixmap().cacheKey();
        int index = -1;
        for (int i = 0; i < mapiqt::kSleepFrames; ++i) {
            if (progress.SleepIcon[i].cacheKey() == frame) {
                index = i;
            }
        }
        shown.push_back(index);
    }
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 0, 1, 2}));

    progress.dismiss();
    EXPECT_EQ(progress.IconTimer, nullptr);
    EXPECT_FALSE(platform::isWindowTopmost(progress));
    EXPECT_FALSE(progress.isVisible());
}

}  // namespace
