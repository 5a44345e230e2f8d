// The two profile buttons beside the account name.

#include <QListWidget>
#include <QPushButton>

#include "WindowTest.h"
#include "mapi/ProfileDiscovery.h"
#include "mapi/qt/frmSelectProfile.h"
#include "platformqt/ModalDriver.h"
#include "support/PlantedProfiles.h"

namespace apptest {
namespace {

class MapiProfileWindow : public WindowTest {
protected:
    void SetUp() override {
        storeConfigurations({record("Office", 0)});
        open();
        chooseServerType(0);
        typeInto("txtUserName", "Earlier");
    }
    QString userName() const { return control<QLineEdit>("txtUserName")->text(); }
    // Opens the dialog by keySelectProf, notes whether the main window was lowered and
    // what the dialog listed, and takes the entry `row` (or cancels for -1).
    QStringList selectProfile(int row) {
        QStringList listed;
        qttest::onNextModal<frmSelectProfile>([&](frmSelectProfile& dialog) {
            EXPECT_FALSE(topmost());
            auto* list = dialog.findChild<QListWidget*>("lstProfiles");
            for (int i = 0; i < list->count(); ++i) {
                listed << list->item(i)->text();
            }
            if (row < 0) {
                dialog.reject();
                return;
            }
            list->setCurrentRow(row);
            dialog.findChild<QPushButton*>("keySelect")->click();
        });
        click("keySelectProf");
        EXPECT_TRUE(topmost());
        return listed;
    }
};

TEST_F(MapiProfileWindow, SelectedProfileReplacesTheNameAndEachOpeningReadsAnew) {
    const std::string key = mapi::GetProfilesKeyPath();
    testsupport::plantProfiles(key, {"Alpha", "Beta"}, "Beta");
    EXPECT_EQ(selectProfile(-1), QStringList({"Alpha", "Beta"}));
    EXPECT_EQ(userName(), "Earlier");
    EXPECT_EQ(selectProfile(1), QStringList({"Alpha", "Beta"}));
    EXPECT_EQ(userName(), "Beta");
    testsupport::plantProfiles(key, {"Gamma[p|"}, "Beta");
    EXPECT_EQ(selectProfile(2), QStringList({"Alpha", "Beta", "Gamma\u00C0"}));
    EXPECT_EQ(userName(), "Gamma\u00C0");
    EXPECT_TRUE(prompts->messageBoxes().empty());
}

TEST_F(MapiProfileWindow, DefaultProfileFillsTheNameOrEmptiesItWithAWarning) {
    click("keyDefProf");
    EXPECT_EQ(userName(), "");
    ASSERT_EQ(prompts->messageBoxes().size(), 1u);
    const testsupport::ShownMessageBox& box = prompts->messageBoxes()[0];
    EXPECT_EQ(box.text, "Default Microsoft Exchange profile not found!");
    EXPECT_EQ(box.style, 48);
    EXPECT_EQ(box.title, "Quillbell");
    EXPECT_EQ(box.windowTopmost, false);
    EXPECT_TRUE(topmost());

    prompts->clearShown();
    // Stored as plain text and used as read: no decoding of "[" groups here.
    testsupport::plantProfiles(mapi::GetProfilesKeyPath(), {"Beta[p|"}, "Beta[p|");
    click("keyDefProf");
    EXPECT_EQ(userName(), "Beta[p|");
    EXPECT_TRUE(prompts->messageBoxes().empty());
}

TEST_F(MapiProfileWindow, EscOnEitherButtonClosesTheMainWindow) {
    for (const char* button : {"keySelectProf", "keyDefProf"}) {
        SCOPED_TRACE(button);
        open();
        chooseServerType(0);
        focus(button);
        pressKey(control(button), Qt::Key_Escape);
        EXPECT_FALSE(window->isVisible());
        EXPECT_TRUE(prompts->messageBoxes().empty());
    }
}

}  // namespace
}  // namespace apptest
