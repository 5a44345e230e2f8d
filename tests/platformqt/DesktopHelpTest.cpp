#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QObject>
#include <QUrl>
#include <filesystem>
#include <fstream>

#include "platform/Help.h"
#include "platform/Prompts.h"
#include "platform/qt/DesktopHelp.h"
#include "platform/qt/QtPrompts.h"
#include "platform/qt/ToolkitServices.h"
#include "support/ScratchDir.h"

namespace {

namespace fs = std::filesystem;

// Stands in for the desktop's handler of file URLs, which would start a viewer.
class FileUrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.push_back(url); }
};

class DesktopHelpTest : public ::testing::Test {
protected:
    void SetUp() override {
        QDesktopServices::setUrlHandler("file", &recorder_, "open");
        std::ofstream(file_) << "ITSF";
    }
    void TearDown() override {
        QDesktopServices::unsetUrlHandler("file");
        fs::remove_all(scratch_);
    }

    fs::path scratch_ = testsupport::makeScratchDir();
    fs::path file_ = scratch_ / "English.chm";
    FileUrlRecorder recorder_;
};

TEST_F(DesktopHelpTest, AnExistingHelpFileGoesToTheDesktopsHandlerAsAFileUrl) {
    platform::DesktopHelp help;
    // Missing, a directory, no name: nothing opens.
    EXPECT_FALSE(help.showTopic((scratch_ / "Deutsch.chm").string(), 21050, 0));
    EXPECT_FALSE(help.showTopic(scratch_.string(), 21050, 0));
    EXPECT_FALSE(help.showTopic("", 21050, 0));
    EXPECT_TRUE(recorder_.opened.isEmpty());

    EXPECT_TRUE(help.showTopic(file_.string(), 21050, 0));
    ASSERT_EQ(recorder_.opened.size(), 1);
    EXPECT_EQ(recorder_.opened[0], QUrl::fromLocalFile(QString::fromStdString(file_.string())));
}

TEST_F(DesktopHelpTest, TheWindowsGetQtsBoxesAndAHelpViewer) {
    platform::installToolkitServices();
    EXPECT_NE(dynamic_cast<platform::QtPrompts*>(&platform::prompts()), nullptr);
    if (!platform::createPlatformHelp()) {
        EXPECT_TRUE(platform::help().showTopic(file_.string(), 21050, 0));
        EXPECT_EQ(recorder_.opened.size(), 1)
            << "the desktop's handler, where no viewer of its own";
    }
    platform::installPrompts(nullptr);
    platform::installHelp(nullptr);
}

}  // namespace

#include "DesktopHelpTest.moc"
