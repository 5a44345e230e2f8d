#include <gtest/gtest.h>

#include <string>

#include "platform/CodePage.h"

namespace {

std::string utf8Of(char32_t codePoint) {
    // The bytes that the C library's converters reject are all in U+0080..U+00FF.
    return {static_cast<char>(0xC0 | (codePoint >> 6)),
            static_cast<char>(0x80 | (codePoint & 0x3F))};
}

TEST(IconvCodePage, BytesUndefinedInTheCodePageBecomeControlCharactersOfTheSameValue) {
    const struct {
        int number;
        unsigned char byte;
    } gaps[] = {{1251, 0x98}, {1250, 0x83}, {1253, 0xAA}, {1255, 0xD9}, {1257, 0xA1}, {874, 0xFC}};
    for (const auto& gap : gaps) {
        const auto cp = platform::createCodePage(gap.number);
        ASSERT_TRUE(cp) << gap.number;
        const std::string ansi(1, static_cast<char>(gap.byte));
        EXPECT_EQ(cp->fromAnsi(ansi), utf8Of(gap.byte)) << gap.number << " " << int{gap.byte};
        EXPECT_EQ(cp->toAnsi(utf8Of(gap.byte)), ansi) << gap.number << " " << int{gap.byte};
    }
}

TEST(IconvCodePage, CombiningMarksOfHebrewAndVietnameseStaySeparateBytes) {
    // glibc composes base letter and mark; one byte must still be one character.
    const auto vietnamese = platform::createCodePage(1258);
    ASSERT_TRUE(vietnamese);
    EXPECT_EQ(vietnamese->fromAnsi("a\xEC"), "a\xCC\x81");  // a + combining acute
    EXPECT_EQ(vietnamese->toAnsi("a\xCC\x81"), "a\xEC");
    EXPECT_EQ(vietnamese->toAnsi("ế"), "?") << "precomposed letters are not in the page";
}

TEST(IconvCodePage, InvalidUtf8AndCharactersBeyondTheBmpBecomeOneQuestionMarkEach) {
    const auto cp = platform::createCodePage(1252);
    ASSERT_TRUE(cp);
    EXPECT_EQ(cp->toAnsi("a\xFF"
                         "b\xC3"),
              "a?b?");
    EXPECT_EQ(cp->toAnsi("x😀y"), "x?y");
}

}  // namespace
