// The message catalogue: English defaults and texts taken from language files.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "LanguageFileTest.h"
#include "lang/modMessages.h"
#include "lang/modReadLang.h"

namespace langtest {
namespace {

using modMessages::HelpFileName;
using modMessages::InitMessages;
using modMessages::kCatalogue;
using modMessages::LoadMessages;
using modMessages::Message;
using modMessages::MessageKey;

using MessagesTest = LanguageFileTest;

TEST(CatalogueTest, HoldsTheEnglishTextsInTheirOrder) {
    ASSERT_EQ(kCatalogue.size(), 55u);
    EXPECT_EQ(kCatalogue[0].key, "ConfigWin_FormCaption");
    EXPECT_EQ(kCatalogue[10].key, "ConfigWin_UserNameEx");
    EXPECT_EQ(kCatalogue[33].key, "ConfigWin_Ok");
    EXPECT_EQ(kCatalogue[54].key, "strUnavailableWarning");
    std::set<std::string_view> keys;
    for (const auto& text : kCatalogue) {
        keys.insert(text.key);
    }
    EXPECT_EQ(keys.size(), kCatalogue.size());

    InitMessages();
    // The texts whose exact spelling is easiest to get wrong.
    EXPECT_EQ(Message("ConfigWin_UserNameEx"), "MS Exchange profile name: ");
    EXPECT_EQ(Message("EClientMask"), "Programs |*.exe;*.com|All files (*.*)|*.*");
    EXPECT_EQ(Message("WavMask"), "Audio file |*.wav;|All files (*.*)|*.*");
    EXPECT_EQ(Message("ConfigWin_FormCaption"), "Quillbell configuration");
    EXPECT_EQ(Message("ConfigWin_RunAtStartup"), "Run Quillbell at startup");
    EXPECT_EQ(Message("EClientWarningB"),
              "In case of activation of this menu item after the launch of external e-mail "
              "client application, Quillbell will wait for its completion. You CANNOT check "
              "mailboxes while the external e-mail client application is active!");
    EXPECT_EQ(Message("strUnavailableWarning"),
              "This folder is not currently available. For more information, please contact "
              "your post office administrator...");
    EXPECT_EQ(Message("ConfigWin_ExternLangNO"), "No");
    EXPECT_EQ(HelpFileName(), "English.chm");
}

TEST_F(MessagesTest, FileTextsReplaceEnglishAndANewLanguageStartsFromEnglish) {
    std::string every = "HelpFile = \"Lang.chm\"\r\n";
    for (const auto& text : kCatalogue) {
        every += std::string(text.key) + " = \"Lang " + std::string(text.key) + "\"\r\n";
    }
    LoadMessages(writeFile("all.lng", every));
    for (std::size_t i = 0; i < kCatalogue.size(); ++i) {
        EXPECT_EQ(Message(MessageKey::at(i)), "Lang " + std::string(kCatalogue[i].key));
    }
    EXPECT_EQ(HelpFileName(), "Lang.chm");

    // A file with one key leaves every other text English, not as the earlier file had it.
    InitMessages();
    LoadMessages(writeFile("one.lng", "ConfigWin_Ok = \"Fine\"\r\n"));
    for (std::size_t i = 0; i < kCatalogue.size(); ++i) {
        const bool ok = kCatalogue[i].key == "ConfigWin_Ok";
        EXPECT_EQ(Message(MessageKey::at(i)), ok ? "Fine" : kCatalogue[i].english) << i;
    }
    EXPECT_EQ(HelpFileName(), "English.chm");
    EXPECT_TRUE(boxes().empty());
}

TEST_F(MessagesTest, KeysInAnyLetterCaseAreFoundAndEmptyOrMissingValuesKeepTheText) {
    LoadMessages(
        writeFile("sparse.lng",
                  "ConfigWin_Help = \"\"\r\nHelpFile = \"\"\r\n"
                  "SelectProfile_Cancel = \"Abbrechen\"\r\nSelectProfile_Cancel = \"\"\r\n"
                  "configwin_ok = \"Bien\"\r\nCONFIGWIN_USERNAMEEX = \"Nom du profil : \"\r\n"
                  "Unknown_Key = \"ignored\"\r\nPresent = \"new\"\r\n"));
    EXPECT_EQ(Message("ConfigWin_Help"), "Help");
    EXPECT_EQ(HelpFileName(), "English.chm");
    // The later, empty line wins the look-up, and an empty value changes nothing.
    EXPECT_EQ(Message("SelectProfile_Cancel"), "Cancel");
    EXPECT_EQ(Message("ConfigWin_Ok"), "Bien");
    EXPECT_EQ(Message("ConfigWin_UserNameEx"), "Nom du profil : ");

    std::string text = "old";
    modMessages::SetMessage(text, "Absent");
    modMessages::SetMessage(text, "ConfigWin_Help");
    EXPECT_EQ(text, "old");
    modMessages::SetMessage(text, "present");
    EXPECT_EQ(text, "new");
}

TEST_F(MessagesTest, PathWithoutANormalFileChangesNothingSilently) {
    LoadMessages(writeFile("first.lng", "ConfigWin_Ok = \"Bien\"\r\n"));
    LoadMessages(pathOf("missing.lng"));
    std::filesystem::create_directory(dir_ / "folder.lng");
    LoadMessages(pathOf("folder.lng"));
    LoadMessages("");
    EXPECT_EQ(Message("ConfigWin_Ok"), "Bien");
    EXPECT_TRUE(boxes().empty());
}

TEST_F(MessagesTest, FileThatOverflowsIsReportedOnceAndChangesNothing) {
    // Blank lines count towards the limit too.
    LoadMessages(writeFile("huge.lng", "ConfigWin_Ok = \"Trop\"\r\n" + std::string(40000, '\r')));
    EXPECT_EQ(Message("ConfigWin_Ok"), "OK");
    expectBoxes(1, panicBox("ReadInterface", 6, "Overflow"));
}

TEST_F(MessagesTest, FileInCodePage1251ShowsTheSameTextsAsTheUtf8Source) {
    // The bytes are written out so that the test does not depend on the converter it checks:
    // "ОК", "Справка" with a remark, "Имя профиля MS Exchange: ", "Русский.chm", "ключ".
    useCodePage(1251);
    LoadMessages(writeFile(
        "Russian.lng",
        "[\xD0\xF3\xF1\xF1\xEA\xE8\xE9]\r\n"
        "ConfigWin_Ok = \"\xCE\xCA\"\r\n"
        "ConfigWin_Help = \"\xD1\xEF\xF0\xE0\xE2\xEA\xE0\"  ' \xEA\xED\xEE\xEF\xEA\xE0\r\n"
        "ConfigWin_UserNameEx = \"\xC8\xEC\xFF \xEF\xF0\xEE\xF4\xE8\xEB\xFF MS Exchange: \"\r\n"
        "helpfile = \"\xD0\xF3\xF1\xF1\xEA\xE8\xE9.chm\"\r\n"
        "\xEA\xEB\xFE\xF7 = \"\xE7\xED\xE0\xF7\xE5\xED\xE8\xE5\"\r\n"));
    EXPECT_EQ(Message("ConfigWin_Ok"), "ОК");
    EXPECT_EQ(Message("ConfigWin_Help"), "Справка");
    EXPECT_EQ(Message("ConfigWin_UserNameEx"), "Имя профиля MS Exchange: ");
    EXPECT_EQ(HelpFileName(), "Русский.chm");  // from a key in lower case
    EXPECT_EQ(Message("ConfigWin_Alarm"), "Play a signal when receiving new mail:");
    // Letter case is ignored for Cyrillic keys as well.
    EXPECT_EQ(modReadLang::strGetIntVarVal("КЛЮЧ"), "значение");
    EXPECT_TRUE(boxes().empty());
}

}  // namespace
}  // namespace langtest
