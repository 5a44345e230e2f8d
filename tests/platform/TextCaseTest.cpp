#include <gtest/gtest.h>

#include <string>

#include "platform/TextCase.h"

namespace {

using platform::upperCase;

TEST(UpperCase, LettersOfEveryScriptOfTheSingleByteCodePages) {
    const std::pair<std::string, std::string> cases[] = {
        {"Software\\Orvane\\quillbell", "SOFTWARE\\ORVANE\\QUILLBELL"},
        {"àéîõü ç ñ ø þ ÿ", "ÀÉÎÕÜ Ç Ñ Ø Þ Ÿ"},
        {"łódź žluťoučký ő ű ă ș ț ğ ş ı", "ŁÓDŹ ŽLUŤOUČKÝ Ő Ű Ă Ș Ț Ğ Ş I"},
        {"ĳ œ ŀ ŧ ſ ơ ư ƒ", "Ĳ Œ Ŀ Ŧ S Ơ Ư Ƒ"},
        {"αβγ ωμέγα λόγος ϊΰ ύώί", "ΑΒΓ ΩΜΈΓΑ ΛΌΓΟΣ Ϊΰ ΎΏΊ"},
        {"привет мир ёж ђ љ џ ґ ї ў є", "ПРИВЕТ МИР ЁЖ Ђ Љ Џ Ґ Ї Ў Є"},
        {"қазақ ұлы өмір ҳ ӏ ӂ ӓ", "ҚАЗАҚ ҰЛЫ ӨМІР Ҳ Ӏ Ӂ Ӓ"},
        // What has no single capital stays.
        {"Grüße, мир! Ωmega 漢字 123 µ", "GRÜßE, МИР! ΩMEGA 漢字 123 Μ"},
        {"ß ŉ ĸ ÷ × ª", "ß ŉ ĸ ÷ × ª"},
        {"", ""},
        {std::string("a\0b", 3), std::string("A\0B", 3)},
        // Invalid UTF-8 passes unchanged: stray continuation byte, lone lead byte before
        // ASCII, overlong slash, encoded surrogate, value past U+10FFFF, a cp1252 "é" (0xE9)
        // that got here by mistake, and a truncated sequence at the end.
        {"a\x80z \xC3z \xC0\xAFx \xED\xA0\x80y \xF4\x90\x80\x80q caf\xE9 ok ж\xD0",
         "A\x80Z \xC3Z \xC0\xAFX \xED\xA0\x80Y \xF4\x90\x80\x80Q CAF\xE9 OK Ж\xD0"},
    };
    for (const auto& [text, upper] : cases) {
        EXPECT_EQ(upperCase(text), upper) << text;
    }
}

}  // namespace
