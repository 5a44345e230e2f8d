#include <gtest/gtest.h>

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "ModalDriver.h"
#include "platform/AppInfo.h"
#include "platform/qt/QtFileFilter.h"
#include "platform/qt/QtPrompts.h"
#include "support/ScratchDir.h"

namespace {

namespace fs = std::filesystem;
using Box = QMessageBox;

class QtPromptsTest : public ::testing::Test {
protected:
    void TearDown() override { fs::remove_all(scratch_); }
    // Shows a box and answers it with a key (Return presses the default button).
    int answer(int style, Qt::Key key, const std::string& text = "Text",
               const std::string& title = "") {
        qttest::onNextModal<Box>([this, key](Box& box) {
            title_ = box.windowTitle();
            text_ = box.text();
            format_ = box.textFormat();
            icon_ = box.icon();
            buttons_ = box.standardButtons();
            default_ = box.standardButton(box.defaultButton());
            parent_ = box.parentWidget();
            QTest::keyClick(&box, key);
        });
        return prompts_.messageBox(text, style, title);
    }

    platform::QtPrompts prompts_;
    fs::path scratch_ = testsupport::makeScratchDir();
    QString title_, text_;
    Qt::TextFormat format_ = Qt::AutoText;
    Box::Icon icon_ = Box::NoIcon;
    Box::StandardButtons buttons_;
    Box::StandardButton default_ = Box::NoButton;
    QWidget* parent_ = nullptr;
};

TEST_F(QtPromptsTest, StyleNumbersGiveTheButtonsIconDefaultButtonAndAnswersOfWindows) {
    const struct {
        int style;
        Box::StandardButtons buttons;
        Box::Icon icon;
        Box::StandardButton defaultButton;
        int answerOfReturn;
        int answerOfEscape;  // a question cannot be left unanswered: Esc says No
    } styles[] = {
        {0, Box::Ok, Box::NoIcon, Box::Ok, 1, 1},
        {16, Box::Ok, Box::Critical, Box::Ok, 1, 1},
        {36, Box::Yes | Box::No, Box::Question, Box::Yes, 6, 7},
        {52, Box::Yes | Box::No, Box::Warning, Box::Yes, 6, 7},
        {36 + 256, Box::Yes | Box::No, Box::Question, Box::No, 7, 7},
        {0 + 256, Box::Ok, Box::NoIcon, Box::Ok, 1, 1},  // no second button
    };
    for (const auto& expected : styles) {
        SCOPED_TRACE(expected.style);
        EXPECT_EQ(answer(expected.style, Qt::Key_Return), expected.answerOfReturn);
        EXPECT_EQ(buttons_, expected.buttons);
        EXPECT_EQ(icon_, expected.icon);
        EXPECT_EQ(default_, expected.defaultButton);
        EXPECT_EQ(answer(expected.style, Qt::Key_Escape), expected.answerOfEscape);
    }
}

TEST_F(QtPromptsTest, TextShowsLineBreakPairsAsOneBreakAndMarkupAsTypedInTheActiveWindow) {
    answer(52, Qt::Key_Return, "First part.\r\n\r\nSecond part.");
    EXPECT_EQ(text_, "First part.\n\nSecond part.");
    EXPECT_EQ(title_, QString(platform::kApplicationTitle)) << "an empty title";
    answer(48, Qt::Key_Return, "a\n\rb\rc\nd\r\nFolder <Inbox> & <b>mail</b> — Почта", "Warnung");
    EXPECT_EQ(text_, "a\nb\nc\nd\nFolder <Inbox> & <b>mail</b> — Почта");
    EXPECT_EQ(format_, Qt::PlainText) << "names from the mail server are no markup";
    EXPECT_EQ(title_, "Warnung");

    QWidget window;  // boxes belong to the active window
    window.show();
    QApplication::setActiveWindow(&window);
    if (QTest::qWaitForWindowActive(&window)) {
        answer(0, Qt::Key_Return);
        EXPECT_EQ(parent_, &window);
    }
}

TEST(QtFileFilter, TheCataloguesFiltersBecomeQtFiltersAndBrokenOnesLoseOnlyTheirUnusableParts) {
    const std::pair<std::string, std::string> cases[] = {
        {"Звуковой файл |*.wav;*.WAV|Alle Dateien (*.*)|*.*",
         "Звуковой файл (*.wav *.WAV);;Alle Dateien (*.*) (*)"},  // Qt's "*.*" wants a dot
        {"  Sounds  | *.wav ; *.snd ;", "Sounds (*.wav *.snd)"},
        {"|*.wav", "(*.wav)"},  // no description
        {"", ""},
        {"Programs |*.exe|All files", "Programs (*.exe)"},  // a description without patterns
        {"Nothing |;;|Audio |*.wav", "Audio (*.wav)"},
    };
    for (const auto& [filter, qtFilter] : cases) {
        EXPECT_EQ(platform::toQtFileFilter(filter), qtFilter) << filter;
    }
}

TEST_F(QtPromptsTest, OnlyAnExistingFileIsAcceptedAndComesBackAsItsFullNativePath) {
    std::ofstream(scratch_ / "alarm.wav") << "RIFF";
    const QString chosen = QString::fromStdString((scratch_ / "alarm.wav").string());
    QString title;
    QStringList filters;
    bool stayedOpen = false;
    qttest::onNextModal<QFileDialog>([&](QFileDialog& dialog) {
        title = dialog.windowTitle();
        filters = dialog.nameFilters();
        dialog.setDirectory(QString::fromStdString(scratch_.string()));
        // The dialog explains the refusal in a box of its own.
        qttest::onNextModal<QMessageBox>([](QMessageBox& box) { box.accept(); });
        dialog.selectFile("no such program");
        static_cast<QDialog&>(dialog).accept();  // the dialog's own checks run
        stayedOpen = dialog.isVisible();
        dialog.selectFile(chosen);
        static_cast<QDialog&>(dialog).accept();
    });
    const auto path =
        prompts_.openFile("Please, select audio file", "Audio file |*.wav;|All files (*.*)|*.*");
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(path, QDir::toNativeSeparators(chosen).toStdString());
    EXPECT_EQ(title, "Please, select audio file");
    EXPECT_EQ(filters, QStringList({"Audio file (*.wav)", "All files (*.*) (*)"}));

    qttest::onNextModal<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_FALSE(prompts_.openFile("Title", "Programs |*.exe;*.com|All files (*.*)|*.*"));
}

}  // namespace
