#include <gtest/gtest.h>

#include <string>

#include "platform/CodePage.h"

namespace {

using platform::createCodePage;

std::string allBytes() {
    std::string bytes;
    for (int byte = 0; byte < 256; ++byte) {
        bytes += static_cast<char>(byte);
    }
    return bytes;
}

class SingleByteCodePage : public testing::TestWithParam<int> {};

// Enciphered passwords are arbitrary bytes: each must be one character and come back.
TEST_P(SingleByteCodePage, EveryByteIsOneCharacterAndComesBackUnchanged) {
    const auto cp = createCodePage(GetParam());
    ASSERT_TRUE(cp);
    EXPECT_EQ(cp->number(), GetParam());
    const auto bytes = allBytes();
    const auto text = cp->fromAnsi(bytes);
    std::size_t characters = 0;
    for (const char c : text) {
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    EXPECT_EQ(characters, 256u);
    EXPECT_EQ(text.substr(0, 128), bytes.substr(0, 128)) << "ASCII passes unchanged";
    EXPECT_EQ(cp->toAnsi(text), bytes);
    for (int byte = 0; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        EXPECT_EQ(cp->toAnsi(cp->fromAnsi(one)), one) << "byte " << byte;
    }
}

INSTANTIATE_TEST_SUITE_P(WindowsCodePages, SingleByteCodePage,
                         testing::Values(874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257,
                                         1258));

TEST(CodePage, SingleBytePagesConvertBothWaysAndWhatThePageLacksBecomesQuestionMarks) {
    const struct {
        int page;
        std::string utf8;
        std::string ansi;
        bool backAgain;
    } cases[] = {
        {1252, "€Ÿé", "\x80\x9F\xE9", true},  // Windows Latin 1, not ISO 8859-1
        // The bytes the page leaves undefined are the control characters of the same value.
        {1252, "\u0081\u008D\u008F\u0090\u009D", "\x81\x8D\x8F\x90\x9D", true},
        {1251, "Привет, мир! Ёё Ґґ Її Ўў",
         "\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0! \xA8\xB8 \xA5\xB4 \xAF\xBF \xA1\xA2", true},
        {1251, std::string("\0А\0", 4), std::string("\0\xC0\0", 3), true},  // NUL is a character
        {1252, "a€Жb ā 漢字", "a\x80?b ? ??", false},  // "ā": no best-fit guess of its base letter
        {1258, "a\xCC\x81", "a\xEC", true},            // a + combining acute: never composed
        {1258, "ế", "?", false},                       // precomposed letters are not in the page
        {1252, "a\xFF\x62\xC3", "a?b?", false},        // invalid UTF-8
    };
    for (const auto& c : cases) {
        const auto cp = createCodePage(c.page);
        ASSERT_TRUE(cp) << c.page;
        EXPECT_EQ(cp->toAnsi(c.utf8), c.ansi) << c.page << " " << c.utf8;
        if (c.backAgain) {
            EXPECT_EQ(cp->fromAnsi(c.ansi), c.utf8) << c.page << " " << c.utf8;
        }
    }
    EXPECT_FALSE(createCodePage(932)) << "Japanese is double-byte";
    EXPECT_FALSE(createCodePage(0));
}

}  // namespace
