#include <gtest/gtest.h>

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "ModalDriver.h"
#include "platform/AppInfo.h"
#include "platform/qt/QtPrompts.h"
#include "support/ScratchDir.h"

namespace {

namespace fs = std::filesystem;
using Box = QMessageBox;

struct SeenBox {
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    Box::Icon icon = Box::NoIcon;
    Box::StandardButtons buttons;
    Box::StandardButton defaultButton = Box::NoButton;
    QWidget* parent = nullptr;
};

SeenBox inspect(Box& box) {
    return {box.windowTitle(),     box.text(),
            box.textFormat(),      box.icon(),
            box.standardButtons(), box.standardButton(box.defaultButton()),
            box.parentWidget()};
}

class QtPromptsTest : public ::testing::Test {
protected:
    // Shows a box and answers it with a key: Return presses the default button.
    int answerByKey(const std::string& text, int style, const std::string& title, int key) {
        qttest::onNextModal<Box>([this, key](Box& box) {
            seen_ = inspect(box);
            QTest::keyClick(&box, static_cast<Qt::Key>(key));
        });
        return prompts_.messageBox(text, style, title);
    }
    int answerByClick(int style, Box::StandardButton button) {
        qttest::onNextModal<Box>([this, button](Box& box) {
            seen_ = inspect(box);
            box.button(button)->click();
        });
        return prompts_.messageBox("Question?", style, "");
    }

    platform::QtPrompts prompts_;
    SeenBox seen_;
};

TEST_F(QtPromptsTest, StyleNumbersGiveTheButtonsIconAndDefaultButtonOfWindows) {
    const struct {
        int style;
        Box::StandardButtons buttons;
        Box::Icon icon;
        Box::StandardButton defaultButton;
        int answerOfReturn;
    } styles[] = {
        {0, Box::Ok, Box::NoIcon, Box::Ok, 1},
        {16, Box::Ok, Box::Critical, Box::Ok, 1},
        {36, Box::Yes | Box::No, Box::Question, Box::Yes, 6},
        {48, Box::Ok, Box::Warning, Box::Ok, 1},
        {52, Box::Yes | Box::No, Box::Warning, Box::Yes, 6},
        {36 + 256, Box::Yes | Box::No, Box::Question, Box::No, 7},
        {52 + 256, Box::Yes | Box::No, Box::Warning, Box::No, 7},
        {0 + 256, Box::Ok, Box::NoIcon, Box::Ok, 1},  // no second button: the first
    };
    for (const auto& expected : styles) {
        EXPECT_EQ(answerByKey("Text", expected.style, "", Qt::Key_Return), expected.answerOfReturn)
            << expected.style;
        EXPECT_EQ(seen_.buttons, expected.buttons) << expected.style;
        EXPECT_EQ(seen_.icon, expected.icon) << expected.style;
        EXPECT_EQ(seen_.defaultButton, expected.defaultButton) << expected.style;
    }
}

TEST_F(QtPromptsTest, TheAnswerIsTheButtonChosen) {
    EXPECT_EQ(answerByClick(36, Box::No), 7);
    EXPECT_EQ(answerByClick(36, Box::Yes), 6);
    EXPECT_EQ(answerByClick(52 + 256, Box::Yes), 6);
    EXPECT_EQ(answerByClick(16, Box::Ok), 1);
    // Esc cannot leave a question unanswered: it says No, the answer that changes nothing.
    EXPECT_EQ(answerByKey("Delete?", 36, "", Qt::Key_Escape), 7);
    EXPECT_EQ(answerByKey("Wait?", 52, "", Qt::Key_Escape), 7);
    EXPECT_EQ(answerByKey("Note", 48, "", Qt::Key_Escape), 1);
}

TEST_F(QtPromptsTest, TextShowsLineBreakPairsAsOneBreakAndMarkupAsTypedUnderTheTitle) {
    answerByKey("First part.\r\n\r\nSecond part.", 52, "", Qt::Key_Return);
    EXPECT_EQ(seen_.text, "First part.\n\nSecond part.");
    EXPECT_EQ(seen_.title, QString(platform::kApplicationTitle)) << "an empty title";
    answerByKey("a\n\rb\rc\nd\r\n", 48, "Warnung", Qt::Key_Return);
    EXPECT_EQ(seen_.text, "a\nb\nc\nd\n");
    EXPECT_EQ(seen_.title, "Warnung");
    answerByKey("Folder <Inbox> & <b>mail</b> — Почта", 0, "", Qt::Key_Return);
    EXPECT_EQ(seen_.text, "Folder <Inbox> & <b>mail</b> — Почта");
    EXPECT_EQ(seen_.format, Qt::PlainText) << "names from the mail server are no markup";
}

TEST_F(QtPromptsTest, BoxesBelongToTheActiveWindow) {
    QWidget window;
    window.show();
    QApplication::setActiveWindow(&window);
    if (!QTest::qWaitForWindowActive(&window)) {
        GTEST_SKIP() << "no window manager here activates windows";
    }
    answerByKey("Text", 0, "", Qt::Key_Return);
    EXPECT_EQ(seen_.parent, &window);
}

class QtFileDialogTest : public QtPromptsTest {
protected:
    void SetUp() override { std::ofstream(scratch_ / "alarm.wav") << "RIFF"; }
    void TearDown() override { fs::remove_all(scratch_); }

    fs::path scratch_ = testsupport::makeScratchDir();
};

TEST_F(QtFileDialogTest, AChosenFileComesBackAsItsFullNativePathAndCancellingGivesNothing) {
    const QString chosen = QString::fromStdString((scratch_ / "alarm.wav").string());
    QString title;
    QStringList filters;
    qttest::onNextModal<QFileDialog>([&](QFileDialog& dialog) {
        title = dialog.windowTitle();
        filters = dialog.nameFilters();
        dialog.selectFile(chosen);
        static_cast<QDialog&>(dialog).accept();  // the dialog's own checks run
    });
    const auto path =
        prompts_.openFile("Please, select audio file", "Audio file |*.wav;|All files (*.*)|*.*");
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(*path, QDir::toNativeSeparators(chosen).toStdString());
    EXPECT_EQ(title, "Please, select audio file");
    EXPECT_EQ(filters, QStringList({"Audio file (*.wav)", "All files (*.*) (*)"}));

    qttest::onNextModal<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_FALSE(prompts_.openFile("Title", "Programs |*.exe;*.com|All files (*.*)|*.*"));
}

TEST_F(QtFileDialogTest, ANameOfNoExistingFileIsNotAccepted) {
    bool warned = false;
    bool stayedOpen = false;
    qttest::onNextModal<QFileDialog>([&](QFileDialog& dialog) {
        dialog.setDirectory(QString::fromStdString(scratch_.string()));
        // The dialog explains the refusal in a box of its own.
        qttest::onNextModal<QMessageBox>([&](QMessageBox& box) {
            warned = true;
            box.accept();
        });
        dialog.selectFile("no such program");
        static_cast<QDialog&>(dialog).accept();  // the dialog's own checks run
        stayedOpen = dialog.isVisible();
        dialog.reject();
    });
    EXPECT_FALSE(prompts_.openFile("Title", "All files (*.*)|*.*"));
    EXPECT_TRUE(warned);
    EXPECT_TRUE(stayedOpen);
}

}  // namespace
