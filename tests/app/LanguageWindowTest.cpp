// The language choice: the list of language files, the texts and help topics put on the
// controls, and the help file.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <fstream>
#include <sstream>

#include "WindowTest.h"
#include "WriteLog.h"
#include "lang/MessageCatalogue.h"
#include "lang/modReadLang.h"
#include "platform/CodePage.h"
#include "registry/modRegistryAccess.h"

namespace apptest {
namespace {

class LanguageWindow : public WindowTest {
protected:
    void SetUp() override {
        installMachineValues();
        storeConfigurations({record("First", 1), record("Second", 2)});
        writeLanguageFile("Deutsch.lng",
                          "[Quillbell]\r\nConfigWin_Ok = \"Fertig\"\r\n"
                          "ConfigWin_Help = \"Hilfe\"\r\nConfigWin_ExternLangNO = \"Nein\"\r\n"
                          "ConfigWin_UserNameEx = \"Profil: \"\r\n"
                          "HelpFile = \"Deutsch.chm\"\r\n");
        writeLanguageFile("Kurz.LNG", "ConfigWin_Help = \"Aide\"\r\n");
    }
    void writeExternLang(const std::string& name) {
        modRegistryAccess::WriteRegValue(modRegistryAccess::RootHive::HKEY_CURRENT_USER,
                                         "Software\\Orvane\\Quillbell", "ExternLang", name,
                                         modRegistryAccess::kRegSz);
    }
    QString okText() const { return control<QPushButton>("keyOk")->text(); }
    QString helpText() const { return control<QPushButton>("keyHelp")->text(); }
    QComboBox* languages() const { return control<QComboBox>("cbExternLang"); }
    std::string homePrefix() const { return home.string() + "/"; }
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
    EXPECT_EQ(window->helpFilePath(), homePrefix() + "English.chm");
}

TEST_F(LanguageWindow, ChoosingALanguageAppliesItsTextsAndHelpFileAndIsSaved) {
    open();
    chooseLanguage("Deutsch");
    EXPECT_EQ(okText(), "Fertig");
    EXPECT_EQ(helpText(), "Hilfe");
    EXPECT_EQ(languages()->itemText(0), "Nein");
    EXPECT_EQ(languages()->currentText(), "Deutsch");
    EXPECT_EQ(control<QLabel>("lblUserName")->text(), "Profil: ");
    EXPECT_EQ(window->helpFilePath(), homePrefix() + "Deutsch.chm");
    // The folder shown is the configuration's again after the reload.
    EXPECT_EQ(control<QLineEdit>("txtExFolder")->text(), "Inbox");
    closeWindow();
    EXPECT_EQ(userValue("ExternLang"), "Deutsch");
}

TEST_F(LanguageWindow, LongerTextsWidenTheWindowWithinTheScreen) {
    writeLanguageFile("Lang.lng", "ConfigWin_PopupWin = \"" + std::string(50, 'W') + "\"\r\n");
    open();
    const QRect before = window->frameGeometry();
    chooseLanguage("Lang");
    QCoreApplication::processEvents();
    const QRect after = window->frameGeometry();
    EXPECT_GT(after.width(), before.width());
    EXPECT_EQ(after.bottomRight(), before.bottomRight());
}

TEST_F(LanguageWindow, AnotherLanguageLackingKeysFallsBackToEnglish) {
    open();
    chooseLanguage("Deutsch");
    chooseLanguage("Kurz");
    EXPECT_EQ(helpText(), "Aide");
    EXPECT_EQ(okText(), "OK");
    EXPECT_EQ(languages()->itemText(0), "No");
    EXPECT_EQ(window->helpFilePath(), homePrefix() + "English.chm");
    chooseLanguage("No");
    EXPECT_EQ(helpText(), "Help");
}

TEST_F(LanguageWindow, StoredLanguageOpensInThatLanguageWhateverItsLetterCase) {
    writeExternLang("deutsch");
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

TEST_F(LanguageWindow, EscInTheLanguageListCloses) {
    open();
    focus(languages());
    pressKey(languages(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(machineValue("Version"), "1.0");
}

TEST_F(LanguageWindow, F1OpensTheHelpAtTheFocusedControlsTopic) {
    open();
    focus("txtWhTime");
    pressKey(control<QWidget>("txtWhTime"), Qt::Key_F1);
    focus("keyOk");
    pressKey(control<QWidget>("keyOk"), Qt::Key_F1);
    click("keyHelp");
    QCoreApplication::processEvents();
    ASSERT_EQ(help->shown().size(), 3u);
    EXPECT_EQ(help->shown()[0].contextId, 21160);
    EXPECT_EQ(help->shown()[0].helpFile, homePrefix() + "English.chm");
    EXPECT_EQ(help->shown()[1].contextId, 21050);
    EXPECT_EQ(help->shown()[2].contextId, 21050);
    EXPECT_NE(help->shown()[2].ownerWindow, 0u);
}

TEST_F(LanguageWindow, EveryControlCarriesItsHelpTopic) {
    open();
    const std::vector<std::pair<const char*, int>> topics = {{"cbConfNum", 21060},
                                                             {"keyNewConf", 21060},
                                                             {"keyDelConf", 21060},
                                                             {"keyStopConfig", 21060},
                                                             {"txtConfName", 21070},
                                                             {"cbEServType", 21080},
                                                             {"txtUserName", 21090},
                                                             {"keySelectProf", 21090},
                                                             {"keyDefProf", 21090},
                                                             {"txtUserPassword", 21100},
                                                             {"txtINetServer", 21110},
                                                             {"txtINetPort", 21120},
                                                             {"txtExFolder", 21130},
                                                             {"keyExFolder", 21140},
                                                             {"txtEClient", 21150},
                                                             {"keyEClient", 21150},
                                                             {"txtWhTime", 21160},
                                                             {"cbAlarm", 21170},
                                                             {"txtWavName", 21170},
                                                             {"keySelectWav", 21170},
                                                             {"keyPlayWav", 21170},
                                                             {"cbPopupWin", 21180},
                                                             {"cbRunEClient", 21190},
                                                             {"cbWaitEClient", 21200},
                                                             {"cbExternLang", 21210},
                                                             {"cbRunAtStartup", 21220},
                                                             {"keyOk", 0},
                                                             {"keyHelp", 0}};
    for (const auto& [name, topic] : topics) {
        EXPECT_EQ(control<QWidget>(name)->property("HelpContextID").toInt(), topic) << name;
    }
    EXPECT_EQ(option(0)->property("HelpContextID").toInt(), 21170);
    EXPECT_EQ(option(1)->property("HelpContextID").toInt(), 21170);
    EXPECT_EQ(window->property("HelpContextID").toInt(), 21050);
}

TEST(CutExtension, CutsTheLastOccurrenceWithoutRegardToCase) {
    EXPECT_EQ(frmConfigWin::CutExtension("Mylang.LNG", ".Lng"), "Mylang");
    EXPECT_EQ(frmConfigWin::CutExtension("Mylang.lng", ".Lng"), "Mylang");
    EXPECT_EQ(frmConfigWin::CutExtension("My.lng.lng", ".Lng"), "My.lng");
    EXPECT_EQ(frmConfigWin::CutExtension(".lng", ".Lng"), "");
    EXPECT_EQ(frmConfigWin::CutExtension("readme", ".Lng"), "readme");
}

// The language files that come with the program define every text and a help file.
class ShippedLanguage : public LanguageWindow, public testing::WithParamInterface<int> {};

TEST_P(ShippedLanguage, FileDefinesAllTextsAndShowsThem) {
    const int codePage = GetParam();
    const std::string name = codePage == 1251 ? "Russian" : "German";
    platform::installCodePage(platform::createCodePage(codePage));
    std::ifstream in(std::string(QB_SHARE_DIR) + "/lang/" + name + ".lng", std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    ASSERT_FALSE(bytes.str().empty());
    writeLanguageFile(name + ".lng", bytes.str());
    ASSERT_TRUE(modReadLang::ReadInterface((home / (name + ".lng")).string()));
    for (std::size_t i = 0; i < modMessages::kMessageCount; ++i) {
        const auto key = std::string(modMessages::kCatalogue[i].key);
        EXPECT_FALSE(modReadLang::strGetIntVarVal(key).empty()) << name << " " << key;
    }
    EXPECT_EQ(modReadLang::strGetIntVarVal("HelpFile"), name + ".chm");

    open();
    chooseLanguage(QString::fromStdString(name));
    EXPECT_EQ(helpText(), codePage == 1251 ? QString::fromUtf8("Справка") : "Hilfe");
    EXPECT_EQ(control<QLabel>("lblUserName")->text(),
              codePage == 1251 ? QString::fromUtf8("Имя профиля MS Exchange: ")
                               : "MS-Exchange-Profilname: ");
    EXPECT_TRUE(prompts->messageBoxes().empty());
    platform::installCodePage(nullptr);
}

INSTANTIATE_TEST_SUITE_P(GermanAndRussian, ShippedLanguage, testing::Values(1252, 1251));

}  // namespace
}  // namespace apptest
