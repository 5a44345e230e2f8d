// The message catalogue: English defaults and texts taken from language files.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "LanguageFileTest.h"
#include "lang/modMessages.h"

namespace langtest {
namespace {

using modMessages::HelpFileName;
using modMessages::InitMessages;
using modMessages::kCatalogue;
using modMessages::LoadMessages;
using modMessages::Message;
using modMessages::MessageKey;

using MessagesTest = LanguageFileTest;

// A language file that sets every text and the help file name to something recognisable.
std::string everyKeyFile(const std::string& prefix) {
    std::string file = "HelpFile = \"" + prefix + ".chm\"\r\n";
    for (const auto& text : kCatalogue) {
        file += std::string(text.key) + " = \"" + prefix + " " + std::string(text.key) + "\"\r\n";
    }
    return file;
}

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

TEST(CatalogueTest, KeysWalkTheCatalogue) {
    EXPECT_EQ(MessageKey("ConfigWin_Ok").key(), "ConfigWin_Ok");
    EXPECT_EQ(MessageKey("WavMask").index(), 40u);
    EXPECT_EQ(MessageKey::at(54).key(), "strUnavailableWarning");
    EXPECT_THROW(MessageKey::at(55), std::out_of_range);
}

TEST_F(MessagesTest, EveryKeyAndTheHelpFileAreTakenFromTheFile) {
    LoadMessages(writeFile("all.lng", everyKeyFile("Lang")));

    for (std::size_t i = 0; i < kCatalogue.size(); ++i) {
        const auto key = MessageKey::at(i);
        EXPECT_EQ(Message(key), "Lang " + std::string(key.key()));
    }
    EXPECT_EQ(HelpFileName(), "Lang.chm");
    EXPECT_TRUE(boxes().empty());
}

TEST_F(MessagesTest, InitMessagesBringsEverythingBackToEnglish) {
    LoadMessages(writeFile("all.lng", everyKeyFile("Lang")));

    InitMessages();

    for (std::size_t i = 0; i < kCatalogue.size(); ++i) {
        EXPECT_EQ(Message(MessageKey::at(i)), kCatalogue[i].english);
    }
    EXPECT_EQ(HelpFileName(), "English.chm");
}

TEST_F(MessagesTest, FileWithOneKeyLeavesTheOthersEnglishNotThePreviousLanguage) {
    LoadMessages(writeFile("first.lng", everyKeyFile("First")));
    InitMessages();

    LoadMessages(writeFile("second.lng", "ConfigWin_Ok = \"Fine\"\r\n"));

    EXPECT_EQ(Message("ConfigWin_Ok"), "Fine");
    EXPECT_EQ(Message("ConfigWin_Help"), "Help");
    EXPECT_EQ(Message("ConfigWin_OkTip"), "Save and exit");
    EXPECT_EQ(HelpFileName(), "English.chm");
}

TEST_F(MessagesTest, EmptyOrMissingValuesKeepTheText) {
    LoadMessages(writeFile("sparse.lng",
                           "ConfigWin_Help = \"\"\r\n"
                           "HelpFile = \"\"\r\n"
                           "SelectProfile_Cancel = \"Abbrechen\"\r\n"
                           "SelectProfile_Cancel = \"\"\r\n"
                           "Unknown_Key = \"ignored\"\r\n"));

    EXPECT_EQ(Message("ConfigWin_Help"), "Help");
    EXPECT_EQ(HelpFileName(), "English.chm");
    // The later, empty line wins the look-up, and an empty value changes nothing.
    EXPECT_EQ(Message("SelectProfile_Cancel"), "Cancel");
}

TEST_F(MessagesTest, KeysAreFoundInAnyLetterCaseAndValuesKeepTheirBlanks) {
    LoadMessages(writeFile("case.lng",
                           "configwin_ok = \"Bien\"\r\n"
                           "CONFIGWIN_USERNAMEEX = \"Nom du profil : \"\r\n"
                           "helpfile = \"Francais.chm\"\r\n"));

    EXPECT_EQ(Message("ConfigWin_Ok"), "Bien");
    EXPECT_EQ(Message("ConfigWin_UserNameEx"), "Nom du profil : ");
    EXPECT_EQ(HelpFileName(), "Francais.chm");
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
    std::string file = "ConfigWin_Ok = \"Trop\"\r\n";
    file += std::string(40000, '\r');

    LoadMessages(writeFile("huge.lng", file));

    EXPECT_EQ(Message("ConfigWin_Ok"), "OK");
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, panicBox("ReadInterface", 6, "Overflow"));
}

TEST_F(MessagesTest, SetMessageKeepsTheTextWhenTheKeyHasNoValue) {
    LoadMessages(writeFile("set.lng", "Present = \"new\"\r\nBlank = \"\"\r\n"));

    std::string text = "old";
    modMessages::SetMessage(text, "Absent");
    EXPECT_EQ(text, "old");
    modMessages::SetMessage(text, "Blank");
    EXPECT_EQ(text, "old");
    modMessages::SetMessage(text, "present");
    EXPECT_EQ(text, "new");
}

}  // namespace
}  // namespace langtest
