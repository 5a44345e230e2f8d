// The Exchange folder button: the browser over a scripted "MAPI.Session", modal over the
// main window, and what it leaves for the next save.

#include <QPushButton>
#include <QTreeWidget>

#include "WindowTest.h"
#include "mapi/qt/frmMSExFolderSelect.h"
#include "platformqt/ModalDriver.h"
#include "support/ScriptedMapiSession.h"

namespace apptest {
namespace {

using testsupport::ScriptedFolder;
using testsupport::ScriptedProfile;
using testsupport::ScriptedStore;

class ExFolderWindow : public WindowTest {
protected:
    void SetUp() override {
        store::Configuration office = record("Office", 0);
        office.EServType = 0;
        office.UserName = "Office";
        storeConfigurations({office});
        open();
    }

    testsupport::ScopedInProcessMapi mapi{{ScriptedProfile(
        "Office", {ScriptedStore{"Mailbox", "S1",
                                 ScriptedFolder("T1", "Top", {ScriptedFolder("F2", "Sent")})}})}};
};

TEST_F(ExFolderWindow, TheFolderTakenIsSavedAndTheWindowIsBackOnTopWithTheFocus) {
    const auto expectBackOnTop = [this] {
        EXPECT_TRUE(window->isEnabled());
        EXPECT_TRUE(topmost());
        EXPECT_EQ(QApplication::focusWidget(), control("txtExFolder"));
    };
    // Without a profile only the message is shown, below no topmost window.
    typeInto("txtUserName", "");
    click("keyExFolder");
    expectBackOnTop();
    ASSERT_EQ(prompts->messageBoxes().size(), 1u);
    EXPECT_EQ(prompts->messageBoxes()[0].text, "Please, select MS Exchange profile first!");
    EXPECT_EQ(prompts->messageBoxes()[0].windowTopmost, false);
    EXPECT_EQ(mapi.log().logons, 0);
    EXPECT_EQ(control<QLineEdit>("txtExFolder")->text(), "Inbox");

    typeInto("txtUserName", "Office");
    std::optional<std::pair<bool, bool>> enabledAndTopmost;
    qttest::onNextModal<frmMSExFolderSelect>([&](frmMSExFolderSelect& browser) {
        enabledAndTopmost = {window->isEnabled(), topmost()};
        auto* tree = browser.findChild<QTreeWidget*>("tvExchangeFoldersList");
        tree->setCurrentItem(tree->topLevelItem(0)->child(0)->child(0));
        browser.findChild<QPushButton*>("keySelect")->click();
    });
    click("keyExFolder");
    expectBackOnTop();
    EXPECT_EQ(enabledAndTopmost, std::make_pair(false, false));
    EXPECT_EQ(control<QLineEdit>("txtExFolder")->text(), "Sent");
    closeWindow();
    EXPECT_EQ(profileValue("ExFolder0"), "Sent");
    EXPECT_EQ(profileValue("ExFolderID0"), "F2:S1");
}

}  // namespace
}  // namespace apptest
