#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScopedEnv.h"
#include "platform/CodePage.h"
#include "platform/posix/LocaleCodePage.h"

namespace {

using platformtest::ScopedEnv;

// Script decides for two-alphabet languages; neutral and double-byte ones get Western European.
TEST(CodePageForLocale, LanguagesPickTheirWindowsCodePageAsWineDoes) {
    const std::pair<int, std::vector<const char*>> cases[] = {
        {1250,
         {"cs_CZ.ISO-8859-2", "pl-PL", "sr_RS@latin", "sr_RS.UTF-8@latin", "sr-Latn-RS", "bs_BA"}},
        {1251, {"ru_RU.UTF-8", "RU_ru.utf8", "sr_RS.UTF-8", "uz_UZ.UTF-8@cyrillic", "mn_MN.UTF-8"}},
        {1252, {"de_DE", "C", "", "ja_JP.UTF-8", "@_."}},
        {1253, {"el_GR.UTF-8"}},
        {1254, {"tr_TR.UTF-8", "az_AZ.UTF-8", "uz_UZ"}},
        {1255, {"he_IL.UTF-8"}},
        {1256, {"fa_IR", "az_IR"}},
        {1257, {"lv_LV.UTF-8"}},
        {1258, {"vi_VN"}},
        {874, {"th_TH.UTF-8"}},
    };
    for (const auto& [page, locales] : cases) {
        for (const char* locale : locales) {
            EXPECT_EQ(platform::codePageForLocale(locale), page) << locale;
        }
    }
}

TEST(CodePageForLocale, LcAllBeatsLcCtypeWhichBeatsLangAndEmptyOnesAreSkipped) {
    const ScopedEnv all("LC_ALL", std::nullopt);
    const ScopedEnv ctype("LC_CTYPE", std::nullopt);
    const auto systemPage = [] { return platform::createSystemCodePage()->number(); };
    {
        const ScopedEnv lang("LANG", std::nullopt);
        EXPECT_EQ(platform::characterLocaleName(), "C") << "none set means C";
    }
    const ScopedEnv lang("LANG", "ru_RU.UTF-8");
    EXPECT_EQ(systemPage(), 1251);
    {
        const ScopedEnv emptyAll("LC_ALL", "");
        EXPECT_EQ(systemPage(), 1251);
    }
    const ScopedEnv greek("LC_CTYPE", "el_GR.UTF-8");
    EXPECT_EQ(systemPage(), 1253);
    const ScopedEnv polish("LC_ALL", "pl_PL.UTF-8");
    EXPECT_EQ(systemPage(), 1250);
}

TEST(IconvCodePage, AnAstralCharacterBecomesOneQuestionMark) {
    EXPECT_EQ(platform::createCodePage(1252)->toAnsi("x😀y"), "x?y");
}

}  // namespace
