#include <gtest/gtest.h>

#include <string>

#include "platform/TextCase.h"

namespace {

using platform::equalsIgnoreCase;
using platform::upperCase;

TEST(UpperCase, LatinLettersOfTheWesternAndCentralEuropeanPages) {
    EXPECT_EQ(upperCase("Software\\Orvane\\quillbell"), "SOFTWARE\\ORVANE\\QUILLBELL");
    EXPECT_EQ(upperCase("àéîõü ç ñ ø þ ÿ"), "ÀÉÎÕÜ Ç Ñ Ø Þ Ÿ");
    EXPECT_EQ(upperCase("łódź žluťoučký ő ű ă ș ț ğ ş ı"), "ŁÓDŹ ŽLUŤOUČKÝ Ő Ű Ă Ș Ț Ğ Ş I");
    EXPECT_EQ(upperCase("ĳ œ ŀ ŧ ſ ơ ư ƒ"), "Ĳ Œ Ŀ Ŧ S Ơ Ư Ƒ");
}

TEST(UpperCase, GreekLetters) {
    EXPECT_EQ(upperCase("αβγ ωμέγα λόγος ϊΰ"), "ΑΒΓ ΩΜΈΓΑ ΛΌΓΟΣ Ϊΰ");
    EXPECT_EQ(upperCase("ύώί"), "ΎΏΊ");
}

TEST(UpperCase, CyrillicLetters) {
    EXPECT_EQ(upperCase("привет мир ёж ђ љ џ ґ ї ў є"), "ПРИВЕТ МИР ЁЖ Ђ Љ Џ Ґ Ї Ў Є");
    EXPECT_EQ(upperCase("қазақ ұлы өмір ҳ ӏ ӂ ӓ"), "ҚАЗАҚ ҰЛЫ ӨМІР Ҳ Ӏ Ӂ Ӓ");
}

TEST(UpperCase, MixedScriptsAndWhatHasNoCapital) {
    EXPECT_EQ(upperCase("Grüße, мир! Ωmega 漢字 123 µ"), "GRÜßE, МИР! ΩMEGA 漢字 123 Μ");
    EXPECT_EQ(upperCase("ß ŉ ĸ ÷ × ª"), "ß ŉ ĸ ÷ × ª");
    EXPECT_EQ(upperCase(""), "");
    EXPECT_EQ(upperCase(std::string("a\0b", 3)), std::string("A\0B", 3));
}

TEST(UpperCase, InvalidUtf8BytesPassThroughUnchanged) {
    // Stray continuation byte, lone lead byte before ASCII, truncated sequence at the
    // end, overlong slash, encoded surrogate, value past U+10FFFF.
    EXPECT_EQ(upperCase("a\x80z"), "A\x80Z");
    EXPECT_EQ(upperCase("\xC3z"), "\xC3Z");
    EXPECT_EQ(upperCase("ж\xD0"), "Ж\xD0");
    EXPECT_EQ(upperCase("\xC0\xAFx"), "\xC0\xAFX");
    EXPECT_EQ(upperCase("\xED\xA0\x80y"), "\xED\xA0\x80Y");
    EXPECT_EQ(upperCase("\xF4\x90\x80\x80q"), "\xF4\x90\x80\x80Q");
    // ANSI bytes that got here by mistake: cp1252 "é" is 0xE9, which looks like a lead
    // byte but is followed by ASCII.
    EXPECT_EQ(upperCase("caf\xE9 ok"), "CAF\xE9 OK");
}

TEST(EqualsIgnoreCase, ComparesAcrossScriptsWithoutRegardToCase) {
    EXPECT_TRUE(equalsIgnoreCase("Software\\Orvane", "SOFTWARE\\orvane"));
    EXPECT_TRUE(equalsIgnoreCase("Ärger Ёлка Σοφία", "äRGER ёЛКА ΣΟΦΊΑ"));
    EXPECT_TRUE(equalsIgnoreCase("όσος", "ΌΣΟΣ")) << "final sigma";
    EXPECT_FALSE(equalsIgnoreCase("abc", "abd"));
    EXPECT_FALSE(equalsIgnoreCase("ab", "abc"));
    EXPECT_FALSE(equalsIgnoreCase("e", "é"));
    EXPECT_FALSE(equalsIgnoreCase("\xC3", "\xE3")) << "invalid bytes compare as they are";
}

}  // namespace
