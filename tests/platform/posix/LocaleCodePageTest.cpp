#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/CodePage.h"
#include "platform/posix/LocaleCodePage.h"

namespace {

using platform::codePageForLocale;

TEST(CodePageForLocale, LanguagesPickTheirWindowsCodePage) {
    EXPECT_EQ(codePageForLocale("ru_RU.UTF-8"), 1251);
    EXPECT_EQ(codePageForLocale("uk_UA"), 1251);
    EXPECT_EQ(codePageForLocale("bg_BG.UTF-8"), 1251);
    EXPECT_EQ(codePageForLocale("de_DE"), 1252);
    EXPECT_EQ(codePageForLocale("en_US.UTF-8"), 1252);
    EXPECT_EQ(codePageForLocale("pl_PL"), 1250);
    EXPECT_EQ(codePageForLocale("cs_CZ.ISO-8859-2"), 1250);
    EXPECT_EQ(codePageForLocale("el_GR.UTF-8"), 1253);
    EXPECT_EQ(codePageForLocale("tr_TR.UTF-8"), 1254);
    EXPECT_EQ(codePageForLocale("he_IL.UTF-8"), 1255);
    EXPECT_EQ(codePageForLocale("fa_IR"), 1256);
    EXPECT_EQ(codePageForLocale("lv_LV.UTF-8"), 1257);
    EXPECT_EQ(codePageForLocale("vi_VN"), 1258);
    EXPECT_EQ(codePageForLocale("th_TH.UTF-8"), 874);
    EXPECT_EQ(codePageForLocale("RU_ru.utf8"), 1251) << "case does not matter";
    EXPECT_EQ(codePageForLocale("pl-PL"), 1250) << "BCP 47 spelling";
}

TEST(CodePageForLocale, ScriptDecidesForLanguagesWithTwoAlphabets) {
    EXPECT_EQ(codePageForLocale("sr_RS.UTF-8"), 1251);
    EXPECT_EQ(codePageForLocale("sr_RS@latin"), 1250);
    EXPECT_EQ(codePageForLocale("sr_RS.UTF-8@latin"), 1250);
    EXPECT_EQ(codePageForLocale("sr-Latn-RS"), 1250);
    EXPECT_EQ(codePageForLocale("bs_BA"), 1250);
    EXPECT_EQ(codePageForLocale("az_AZ.UTF-8"), 1254);
    EXPECT_EQ(codePageForLocale("az_IR"), 1256);
    EXPECT_EQ(codePageForLocale("uz_UZ"), 1254);
    EXPECT_EQ(codePageForLocale("uz_UZ.UTF-8@cyrillic"), 1251);
    EXPECT_EQ(codePageForLocale("mn_MN.UTF-8"), 1251);
}

TEST(CodePageForLocale, NeutralAndDoubleByteLocalesFallBackToWesternEuropean) {
    EXPECT_EQ(codePageForLocale("C"), 1252);
    EXPECT_EQ(codePageForLocale("POSIX"), 1252);
    EXPECT_EQ(codePageForLocale("C.UTF-8"), 1252);
    EXPECT_EQ(codePageForLocale(""), 1252);
    EXPECT_EQ(codePageForLocale("ja_JP.UTF-8"), 1252);
    EXPECT_EQ(codePageForLocale("zh_CN.GB18030"), 1252);
    EXPECT_EQ(codePageForLocale("hi_IN"), 1252);
    EXPECT_EQ(codePageForLocale("@_."), 1252);
}

// Sets the locale variables for one test and restores them afterwards.
class LocaleEnvironment : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : kNames) {
            const char* value = std::getenv(name);
            saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
            unsetenv(name);
        }
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            if (value) {
                setenv(name.c_str(), value->c_str(), 1);
            } else {
                unsetenv(name.c_str());
            }
        }
    }
    static int systemPage() { return platform::createSystemCodePage()->number(); }

private:
    static constexpr const char* kNames[] = {"LC_ALL", "LC_CTYPE", "LANG"};
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(LocaleEnvironment, LcAllBeatsLcCtypeWhichBeatsLang) {
    setenv("LANG", "ru_RU.UTF-8", 1);
    EXPECT_EQ(platform::characterLocaleName(), "ru_RU.UTF-8");
    EXPECT_EQ(systemPage(), 1251);
    setenv("LC_CTYPE", "el_GR.UTF-8", 1);
    EXPECT_EQ(systemPage(), 1253);
    setenv("LC_ALL", "pl_PL.UTF-8", 1);
    EXPECT_EQ(systemPage(), 1250);
}

TEST_F(LocaleEnvironment, EmptyVariablesAreSkippedAndNoneMeansC) {
    EXPECT_EQ(platform::characterLocaleName(), "C");
    EXPECT_EQ(systemPage(), 1252);
    setenv("LC_ALL", "", 1);
    setenv("LANG", "tr_TR.UTF-8", 1);
    EXPECT_EQ(systemPage(), 1254);
}

}  // namespace
