#include "LanguageFileTest.h"

namespace langtest {
namespace {

using modMessages::HelpFileName;
using modMessages::kCatalogue;
using modMessages::LoadMessages;
using modMessages::Message;
using modMessages::MessageKey;

using MessagesTest = LanguageFileTest;

// Every key with its English text, in the order in which they are set and read.
const std::pair<std::string_view, std::string_view> kEnglish[] = {
    {"ConfigWin_FormCaption", "Quillbell configuration"},
    {"ConfigWin_ConfNum", "E-Mail configuration:"},
    {"ConfigWin_NewConfTip", "Create new E-Mail configuration"},
    {"ConfigWin_DelConfTip", "Delete current E-Mail configuration"},
    {"ConfigWin_StopConf", "Enable/disable current E-Mail configuration checking"},
    {"ConfigWin_EServType", "E-Mail server type:"},
    {"ConfigWin_UserName", "Name:"},
    {"ConfigWin_SelectProfTip", "Select MS Exchange profile for checking"},
    {"ConfigWin_DefProfTip", "Select default MS Exchange profile"},
    {"ConfigWin_UserPassword", "Password:"},
    {"ConfigWin_UserNameEx", "MS Exchange profile name: "},
    {"ConfigWin_InetServer", "E-Mail server:"},
    {"ConfigWin_InetPort", "Port:"},
    {"ConfigWin_ExFolder", "Check MS Exchange folder:"},
    {"ConfigWin_InBoxFolder", "Inbox"},
    {"ConfigWin_ExFolderTip", "Select folder for checking"},
    {"ConfigWin_EClient", "E-Mail client:"},
    {"ConfigWin_EClientTip", "Select E-Mail client for this configuration"},
    {"ConfigWin_WhTime", "Mail box check frequency (in seconds):"},
    {"ConfigWin_Alarm", "Play a signal when receiving new mail:"},
    {"ConfigWin_PCSpk", "Use PC speaker"},
    {"ConfigWin_SoundCard", "Use sound card"},
    {"ConfigWin_WavFile", "Audio file name:"},
    {"ConfigWin_ConfName", "Configuration name:"},
    {"ConfigWin_SelectWav", "Select audio file for alarm event"},
    {"ConfigWin_PlayWav", "Test audio file"},
    {"ConfigWin_PopupWin", "Combine sound signal with floating window appearance"},
    {"ConfigWin_RunEClient", "Start E-Mail client when receiving new message"},
    {"ConfigWin_WaitEClient", "Wait while E-Mail client finished its work"},
    {"ConfigWin_RunAtStartup", "Run Quillbell at startup"},
    {"ConfigWin_ExternLang", "Use external language file:"},
    {"ConfigWin_ExternLangNO", "No"},
    {"ConfigWin_Help", "Help"},
    {"ConfigWin_Ok", "OK"},
    {"ConfigWin_OkTip", "Save and exit"},
    {"NewConfDefName", "New configuration"},
    {"DelProfWarning", "WARNING! Do you really want to delete this configuration?"},
    {"EClientDlg", "Please, select your E-Mail client program"},
    {"EClientMask", "Programs |*.exe;*.com|All files (*.*)|*.*"},
    {"WavDlg", "Please, select audio file"},
    {"WavMask", "Audio file |*.wav;|All files (*.*)|*.*"},
    {"SelectProfile_WinCaption", "Please, select MS Exchange configuration"},
    {"SelectProfile_StdProftext", "Default MS Exchange configuration:"},
    {"SelectProfile_Select", "Select"},
    {"SelectProfile_Cancel", "Cancel"},
    {"strToolBar", "Please, select MS Exchange folder for checking..."},
    {"strSelect", "Select folder"},
    {"strWarning", "You cannot select root folder! Please, select a folder from a lower level..."},
    {"strNoProfile", "Please, select MS Exchange profile first!"},
    {"strWhiteLabelConnectA",
     "Connecting to MS Exchange server and downloading folders list. Please, wait..."},
    {"EClientWarningA", "WARNING!"},
    {"EClientWarningB",
     "In case of activation of this menu item after the launch of external e-mail "
     "client application, Quillbell will wait for its completion. You CANNOT check "
     "mailboxes while the external e-mail client application is active!"},
    {"EClientWarningC", "Continue program operation in this mode?"},
    {"ProfileNotFound", "Default Microsoft Exchange profile not found!"},
    {"strUnavailableWarning",
     "This folder is not currently available. For more information, please contact "
     "your post office administrator..."},
};

TEST_F(MessagesTest, CatalogueHoldsEveryEnglishTextInItsOrderAndFileTextsReplaceThem) {
    ASSERT_EQ(kCatalogue.size(), std::size(kEnglish));
    for (std::size_t i = 0; i < kCatalogue.size(); ++i) {
        EXPECT_EQ(kCatalogue[i].key, kEnglish[i].first) << i;
        EXPECT_EQ(Message(MessageKey::at(i)), kEnglish[i].second) << kEnglish[i].first;
    }
    EXPECT_EQ(HelpFileName(), "English.chm");
    std::string every = "HelpFile = \"Lang.chm\"\r\n";
    for (const auto& text : kCatalogue) {
        every += std::string(text.key) + " = \"Lang " + std::string(text.key) + "\"\r\n";
    }
    LoadMessages(writeFile("all.lng", every));
    for (std::size_t i = 0; i < kCatalogue.size(); ++i) {
        EXPECT_EQ(Message(MessageKey::at(i)), "Lang " + std::string(kCatalogue[i].key));
    }
    EXPECT_EQ(HelpFileName(), "Lang.chm");
    expectBoxes(0);
}

TEST_F(MessagesTest, KeysInAnyLetterCaseAreFoundAndEmptyOrMissingValuesKeepTheText) {
    LoadMessages(
        writeFile("sparse.lng",
                  "ConfigWin_Help = \"\"\r\nHelpFile = \"\"\r\n"
                  "configwin_ok = \"Bien\"\r\nCONFIGWIN_USERNAMEEX = \"Nom du profil : \"\r\n"));
    EXPECT_EQ(Message("ConfigWin_Help"), "Help");
    EXPECT_EQ(HelpFileName(), "English.chm");
    EXPECT_EQ(Message("ConfigWin_Ok"), "Bien");
    EXPECT_EQ(Message("ConfigWin_UserNameEx"), "Nom du profil : ");
}

TEST_F(MessagesTest, FilesThatCannotBeReadWholeChangeNothing) {
    LoadMessages(writeFile("first.lng", "ConfigWin_Ok = \"Bien\"\r\n"));
    LoadMessages(pathOf("missing.lng"));
    std::filesystem::create_directory(dir_ / "folder.lng");
    LoadMessages(pathOf("folder.lng"));
    LoadMessages("");
    expectBoxes(0);
    // A file that overflows, reported once; blank lines count towards the limit too.
    LoadMessages(writeFile("huge.lng", "ConfigWin_Ok = \"Trop\"\r\n" + std::string(40000, '\r')));
    EXPECT_EQ(Message("ConfigWin_Ok"), "Bien");
    expectBoxes(1, panicBox("ReadInterface", 6, "Overflow"));
}

TEST_F(MessagesTest, FileInCodePage1251ShowsTheSameTextsAsTheUtf8Source) {
    // The bytes are written out so that the test does not depend on the converter it checks:
    // "ОК", "Справка" with a remark, "Русский.chm", "ключ".
    platform::installCodePage(platform::createCodePage(1251));
    ASSERT_EQ(platform::ansiCodePage().number(), 1251) << "code page 1251 is not available";
    LoadMessages(writeFile(
        "Russian.lng",
        "[\xD0\xF3\xF1\xF1\xEA\xE8\xE9]\r\n"
        "ConfigWin_Ok = \"\xCE\xCA\"\r\n"
        "ConfigWin_Help = \"\xD1\xEF\xF0\xE0\xE2\xEA\xE0\"  ' \xEA\xED\xEE\xEF\xEA\xE0\r\n"
        "helpfile = \"\xD0\xF3\xF1\xF1\xEA\xE8\xE9.chm\"\r\n"
        "\xEA\xEB\xFE\xF7 = \"\xE7\xED\xE0\xF7\xE5\xED\xE8\xE5\"\r\n"));
    EXPECT_EQ(Message("ConfigWin_Ok"), "ОК");
    EXPECT_EQ(Message("ConfigWin_Help"), "Справка");
    EXPECT_EQ(HelpFileName(), "Русский.chm");  // from a key in lower case
    EXPECT_EQ(modReadLang::strGetIntVarVal("КЛЮЧ"), "значение");
    expectBoxes(0);
}

}  // namespace
}  // namespace langtest
