#include <gtest/gtest.h>

#include <string>

#include "platform/CodePage.h"

namespace {

TEST(IconvCodePage, BytesUndefinedInTheCodePageBecomeControlCharactersOfTheSameValue) {
    // The C library's converters reject these bytes, which Windows maps to U+0080..U+00FF.
    const std::pair<int, unsigned char> gaps[] = {{1251, 0x98}, {1250, 0x83}, {1253, 0xAA},
                                                  {1255, 0xD9}, {1257, 0xA1}, {874, 0xFC}};
    for (const auto& [number, byte] : gaps) {
        const auto cp = platform::createCodePage(number);
        ASSERT_TRUE(cp) << number;
        const std::string ansi(1, static_cast<char>(byte));
        const std::string utf8 = {static_cast<char>(0xC0 | (byte >> 6)),
                                  static_cast<char>(0x80 | (byte & 0x3F))};
        EXPECT_EQ(cp->fromAnsi(ansi), utf8) << number << " " << int{byte};
        EXPECT_EQ(cp->toAnsi(utf8), ansi) << number << " " << int{byte};
    }
}

TEST(IconvCodePage, MarksStaySeparateAndInvalidOrAstralCharactersBecomeOneQuestionMarkEach) {
    // glibc composes base letter and mark; one byte must still be one character.
    const auto vietnamese = platform::createCodePage(1258);
    ASSERT_TRUE(vietnamese);
    EXPECT_EQ(vietnamese->fromAnsi("a\xEC"), "a\xCC\x81");  // a + combining acute
    EXPECT_EQ(vietnamese->toAnsi("a\xCC\x81"), "a\xEC");
    EXPECT_EQ(vietnamese->toAnsi("ế"), "?") << "precomposed letters are not in the page";

    const auto western = platform::createCodePage(1252);
    ASSERT_TRUE(western);
    EXPECT_EQ(western->toAnsi("a\xFF"
                              "b\xC3"),
              "a?b?");
    EXPECT_EQ(western->toAnsi("x😀y"), "x?y");
}

}  // namespace
