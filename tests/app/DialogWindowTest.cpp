// The profile buttons' dialogs and the Exchange folder button over a scripted "MAPI.Session".

#include <QListWidget>

#include "WindowTest.h"
#include "mapi/ProfileDiscovery.h"
#include "mapi/qt/frmMSExFolderSelect.h"
#include "mapi/qt/frmSelectProfile.h"
#include "platformqt/ModalDriver.h"
#include "support/PlantedProfiles.h"
#include "support/ScriptedMapiSession.h"

namespace apptest {
namespace {

using Act = std::function<void(frmSelectProfile&, QListWidget&)>;

class DialogWindow : public WindowTest {
protected:
    void SetUp() override {
        storeConfigurations({record("Office", 0)});
        open();
        typeInto("txtUserName", "Earlier");
    }
    testsupport::ScopedInProcessMapi mapi{{testsupport::ScriptedProfile(
        "Office", {testsupport::ScriptedStore{"Mailbox", "S1",
                                              testsupport::ScriptedFolder("T1", "Top", {})}})}};
    // Highlights entry `row` and lets `act` work the dialog; returns the account name after.
    QString selectProfile(int row, const Act& act) {
        qttest::onNextModal<frmSelectProfile>([&](frmSelectProfile& dialog) {
            EXPECT_FALSE(topmost());
            auto& list = *dialog.findChild<QListWidget*>("lstProfiles");
            EXPECT_TRUE(list.selectedItems().isEmpty()) << "nothing is preselected";
            list.setCurrentRow(row);
            act(dialog, list);
        });
        click("keySelectProf");
        EXPECT_TRUE(topmost());
        return QString::fromStdString(text("txtUserName"));
    }
    static Act press(const char* name, Qt::Key key) {
        return [=](frmSelectProfile& d, QListWidget&) {
            QTest::keyClick(d.objectName() == name ? &d : d.findChild<QWidget*>(name), key);
        };
    }
};

TEST_F(DialogWindow, DialogListsAnewAndOnlyATakenProfileReplacesTheName) {
    testsupport::plantProfiles(mapi::GetProfilesKeyPath(), {"Alpha", "Beta[p|"}, "Alpha");
    selectProfile(-1, [](frmSelectProfile& dialog, QListWidget& list) {
        EXPECT_TRUE(platform::isWindowTopmost(dialog));
        QFont bold = dialog.font();
        bold.setBold(true);
        const QFontMetrics title(bold);  // room for the caption and a title bar's four buttons
        EXPECT_GE(dialog.width(),
                  title.horizontalAdvance(dialog.windowTitle()) + 4 * title.height())
            << "the caption is not elided";
        QStringList texts = {dialog.windowTitle()};
        for (const char* name : {"lblStdProftext", "lblStdProf", "keySelect", "keyCancel"}) {
            texts << dialog.findChild<QWidget*>(name)->property("text").toString();
        }
        texts << list.item(0)->text() << list.item(1)->text();
        EXPECT_EQ(texts, QStringList({"Please, select MS Exchange configuration",
                                      "Default MS Exchange configuration:", "Alpha", "Select",
                                      "Cancel", "Alpha", "Beta\u00C0"}));
        press("keySelect", Qt::Key_Space)(dialog, list);  // nothing highlighted: a beep
        EXPECT_TRUE(dialog.isVisible());
        dialog.reject();
    });
    for (const char* name : {"frmSelectProfile", "lstProfiles", "keySelect", "keyCancel"}) {
        EXPECT_EQ(selectProfile(1, press(name, Qt::Key_Escape)), "Earlier") << name;
    }
    EXPECT_EQ(selectProfile(1, press("keyCancel", Qt::Key_Space)), "Earlier");
    EXPECT_EQ(selectProfile(1, press("keySelect", Qt::Key_Space)), "Beta\u00C0");
    testsupport::plantProfiles(mapi::GetProfilesKeyPath(), {"Gamma"}, "Alpha");
    EXPECT_EQ(selectProfile(2,
                            [](frmSelectProfile&, QListWidget& list) {
                                QTest::mouseDClick(list.viewport(), Qt::LeftButton, {},
                                                   list.visualItemRect(list.item(2)).center());
                            }),
              "Gamma");
    EXPECT_TRUE(prompts->messageBoxes().empty());
}

TEST_F(DialogWindow, DefaultProfileFillsTheNameOrEmptiesItWithAWarning) {
    click("keyDefProf");
    EXPECT_EQ(text("txtUserName"), "");
    ASSERT_EQ(prompts->messageBoxes().size(), 1u);
    const testsupport::ShownMessageBox& box = prompts->messageBoxes()[0];
    EXPECT_EQ(box.text + "/" + box.title + "/" + std::to_string(box.style),
              "Default Microsoft Exchange profile not found!/Quillbell/48");
    EXPECT_EQ(box.windowTopmost, false);
    EXPECT_TRUE(topmost());
    testsupport::plantProfiles(mapi::GetProfilesKeyPath(), {"Beta[p|"}, "Beta[p|");
    click("keyDefProf");
    EXPECT_EQ(text("txtUserName"), "Beta[p|") << "used without decoding";
    EXPECT_EQ(prompts->messageBoxes().size(), 1u);
}

// The message's text: tests/mapiqt; the folder taken: tests/e2e/exchange-folder.sh.
TEST_F(DialogWindow, AfterTheFolderBrowserTheWindowIsBackOnTopWithTheFocus) {
    const auto expectBackOnTop = [this] {
        EXPECT_TRUE(window->isEnabled());
        EXPECT_TRUE(topmost());
        EXPECT_EQ(QApplication::focusWidget(), control("txtExFolder"));
    };
    typeInto("txtUserName", "");
    click("keyExFolder");
    expectBackOnTop();
    ASSERT_EQ(prompts->messageBoxes().size(), 1u);
    EXPECT_EQ(prompts->messageBoxes()[0].windowTopmost, false);
    typeInto("txtUserName", "Office");
    std::optional<std::pair<bool, bool>> enabledAndTopmost;
    qttest::onNextModal<frmMSExFolderSelect>([&](frmMSExFolderSelect& browser) {
        enabledAndTopmost = {window->isEnabled(), topmost()};
        browser.reject();
    });
    click("keyExFolder");
    expectBackOnTop();
    EXPECT_EQ(enabledAndTopmost, std::make_pair(false, false));
}

}  // namespace
}  // namespace apptest
