// The language choice: the list of language files, the texts and help topics put on the
// controls, and the help file.

#include <QLabel>
#include <QPushButton>
#include <fstream>
#include <sstream>

#include "WindowTest.h"
#include "lang/MessageCatalogue.h"
#include "lang/modReadLang.h"
#include "platform/CodePage.h"

namespace apptest {
namespace {

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
    QString okText() const { return control<QPushButton>("keyOk")->text(); }
    QString helpText() const { return control<QPushButton>("keyHelp")->text(); }
    QComboBox* languages() const { return control<QComboBox>("cbExternLang"); }
    std::string inHome(const std::string& name) const { return home.string() + "/" + name; }
};

TEST_F(LanguageWindow, ListOffersNoAndEveryLanguageFileWithoutExtension) {
    writeLanguageFile("notes.txt", "x");
    std::filesystem::create_directories(home / "Folder.lng");
    open();
    std::vector<QString> entries;
    for (int i = 0; i < languages()->count(); ++i) {
        entries.push_back(languages()->itemText(i));
    }
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0], "No");
    EXPECT_NE(std::find(entries.begin(), entries.end(), "Deutsch"), entries.end());
    EXPECT_NE(std::find(entries.begin(), entries.end(), "Kurz"), entries.end());
    EXPECT_EQ(languages()->currentIndex(), 0);
    EXPECT_EQ(window->helpFilePath(), inHome("English.chm"));
}

TEST_F(LanguageWindow, ChoosingLanguagesAppliesTheirTextsWithEnglishForMissingKeys) {
    open();
    chooseLanguage("Deutsch");
    EXPECT_EQ(okText(), "Fertig");
    EXPECT_EQ(helpText(), "Hilfe");
    EXPECT_EQ(languages()->itemText(0), "Nein");
    EXPECT_EQ(languages()->currentText(), "Deutsch");
    EXPECT_EQ(control<QLabel>("lblUserName")->text(), "Profil: ");
    EXPECT_EQ(window->helpFilePath(), inHome("Deutsch.chm"));
    // The folder shown is the configuration's again after the reload.
    EXPECT_EQ(control<QLineEdit>("txtExFolder")->text(), "Inbox");

    chooseLanguage("Nein");  // the entry for no language, in German
    EXPECT_EQ(helpText(), "Help");
    EXPECT_EQ(window->helpFilePath(), inHome("English.chm"));

    chooseLanguage("Deutsch");
    chooseLanguage("Kurz");
    EXPECT_EQ(helpText(), "Aide");
    EXPECT_EQ(okText(), "OK");
    EXPECT_EQ(languages()->itemText(0), "No");
    EXPECT_EQ(window->helpFilePath(), inHome("English.chm"));
    closeWindow();
    EXPECT_EQ(userValue("ExternLang"), "Kurz");
}

// Each control shows the text of its own key: a file gives every key its name as text.
TEST_F(LanguageWindow, EveryCaptionAndToolTipShowsItsKeysText) {
    std::string every;
    for (const auto& text : modMessages::kCatalogue) {
        every += std::string(text.key) + " = \"" + std::string(text.key) + "\"\r\n";
    }
    writeLanguageFile("Keys.lng", every);
    open();
    chooseLanguage("Keys");
    const std::pair<const char*, const char*> captions[] = {
        {"lblConfNumber", "ConfigWin_ConfNum"},
        {"lblConfName", "ConfigWin_ConfName"},
        {"lblEServType", "ConfigWin_EServType"},
        {"lblUserName", "ConfigWin_UserNameEx"},
        {"lblUserPassword", "ConfigWin_UserPassword"},
        {"lblInetServer", "ConfigWin_InetServer"},
        {"lblINetPort", "ConfigWin_InetPort"},
        {"lblExFolder", "ConfigWin_ExFolder"},
        {"lblEClient", "ConfigWin_EClient"},
        {"lblWhTime", "ConfigWin_WhTime"},
        {"cbAlarm", "ConfigWin_Alarm"},
        {"lblWavFile", "ConfigWin_WavFile"},
        {"cbPopupWin", "ConfigWin_PopupWin"},
        {"cbRunEClient", "ConfigWin_RunEClient"},
        {"cbWaitEClient", "ConfigWin_WaitEClient"},
        {"lblExternLang", "ConfigWin_ExternLang"},
        {"cbRunAtStartup", "ConfigWin_RunAtStartup"},
        {"keyOk", "ConfigWin_Ok"},
        {"keyHelp", "ConfigWin_Help"},
    };
    for (const auto& [name, key] : captions) {
        EXPECT_EQ(control(name)->property("text").toString().toStdString(), key) << name;
    }
    const std::pair<const char*, const char*> toolTips[] = {
        {"keyNewConf", "ConfigWin_NewConfTip"},  {"keyDelConf", "ConfigWin_DelConfTip"},
        {"keyStopConfig", "ConfigWin_StopConf"}, {"keySelectProf", "ConfigWin_SelectProfTip"},
        {"keyDefProf", "ConfigWin_DefProfTip"},  {"keyExFolder", "ConfigWin_ExFolderTip"},
        {"keyEClient", "ConfigWin_EClientTip"},  {"keySelectWav", "ConfigWin_SelectWav"},
        {"keyPlayWav", "ConfigWin_PlayWav"},     {"keyOk", "ConfigWin_OkTip"},
    };
    for (const auto& [name, key] : toolTips) {
        EXPECT_EQ(control(name)->toolTip().toStdString(), key) << name;
    }
    EXPECT_EQ(option(0)->text().toStdString(), "ConfigWin_PCSpk");
    EXPECT_EQ(option(1)->text().toStdString(), "ConfigWin_SoundCard");
    EXPECT_EQ(window->windowTitle().toStdString(), "ConfigWin_FormCaption");
    EXPECT_EQ(languages()->itemText(0).toStdString(), "ConfigWin_ExternLangNO");
    chooseServerType(3);
    EXPECT_EQ(control<QLabel>("lblUserName")->text().toStdString(), "ConfigWin_UserName");
}

TEST_F(LanguageWindow, LongerTextsWidenTheWindowWithinTheScreen) {
    writeLanguageFile("Lang.lng", "ConfigWin_PopupWin = \"" + std::string(50, 'W') + "\"\r\n");
    open();
    const QRect before = window->frameGeometry();
    chooseLanguage("Lang");
    QCoreApplication::processEvents();
    EXPECT_GT(window->frameGeometry().width(), before.width());
    EXPECT_EQ(window->frameGeometry().bottomRight(), before.bottomRight());
}

TEST_F(LanguageWindow, StoredLanguageOpensInThatLanguageWhateverItsLetterCase) {
    writeUserValue("ExternLang", "deutsch");
    open();
    EXPECT_EQ(okText(), "Fertig");
    EXPECT_EQ(languages()->currentText(), "Deutsch");
    EXPECT_EQ(control<QLineEdit>("txtConfName")->text(), "First");
}

TEST_F(LanguageWindow, FileNamedNoLoadsButIsStoredAsEnglish) {
    writeLanguageFile("no.lng", "ConfigWin_Ok = \"Nope\"\r\n");
    open();
    // Opening in English selects the file's entry (its name matches "No" in any case)
    // without loading it; choosing it loads it.
    EXPECT_EQ(languages()->currentText(), "no");
    EXPECT_EQ(okText(), "OK");
    chooseLanguage("no");
    EXPECT_EQ(okText(), "Nope");
    closeWindow();
    EXPECT_EQ(userValue("ExternLang"), "");
}

TEST_F(LanguageWindow, EntryExactlyNoLoadsNothingEvenWithAFileOfThatName) {
    writeLanguageFile("No.Lng", "ConfigWin_Ok = \"Nope\"\r\n");
    open();
    chooseLanguage("Deutsch");
    languages()->setCurrentIndex(0);
    EXPECT_EQ(okText(), "OK");
}

TEST_F(LanguageWindow, LanguageFileGoneMeanwhileFallsBackToNo) {
    open();
    std::filesystem::remove(home / "Kurz.LNG");
    chooseLanguage("Kurz");
    EXPECT_EQ(languages()->currentIndex(), 0);
    EXPECT_EQ(helpText(), "Help");
    EXPECT_TRUE(prompts->messageBoxes().empty());
}

TEST_F(LanguageWindow, ChangingLanguageShowsTheFirstConfigurationAgain) {
    open();
    chooseConfiguration(1);
    typeInto("txtUserName", "unsaved");
    chooseLanguage("Deutsch");
    EXPECT_EQ(control<QComboBox>("cbConfNum")->currentIndex(), 0);
    EXPECT_EQ(control<QLineEdit>("txtConfName")->text(), "First");
    EXPECT_EQ(window->lProfileID, 1);
    EXPECT_EQ(profileValue("UserName1"), "");
}

TEST_F(LanguageWindow, ChoosingTheSelectedLanguageAgainKeepsTheEditor) {
    open();
    chooseConfiguration(1);
    typeInto("txtConfName", "Renamed");
    chooseLanguage(languages()->currentText());
    EXPECT_EQ(control<QComboBox>("cbConfNum")->currentText(), "02: Renamed");
    EXPECT_EQ(control<QLineEdit>("txtConfName")->text(), "Renamed");
    closeWindow();
    EXPECT_EQ(profileValue("ConfName1"), "Renamed");
}

TEST_F(LanguageWindow, F1AndTheHelpButtonOpenTheHelpAtTheFocusedControlsTopic) {
    open();
    focus("txtWhTime");
    pressKey(control("txtWhTime"), Qt::Key_F1);
    focus("keyOk");
    pressKey(control("keyOk"), Qt::Key_F1);
    click("keyHelp");
    QCoreApplication::processEvents();
    ASSERT_EQ(help->shown().size(), 3u);
    EXPECT_EQ(help->shown()[0].contextId, 21160);
    EXPECT_EQ(help->shown()[0].helpFile, inHome("English.chm"));
    EXPECT_EQ(help->shown()[1].contextId, 21050);
    EXPECT_EQ(help->shown()[2].contextId, 21050);
    EXPECT_NE(help->shown()[2].ownerWindow, 0u);
    EXPECT_EQ(window->property("HelpContextID").toInt(), 21050);
}

TEST(CutExtension, CutsTheLastOccurrenceWithoutRegardToCase) {
    const std::pair<const char*, const char*> cases[] = {{"Mylang.LNG", "Mylang"},
                                                         {"Mylang.lng", "Mylang"},
                                                         {"My.lng.lng", "My.lng"},
                                                         {".lng", ""},
                                                         {"readme", "readme"}};
    for (const auto& [name, cut] : cases) {
        EXPECT_EQ(frmConfigWin::CutExtension(name, ".Lng"), cut) << name;
    }
}

// The language files that come with the program define every text and a help file.
class ShippedLanguage : public LanguageWindow, public testing::WithParamInterface<int> {};

TEST_P(ShippedLanguage, FileDefinesAllTextsAndShowsThem) {
    const bool russian = GetParam() == 1251;
    const std::string name = russian ? "Russian" : "German";
    platform::installCodePage(platform::createCodePage(GetParam()));
    std::ifstream in(std::string(QB_SHARE_DIR) + "/lang/" + name + ".lng", std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    ASSERT_FALSE(bytes.str().empty());
    writeLanguageFile(name + ".lng", bytes.str());
    ASSERT_TRUE(modReadLang::ReadInterface(inHome(name + ".lng")));
    for (const auto& text : modMessages::kCatalogue) {
        EXPECT_FALSE(modReadLang::strGetIntVarVal(std::string(text.key)).empty()) << text.key;
    }
    EXPECT_EQ(modReadLang::strGetIntVarVal("HelpFile"), name + ".chm");

    open();
    chooseLanguage(QString::fromStdString(name));
    EXPECT_EQ(helpText(), russian ? QString::fromUtf8("Справка") : "Hilfe");
    EXPECT_EQ(
        control<QLabel>("lblUserName")->text(),
        russian ? QString::fromUtf8("Имя профиля MS Exchange: ") : "MS-Exchange-Profilname: ");
    EXPECT_TRUE(prompts->messageBoxes().empty());
    platform::installCodePage(nullptr);
}

INSTANTIATE_TEST_SUITE_P(GermanAndRussian, ShippedLanguage, testing::Values(1252, 1251));

}  // namespace
}  // namespace apptest
