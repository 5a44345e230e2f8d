// A Cyrillic language file, saved in code page 1251 as Russian Windows saves it.

#include <gtest/gtest.h>

#include "LanguageFileTest.h"
#include "lang/modMessages.h"
#include "lang/modReadLang.h"

namespace langtest {
namespace {

using CodePage1251Test = LanguageFileTest;

// Source files are UTF-8. The bytes of the file are written out so that the test does not depend on
// the converter it checks. "ОК", "Справка", "Отмена", "Имя профиля MS Exchange: ", "Русский.chm"
// and a Cyrillic key in lower case: "ключ".
constexpr const char* kFile1251 =
    "[\xD0\xF3\xF1\xF1\xEA\xE8\xE9]\r\n"
    "ConfigWin_Ok = \"\xCE\xCA\"\r\n"
    "ConfigWin_Help = \"\xD1\xEF\xF0\xE0\xE2\xEA\xE0\"  ' \xEA\xED\xEE\xEF\xEA\xE0\r\n"
    "SelectProfile_Cancel = \"\xCE\xF2\xEC\xE5\xED\xE0\"\r\n"
    "ConfigWin_UserNameEx = \"\xC8\xEC\xFF \xEF\xF0\xEE\xF4\xE8\xEB\xFF MS Exchange: \"\r\n"
    "HelpFile = \"\xD0\xF3\xF1\xF1\xEA\xE8\xE9.chm\"\r\n"
    "\xEA\xEB\xFE\xF7 = \"\xE7\xED\xE0\xF7\xE5\xED\xE8\xE5\"\r\n";

TEST_F(CodePage1251Test, ShowsTheSameTextsAsTheUtf8Source) {
    const ScopedCodePage cyrillic(1251);
    modMessages::LoadMessages(writeFile("Russian.lng", kFile1251));

    EXPECT_EQ(modMessages::Message("ConfigWin_Ok"), "ОК");
    EXPECT_EQ(modMessages::Message("ConfigWin_Help"), "Справка");
    EXPECT_EQ(modMessages::Message("SelectProfile_Cancel"), "Отмена");
    EXPECT_EQ(modMessages::Message("ConfigWin_UserNameEx"), "Имя профиля MS Exchange: ");
    EXPECT_EQ(modMessages::HelpFileName(), "Русский.chm");
    EXPECT_EQ(modMessages::Message("ConfigWin_Alarm"), "Play a signal when receiving new mail:");
    // Letter case is ignored for Cyrillic keys as well.
    EXPECT_EQ(modReadLang::strGetIntVarVal("КЛЮЧ"), "значение");
    EXPECT_TRUE(boxes().empty());
}

}  // namespace
}  // namespace langtest
