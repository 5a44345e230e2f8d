// The language choice: the list of files, the texts put on the controls, and the help.

#include <tuple>

#include "WindowTest.h"
#include "lang/MessageCatalogue.h"
#include "lang/modReadLang.h"
#include "platform/CodePage.h"
#include "platform/qt/ChmHelp.h"
#include "platform/qt/HelpViewer.h"

namespace apptest {
namespace {

namespace fs = std::filesystem;

class LanguageWindow : public WindowTest {
protected:
    void SetUp() override {
        storeConfigurations({record("First", 1), record("Second", 2)});
        writeLanguageFile("Deutsch.lng",
                          "[Quillbell]\r\nConfigWin_Ok = \"Fertig\"\r\n"
                          "ConfigWin_Help = \"Hilfe\"\r\nConfigWin_ExternLangNO = \"Nein\"\r\n"
                          "ConfigWin_UserNameEx = \"Profil: \"\r\n"
                          "HelpFile = \"Deutsch.chm\"\r\n");
        writeLanguageFile("Kurz.LNG", "ConfigWin_Help = \"Aide\"\r\n");
    }
    QComboBox* languages() const { return control<QComboBox>("cbExternLang"); }
    std::string inHome(const std::string& name) const { return home.string() + "/" + name; }
};

// A stored language without its file opens in English and is stored as none on closing.
TEST_F(LanguageWindow, ListOffersNoAndEveryLanguageFileWithoutExtension) {
    writeLanguageFile("notes.txt", "x");
    fs::create_directories(home / "Folder.lng");
    writeUserValue("ExternLang", "Klingon");
    open();
    std::vector<QString> entries;
    for (int i = 0; i < languages()->count(); ++i) {
        entries.push_back(languages()->itemText(i));
    }
    std::sort(entries.begin() + 1, entries.end());
    EXPECT_EQ(entries, (std::vector<QString>{"No", "Deutsch", "Kurz"}));
    EXPECT_EQ(languages()->currentIndex(), 0);
    EXPECT_EQ(text("keyOk") + text("txtConfName"), "OKFirst");
    EXPECT_EQ(window->helpFilePath(), inHome("English.chm"));
    EXPECT_TRUE(prompts->messageBoxes().empty());
    closeWindow();
    EXPECT_EQ(userValue("ExternLang"), "");
}

// Another language shows the first configuration unsaved; a file gone falls back to none.
TEST_F(LanguageWindow, ChoosingALanguageAppliesItsTextsAndReloadsTheFirstConfiguration) {
    open();
    choose("cbConfNum", 1);
    typeInto("txtConfName", "Renamed");
    chooseLanguage(languages()->currentText());
    EXPECT_EQ(control<QComboBox>("cbConfNum")->currentText(), "02: Renamed");
    EXPECT_EQ(text("txtConfName"), "Renamed");
    chooseLanguage("Deutsch");
    EXPECT_EQ(text("keyOk") + text("keyHelp") + text("lblUserName"), "FertigHilfeProfil: ");
    EXPECT_EQ(languages()->itemText(0) + "|" + languages()->currentText(), "Nein|Deutsch");
    EXPECT_EQ(window->helpFilePath(), inHome("Deutsch.chm"));
    EXPECT_EQ(control<QComboBox>("cbConfNum")->currentIndex(), 0);
    EXPECT_EQ(text("txtConfName") + text("txtExFolder"), "FirstInbox");
    EXPECT_EQ(window->lProfileID, 1);
    EXPECT_EQ(profileValue("ConfName1"), "Second");
    chooseLanguage("Nein");  // the entry for no language, in German
    EXPECT_EQ(text("keyHelp"), "Help");
    EXPECT_EQ(window->helpFilePath(), inHome("English.chm"));
    chooseLanguage("Deutsch");
    chooseLanguage("Kurz");
    EXPECT_EQ(text("keyHelp") + text("keyOk"), "AideOK");
    EXPECT_EQ(languages()->itemText(0), "No");
    EXPECT_EQ(window->helpFilePath(), inHome("English.chm"));
    closeWindow();
    EXPECT_EQ(userValue("ExternLang"), "Kurz");
    open();
    fs::remove(home / "Deutsch.lng");
    chooseLanguage("Deutsch");
    EXPECT_EQ(languages()->currentIndex(), 0);
    EXPECT_EQ(text("keyHelp"), "Help");
    EXPECT_TRUE(prompts->messageBoxes().empty());
}

TEST_F(LanguageWindow, EveryCaptionAndToolTipShowsItsKeysText) {
    std::string every;
    for (const auto& text : modMessages::kCatalogue) {
        every += std::string(text.key) + " = \"" + std::string(text.key) + "\"\r\n";
    }
    writeLanguageFile("Keys.lng", every);
    open();
    chooseLanguage("Keys");
    // clang-format off
    const std::pair<const char*, const char*> captions[] = {
        {"lblConfNumber", "ConfNum"}, {"lblConfName", "ConfName"}, {"lblEServType", "EServType"},
        {"lblUserName", "UserNameEx"}, {"lblUserPassword", "UserPassword"},
        {"lblInetServer", "InetServer"}, {"lblINetPort", "InetPort"}, {"lblExFolder", "ExFolder"},
        {"lblEClient", "EClient"}, {"lblWhTime", "WhTime"}, {"cbAlarm", "Alarm"},
        {"lblWavFile", "WavFile"}, {"cbPopupWin", "PopupWin"}, {"cbRunEClient", "RunEClient"},
        {"cbWaitEClient", "WaitEClient"}, {"lblExternLang", "ExternLang"},
        {"cbRunAtStartup", "RunAtStartup"}, {"keyOk", "Ok"}, {"keyHelp", "Help"}};
    const std::pair<const char*, const char*> toolTips[] = {
        {"keyNewConf", "NewConfTip"}, {"keyDelConf", "DelConfTip"}, {"keyStopConfig", "StopConf"},
        {"keySelectProf", "SelectProfTip"}, {"keyDefProf", "DefProfTip"},
        {"keyExFolder", "ExFolderTip"}, {"keyEClient", "EClientTip"},
        {"keySelectWav", "SelectWav"}, {"keyPlayWav", "PlayWav"}, {"keyOk", "OkTip"}};
    // clang-format on
    for (const auto& [name, key] : captions) {
        EXPECT_EQ(text(name), std::string("ConfigWin_") + key) << name;
    }
    for (const auto& [name, key] : toolTips) {
        EXPECT_EQ(control(name)->toolTip().toStdString(), std::string("ConfigWin_") + key) << name;
    }
    EXPECT_EQ(option(0)->text().toStdString(), "ConfigWin_PCSpk");
    EXPECT_EQ(option(1)->text().toStdString(), "ConfigWin_SoundCard");
    EXPECT_EQ(window->windowTitle().toStdString(), "ConfigWin_FormCaption");
    EXPECT_EQ(languages()->itemText(0).toStdString(), "ConfigWin_ExternLangNO");
    choose("cbEServType", 3);
    EXPECT_EQ(text("lblUserName"), "ConfigWin_UserName");
}

// The wider window keeps its bottom right corner.
TEST_F(LanguageWindow, StoredLanguageOpensAndLongerTextsWidenTheWindowWithinTheScreen) {
    writeLanguageFile("Lang.lng", "ConfigWin_PopupWin = \"" + std::string(50, 'W') + "\"\r\n");
    writeUserValue("ExternLang", "deutsch");
    open();
    EXPECT_EQ(text("keyOk") + text("txtConfName"), "FertigFirst");
    EXPECT_EQ(languages()->currentText(), "Deutsch");
    const QRect before = window->frameGeometry();
    chooseLanguage("Lang");
    EXPECT_GT(window->frameGeometry().width(), before.width());
    EXPECT_EQ(window->frameGeometry().bottomRight(), before.bottomRight());
}

// The entry exactly "No" loads nothing even with a file of that name.
TEST_F(LanguageWindow, FileNamedNoLoadsOnlyWhenChosenAndIsStoredAsEnglish) {
    writeLanguageFile("no.lng", "ConfigWin_Ok = \"Nope\"\r\n");
    open();
    EXPECT_EQ(languages()->currentText(), "no");
    EXPECT_EQ(text("keyOk"), "OK");
    chooseLanguage("no");
    EXPECT_EQ(text("keyOk"), "Nope");
    closeWindow();
    EXPECT_EQ(userValue("ExternLang"), "");
    fs::remove(home / "no.lng");
    writeLanguageFile("No.Lng", "ConfigWin_Ok = \"Nope\"\r\n");
    open();
    chooseLanguage("Deutsch");
    languages()->setCurrentIndex(0);
    EXPECT_EQ(text("keyOk"), "OK");
}

TEST(ShippedLanguage, FilesDefineAllTexts) {
    for (const auto& [name, codePage, help, profile] :
         {std::tuple{"German", 1252, "Hilfe", "MS-Exchange-Profilname: "},
          std::tuple{"Russian", 1251, "Справка", "Имя профиля MS Exchange: "}}) {
        SCOPED_TRACE(name);
        platform::installCodePage(platform::createCodePage(codePage));
        ASSERT_TRUE(
            modReadLang::ReadInterface(std::string(QB_SHARE_DIR) + "/lang/" + name + ".lng"));
        for (const auto& text : modMessages::kCatalogue) {
            EXPECT_FALSE(modReadLang::strGetIntVarVal(std::string(text.key)).empty()) << text.key;
        }
        EXPECT_EQ(modReadLang::strGetIntVarVal("HelpFile"), std::string(name) + ".chm");
        EXPECT_EQ(modReadLang::strGetIntVarVal("ConfigWin_Help"), help);
        EXPECT_EQ(modReadLang::strGetIntVarVal("ConfigWin_UserNameEx"), profile);
    }
    platform::installCodePage(nullptr);
}

TEST(CutExtension, CutsTheLastOccurrenceWithoutRegardToCase) {
    for (const auto& [name, cut] : {std::pair{"My.lng.LNG", "My.lng"}, {".lng", ""}}) {
        EXPECT_EQ(frmConfigWin::CutExtension(name, ".Lng"), cut) << name;
    }
}

// The real viewer (its pages and warnings: tests/platformqt).
TEST_F(LanguageWindow, F1AndTheHelpButtonShowTheFocusedControlsTopicAboveTheWindow) {
    auto viewer = std::make_unique<platform::ChmHelp>();
    platform::ChmHelp* chmHelp = viewer.get();
    platform::installHelp(std::move(viewer));
    open();
    focus(control("txtWhTime"));
    pressKey("txtWhTime", Qt::Key_F1);
    ASSERT_EQ(prompts->messageBoxes().size(), 1U);
    EXPECT_EQ(prompts->messageBoxes()[0].windowTopmost, false);
    EXPECT_TRUE(topmost());
    fs::copy_file(fs::path(QB_HELP_DIR) / "English.chm", home / "English.chm");
    pressKey("txtWhTime", Qt::Key_F1);
    ASSERT_NE(chmHelp->viewer(), nullptr);
    EXPECT_EQ(chmHelp->viewer()->topicPath(), "/frequency.htm");
    EXPECT_TRUE(platform::isWindowTopmost(*chmHelp->viewer()));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    click("keyHelp");
    EXPECT_EQ(chmHelp->viewer()->topicPath(), "/window.htm");
}

}  // namespace
}  // namespace apptest
