#include <gtest/gtest.h>

#include <string>

#include "platform/CodePage.h"

namespace {

using platform::CodePage;
using platform::createCodePage;

std::string allBytes() {
    std::string bytes;
    for (int byte = 0; byte < 256; ++byte) {
        bytes += static_cast<char>(byte);
    }
    return bytes;
}

// Number of characters in a valid UTF-8 text.
std::size_t characterCount(const std::string& utf8) {
    std::size_t count = 0;
    for (const char c : utf8) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

std::unique_ptr<CodePage> page(int number) {
    auto result = createCodePage(number);
    if (!result) {
        ADD_FAILURE() << "code page " << number << " is missing";
    }
    return result;
}

class SingleByteCodePage : public testing::TestWithParam<int> {};

TEST_P(SingleByteCodePage, EveryByteIsOneCharacterAndComesBackUnchanged) {
    const auto cp = page(GetParam());
    ASSERT_TRUE(cp);
    EXPECT_EQ(cp->number(), GetParam());
    const auto bytes = allBytes();
    const auto text = cp->fromAnsi(bytes);
    EXPECT_EQ(characterCount(text), 256u);
    EXPECT_EQ(text.substr(0, 128), bytes.substr(0, 128)) << "ASCII passes unchanged";
    EXPECT_EQ(cp->toAnsi(text), bytes);

    // Byte by byte too: no byte depends on its neighbours.
    for (int byte = 0; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        EXPECT_EQ(cp->toAnsi(cp->fromAnsi(one)), one) << "byte " << byte;
    }
}

INSTANTIATE_TEST_SUITE_P(WindowsCodePages, SingleByteCodePage,
                         testing::Values(874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257,
                                         1258));

TEST(CodePage1252, UndefinedBytesAreTheControlCharactersOfTheSameValue) {
    const auto cp = page(1252);
    ASSERT_TRUE(cp);
    for (const unsigned char byte : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        const std::string ansi(1, static_cast<char>(byte));
        const std::string expected{static_cast<char>(0xC2), static_cast<char>(byte)};
        EXPECT_EQ(cp->fromAnsi(ansi), expected) << "byte " << int{byte};
        EXPECT_EQ(cp->toAnsi(expected), ansi) << "byte " << int{byte};
    }
}

TEST(CodePage1252, IsWindowsLatin1AndNotIso8859) {
    const auto cp = page(1252);
    ASSERT_TRUE(cp);
    EXPECT_EQ(cp->fromAnsi("\x80\x9F\xE9"), "€Ÿé");
    EXPECT_EQ(cp->toAnsi("€Ÿé"), "\x80\x9F\xE9");
}

TEST(CodePage, CharacterOutsideTheCodePageBecomesQuestionMark) {
    const auto western = page(1252);
    const auto cyrillic = page(1251);
    const auto greek = page(1253);
    ASSERT_TRUE(western && cyrillic && greek);
    EXPECT_EQ(western->toAnsi("a€Жb"), "a\x80?b");
    // No best-fit guessing: a Latin letter with a macron is not written as its base.
    EXPECT_EQ(western->toAnsi("ā"), "?");
    EXPECT_EQ(western->toAnsi("漢字"), "??");
    EXPECT_EQ(cyrillic->toAnsi("café"), "caf?");
    EXPECT_EQ(greek->toAnsi("Ωж"), "\xD9?");
}

TEST(CodePage, CyrillicTextTravelsThroughCp1251) {
    const auto cp = page(1251);
    ASSERT_TRUE(cp);
    const std::string text = "Привет, мир! Ёё Ґґ Її Ўў";
    const std::string ansi =
        "\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0! \xA8\xB8 \xA5\xB4 \xAF\xBF \xA1\xA2";
    EXPECT_EQ(cp->toAnsi(text), ansi);
    EXPECT_EQ(cp->fromAnsi(ansi), text);
}

TEST(CodePage, NulBytesAreCharactersLikeAnyOther) {
    const auto cp = page(1251);
    ASSERT_TRUE(cp);
    const std::string ansi("\0\xC0\0", 3);
    const auto text = cp->fromAnsi(ansi);
    EXPECT_EQ(text, std::string("\0А\0", 4));
    EXPECT_EQ(cp->toAnsi(text), ansi);
    EXPECT_EQ(cp->toAnsi(""), "");
    EXPECT_EQ(cp->fromAnsi(""), "");
}

TEST(CodePage, OnlySingleByteCodePagesAreOffered) {
    EXPECT_FALSE(createCodePage(932)) << "Japanese is double-byte";
    EXPECT_FALSE(createCodePage(0));
    EXPECT_FALSE(createCodePage(-1252));
    EXPECT_FALSE(createCodePage(12345));
}

TEST(CodePage, SystemCodePageKeepsEveryByte) {
    const auto cp = platform::createSystemCodePage();
    ASSERT_TRUE(cp);
    const auto bytes = allBytes();
    EXPECT_EQ(cp->toAnsi(cp->fromAnsi(bytes)), bytes);
}

}  // namespace
