// How the window behaves for a person using it: drop-downs, the option buttons, the
// buttons beside the list, and what the window's size follows.

#include <QAbstractItemView>
#include <QScreen>
#include <QToolButton>
#include <cmath>

#include "WindowTest.h"

namespace apptest {
namespace {

using WindowBehaviour = WindowTest;

TEST_F(WindowBehaviour, EscInAnOpenDropDownClosesOnlyThatList) {
    storeConfigurations({record("A", 0)});
    open();
    for (const char* name : {"cbConfNum", "cbEServType", "cbExternLang"}) {
        SCOPED_TRACE(name);
        auto* list = control<QComboBox>(name);
        focus(list);
        list->showPopup();
        QCoreApplication::processEvents();
        ASSERT_TRUE(list->view()->isVisible());
        pressKey(list->view(), Qt::Key_Escape);
        EXPECT_FALSE(list->view()->isVisible());
        EXPECT_TRUE(window->isVisible());
    }
}

TEST_F(WindowBehaviour, LongNamesNeitherWidenTheWindowNorAreCutInTheOpenList) {
    storeConfigurations({record("Short", 0)});
    open();
    const int width = window->frameGeometry().width();
    storeConfigurations({record(std::string(348, 'N'), 0)});
    open();
    EXPECT_EQ(window->frameGeometry().width(), width);
    auto* list = control<QComboBox>("cbConfNum");
    list->showPopup();
    QCoreApplication::processEvents();
    EXPECT_GT(list->view()->width(), list->width());
    EXPECT_LE(list->view()->width(), window->screen()->availableGeometry().width());
    list->hidePopup();
}

TEST_F(WindowBehaviour, SoundOptionsAreOneTabStopAndTheArrowsChoose) {
    storeConfigurations({record("A", 0)});
    open();
    focus("cbAlarm");
    pressKey(control("cbAlarm"), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), option(0));
    pressKey(option(0), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), control("cbPopupWin"));  // the file is disabled
    focus(option(0));
    pressKey(option(0), Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), option(1));
    EXPECT_TRUE(option(1)->isChecked() && !option(0)->isChecked());
    EXPECT_RULE_TABLE(true);
    pressKey(option(1), Qt::Key_Up);
    EXPECT_TRUE(option(0)->isChecked() && !option(1)->isChecked());
    closeWindow();
    EXPECT_EQ(profileValue("SoundOptionA0"), "-1");
}

TEST_F(WindowBehaviour, TypingAfterNewConfigurationReplacesTheDefaultName) {
    open();
    click("keyNewConf");
    QTest::keyClicks(QApplication::focusWidget(), "Work");
    EXPECT_EQ(control<QLineEdit>("txtConfName")->text(), "Work");
}

// Mean lightness (0 to 255) of the drawn pixels of a button's icon.
int iconLightness(const QAbstractButton* button) {
    const QImage image = button->icon().pixmap(32).toImage();
    long sum = 0;
    long count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() > 128) {
                sum += pixel.lightness();
                ++count;
            }
        }
    }
    return count ? static_cast<int>(sum / count) : 255;
}

TEST_F(WindowBehaviour, ButtonsShowTheirStateAndMatchingIcons) {
    auto paused = record("Paused", 1);
    paused.ProfileEnabled = false;
    storeConfigurations({record("A", 0), paused});
    open();
    EXPECT_EQ(QApplication::focusWidget(), control("cbConfNum"));
    EXPECT_TRUE(window->testAttribute(Qt::WA_KeyboardFocusChange)) << "focus frame shown";
    const int pause = iconLightness(control<QAbstractButton>("keyStopConfig"));
    for (const char* name : {"keyNewConf", "keyDelConf"}) {
        EXPECT_LT(std::abs(iconLightness(control<QAbstractButton>(name)) - pause), 60) << name;
    }
    const QImage folder = control<QAbstractButton>("keyExFolder")->icon().pixmap(16).toImage();
    for (const char* name : {"keyEClient", "keySelectWav"}) {
        EXPECT_EQ(control<QAbstractButton>(name)->icon().pixmap(16).toImage(), folder) << name;
    }
    auto* pauseButton = control<QToolButton>("keyStopConfig");
    EXPECT_FALSE(pauseButton->isChecked());
    chooseConfiguration(1);
    EXPECT_TRUE(pauseButton->isChecked());
    click(pauseButton);
    EXPECT_FALSE(pauseButton->isChecked());
    EXPECT_RULE_TABLE(true);
    click(pauseButton);
    click("keyNewConf");
    EXPECT_FALSE(pauseButton->isChecked());
    closeWindow();
    EXPECT_EQ(profileValue("ProfileEnabled1"), "0");
}

}  // namespace
}  // namespace apptest
