#include "mapi/qt/frmSelectProfile.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "mapi/ProfileDiscovery.h"
#include "platform/CodePage.h"
#include "platform/qt/WindowTopmost.h"
#include "platformqt/ModalDriver.h"
#include "support/PlantedProfiles.h"
#include "support/RecordingPrompts.h"
#include "support/TestRegistry.h"

namespace {

class SelectProfileDialog : public testing::Test {
protected:
    void SetUp() override { platform::installCodePage(platform::createCodePage(1252)); }
    void TearDown() override { platform::installCodePage(nullptr); }

    static void plant() {
        testsupport::plantProfiles(mapi::GetProfilesKeyPath(), {"Alpha", "Beta", "Mail[p|"},
                                   "Beta");
    }
    // Opens the dialog as the main window does, acts on it and returns what it handed back.
    static std::optional<QString> open(std::function<void(frmSelectProfile&)> action) {
        qttest::onNextModal<frmSelectProfile>(std::move(action));
        return frmSelectProfile::SelectProfile(nullptr);
    }
    template <class T>
    static T* control(frmSelectProfile& dialog, const char* name) {
        T* found = dialog.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static QListWidget* list(frmSelectProfile& dialog) {
        return control<QListWidget>(dialog, "lstProfiles");
    }
    static void clickEntry(frmSelectProfile& dialog, int row, bool twice) {
        QListWidget* entries = list(dialog);
        const QPoint centre = entries->visualItemRect(entries->item(row)).center();
        QTest::mouseClick(entries->viewport(), Qt::LeftButton, {}, centre);
        if (twice) {
            QTest::mouseDClick(entries->viewport(), Qt::LeftButton, {}, centre);
        }
    }

    testsupport::ScopedTestRegistry registry_;
    testsupport::ScopedRecordingPrompts prompts_;
};

TEST_F(SelectProfileDialog, OpensOnTopWithTheProfilesAndNoneChosen) {
    plant();
    open([](frmSelectProfile& dialog) {
        EXPECT_TRUE(platform::isWindowTopmost(dialog));
        EXPECT_EQ(dialog.windowTitle(), "Please, select MS Exchange configuration");
        EXPECT_EQ(control<QLabel>(dialog, "lblStdProftext")->text(),
                  "Default MS Exchange configuration:");
        EXPECT_EQ(control<QPushButton>(dialog, "keySelect")->text(), "Select");
        EXPECT_EQ(control<QPushButton>(dialog, "keyCancel")->text(), "Cancel");
        EXPECT_EQ(control<QLabel>(dialog, "lblStdProf")->text(), "Beta");
        EXPECT_NE(dialog.findChild<QWidget*>("frmProfiles"), nullptr);
        QStringList names;
        for (int row = 0; row < list(dialog)->count(); ++row) {
            names << list(dialog)->item(row)->text();
        }
        EXPECT_EQ(names, QStringList({"Alpha", "Beta", "Mail\u00C0"}));
        EXPECT_TRUE(list(dialog)->selectedItems().isEmpty());
        dialog.reject();
    });
    EXPECT_TRUE(prompts_->messageBoxes().empty());
}

TEST_F(SelectProfileDialog, HandsBackTheHighlightedProfileOnlyWhenTaken) {
    plant();
    const struct {
        const char* action;
        std::function<void(frmSelectProfile&)> act;
        std::optional<QString> chosen;
    } cases[] = {
        {"keySelect",
         [](frmSelectProfile& d) {
             clickEntry(d, 1, false);
             control<QPushButton>(d, "keySelect")->click();
         },
         "Beta"},
        {"double click", [](frmSelectProfile& d) { clickEntry(d, 2, true); }, "Mail\u00C0"},
        {"keyCancel",
         [](frmSelectProfile& d) {
             clickEntry(d, 1, false);
             control<QPushButton>(d, "keyCancel")->click();
         },
         std::nullopt},
        {"keySelect with nothing highlighted",
         [](frmSelectProfile& d) {
             control<QPushButton>(d, "keySelect")->click();
             EXPECT_TRUE(d.isVisible());
             d.reject();
         },
         std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action);
        EXPECT_EQ(open(c.act), c.chosen);
    }
    for (const char* name : {"frmSelectProfile", "lstProfiles", "keySelect", "keyCancel"}) {
        SCOPED_TRACE(std::string("Esc on ") + name);
        EXPECT_EQ(open([name](frmSelectProfile& d) {
                      clickEntry(d, 0, false);
                      QWidget* target = d.objectName() == name ? &d : d.findChild<QWidget*>(name);
                      QTest::keyClick(target, Qt::Key_Escape);
                      EXPECT_FALSE(d.isVisible());
                  }),
                  std::nullopt);
    }
}

TEST_F(SelectProfileDialog, OpensEmptyAfterTellingOfAMissingKey) {
    open([this](frmSelectProfile& dialog) {
        ASSERT_EQ(prompts_->messageBoxes().size(), 1u);
        EXPECT_EQ(prompts_->messageBoxes()[0].text, "Bad Key Name!");
        EXPECT_EQ(list(dialog)->count(), 0);
        EXPECT_EQ(control<QLabel>(dialog, "lblStdProf")->text(), "");
        dialog.reject();
    });
    EXPECT_EQ(prompts_->messageBoxes().size(), 1u);
}

}  // namespace
