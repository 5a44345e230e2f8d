// The language file reader: line format, line ends, limits and failures.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LanguageFileTest.h"
#include "lang/LanguageFileReader.h"
#include "lang/modReadLang.h"
#include "platform/Prompts.h"

namespace langtest {
namespace {

using modReadLang::InterfaceVar;
using modReadLang::InterfaceVars;
using modReadLang::ReadInterface;
using modReadLang::strGetIntVarVal;

using ReadInterfaceTest = LanguageFileTest;

std::string numberedEntries(int count, const char* lineEnd) {
    std::string text;
    for (int i = 1; i <= count; ++i) {
        text += "Key" + std::to_string(i) + " = \"Text " + std::to_string(i) + "\"" + lineEnd;
    }
    return text;
}

TEST_F(ReadInterfaceTest, KeepsAssignmentsAndSkipsCommentsHeadingsAndBlankLines) {
    const auto path = writeFile("example.lng",
                                "[Main window]\r\n"
                                "\r\n"
                                "  Config Win_Help =  \"Show help\" 'button\r\n"
                                "'  Config Win_Help =  \"Commented out\"\r\n"
                                "Config'Win = \"apostrophe in the name\"\r\n"
                                "Note: no equals sign here\r\n"
                                "ConfigWin_Ok = \"it's fine\"\r\n");

    ASSERT_TRUE(ReadInterface(path));

    const std::vector<InterfaceVar> expected{{"ConfigWin_Help", "Show help"},
                                             {"ConfigWin_Ok", "it's fine"}};
    EXPECT_EQ(InterfaceVars(), expected);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(ReadInterfaceTest, RemovesBlanksFromNamesButKeepsTabs) {
    const auto path = writeFile("names.lng",
                                " Config Win _FormCaption  = \"Caption\"\r\n"
                                "Tabbed\tName = \"tab\"\r\n");

    ASSERT_TRUE(ReadInterface(path));

    EXPECT_EQ(strGetIntVarVal("ConfigWin_FormCaption"), "Caption");
    EXPECT_EQ(strGetIntVarVal("TabbedName"), "");
    EXPECT_EQ(strGetIntVarVal("Tabbed\tName"), "tab");
}

TEST_F(ReadInterfaceTest, TakesTheValueBetweenTheFirstTwoDoubleQuotes) {
    const auto path = writeFile("values.lng",
                                "Equals = \"a=b\"\r\n"
                                "Two = \"x\" \"y\"\r\n"
                                "Padded =\"  blanks stay  \"  ' remark\r\n"
                                "Empty = \"\"\r\n"
                                "Apostrophe = \"it's\"\r\n"
                                "Stuck=before\"inside\"after\r\n");

    ASSERT_TRUE(ReadInterface(path));

    EXPECT_EQ(strGetIntVarVal("Equals"), "a=b");
    EXPECT_EQ(strGetIntVarVal("Two"), "x");
    EXPECT_EQ(strGetIntVarVal("Padded"), "  blanks stay  ");
    EXPECT_EQ(strGetIntVarVal("Empty"), "");
    EXPECT_EQ(strGetIntVarVal("Apostrophe"), "it's");
    EXPECT_EQ(strGetIntVarVal("Stuck"), "inside");
    EXPECT_TRUE(boxes().empty());
}

TEST_F(ReadInterfaceTest, ReportsEachLineWithoutBothQuotesOnceAndGoesOn) {
    const auto path = writeFile("quotes.lng",
                                "NoQuotes = plain text\r\n"
                                "OpenOnly = \"unfinished\r\n"
                                "CloseOnly = finished\"\r\n"
                                "Good = \"still read\"\r\n");

    ASSERT_TRUE(ReadInterface(path));

    const auto expectedText = panicBox("strClearString", 5, "Invalid procedure call or argument");
    ASSERT_EQ(boxes().size(), 3u);
    for (const auto& box : boxes()) {
        EXPECT_EQ(box.text, expectedText);
        EXPECT_EQ(box.style, platform::msgbox::kCritical);
        EXPECT_EQ(box.title, "");
    }
    const std::vector<InterfaceVar> expected{
        {"NoQuotes", ""}, {"OpenOnly", ""}, {"CloseOnly", ""}, {"Good", "still read"}};
    EXPECT_EQ(InterfaceVars(), expected);
}

TEST_F(ReadInterfaceTest, LaterDuplicateWinsInAnyLetterCaseEvenWhenEmpty) {
    const auto path = writeFile("duplicates.lng",
                                "Greeting = \"first\"\r\n"
                                "GREETING = \"second\"\r\n"
                                "Farewell = \"bye\"\r\n"
                                "farewell = \"\"\r\n");

    ASSERT_TRUE(ReadInterface(path));

    EXPECT_EQ(strGetIntVarVal("greeting"), "second");
    EXPECT_EQ(strGetIntVarVal("FAREWELL"), "");
    EXPECT_EQ(InterfaceVars().size(), 4u);
    EXPECT_EQ(strGetIntVarVal("Missing"), "");
}

TEST_F(ReadInterfaceTest, LinesEndAtCrLfOrLoneCrButNotAtLoneLf) {
    ASSERT_TRUE(ReadInterface(writeFile("crlf.lng", "A = \"1\"\r\nB = \"2\"")));
    EXPECT_EQ(InterfaceVars(), (std::vector<InterfaceVar>{{"A", "1"}, {"B", "2"}}));

    ASSERT_TRUE(ReadInterface(writeFile("cr.lng", "A = \"1\"\rB = \"2\"\r")));
    EXPECT_EQ(InterfaceVars(), (std::vector<InterfaceVar>{{"A", "1"}, {"B", "2"}}));

    // A file with Unix line ends is one single line: only its first "=" counts.
    ASSERT_TRUE(ReadInterface(writeFile("lf.lng", "A = \"1\"\nB = \"2\"\n")));
    EXPECT_EQ(InterfaceVars(), (std::vector<InterfaceVar>{{"A", "1"}}));

    // The LF after a CR LF pair starts the next line and stays in its name.
    ASSERT_TRUE(ReadInterface(writeFile("mixed.lng", "A = \"1\"\r\n\nB = \"2\"")));
    EXPECT_EQ(InterfaceVars(), (std::vector<InterfaceVar>{{"A", "1"}, {"\nB", "2"}}));
    EXPECT_EQ(strGetIntVarVal("B"), "");
}

TEST_F(ReadInterfaceTest, CrLfPairAcrossReadBuffersEndsOneLine) {
    // Put the CR at the end of the first piece that the reader reads.
    constexpr auto chunk = modReadLang::kReadChunkSize;
    std::string text = "Long = \"" + std::string(chunk - 10, 'x') + "\"";
    text.resize(chunk - 1, ' ');
    text += "\r\nShort = \"s\"\r\n";
    ASSERT_EQ(text.substr(chunk - 1, 2), "\r\n");

    ASSERT_TRUE(ReadInterface(writeFile("long.lng", text)));

    const auto vars = InterfaceVars();
    ASSERT_EQ(vars.size(), 2u);
    EXPECT_EQ(vars[1], (InterfaceVar{"Short", "s"}));
}

TEST_F(ReadInterfaceTest, FileWithoutAssignmentsGivesAnEmptyTable) {
    ASSERT_TRUE(ReadInterface(writeFile("empty.lng", "")));
    EXPECT_TRUE(InterfaceVars().empty());

    ASSERT_TRUE(ReadInterface(writeFile("prose.lng", "[English]\r\nJust words\r\n\r\n")));
    EXPECT_TRUE(InterfaceVars().empty());
    EXPECT_EQ(strGetIntVarVal("English"), "");
    EXPECT_TRUE(boxes().empty());
}

TEST_F(ReadInterfaceTest, SecondFileReplacesTheFirst) {
    ASSERT_TRUE(ReadInterface(writeFile("first.lng", "One = \"1\"\r\nTwo = \"2\"\r\n")));
    ASSERT_TRUE(ReadInterface(writeFile("second.lng", "Two = \"zwei\"\r\n")));

    EXPECT_EQ(InterfaceVars(), (std::vector<InterfaceVar>{{"Two", "zwei"}}));
    EXPECT_EQ(strGetIntVarVal("One"), "");
}

TEST_F(ReadInterfaceTest, ConvertsFromTheAnsiCodePage) {
    const ScopedCodePage westernEuropean(1252);
    // é, € and ü in code page 1252.
    ASSERT_TRUE(ReadInterface(writeFile("ansi.lng", "Caf\xE9 = \"\x80 f\xFCr\"\r\n")));
    EXPECT_EQ(strGetIntVarVal("CAF\xC3\x89"), "\xE2\x82\xAC f\xC3\xBCr");
}

TEST_F(ReadInterfaceTest, FullestFileWorksAndOneLineMoreOverflows) {
    const auto fullest = writeFile("fullest.lng", numberedEntries(32767, "\r\n"));
    ASSERT_TRUE(ReadInterface(fullest));
    EXPECT_EQ(InterfaceVars().size(), 32767u);
    // A table this full still answers look-ups.
    EXPECT_EQ(strGetIntVarVal("Key1"), "Text 1");
    EXPECT_EQ(strGetIntVarVal("key32767"), "Text 32767");
    EXPECT_TRUE(boxes().empty());

    const auto tooLong = writeFile("toolong.lng", numberedEntries(32767, "\r\n") + "X = \"x\"");
    EXPECT_FALSE(ReadInterface(tooLong));
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, panicBox("ReadInterface", 6, "Overflow"));
    EXPECT_EQ(boxes()[0].style, platform::msgbox::kCritical);
    EXPECT_TRUE(InterfaceVars().empty());
}

TEST_F(ReadInterfaceTest, BlankLinesCountTowardsTheLineLimit) {
    EXPECT_FALSE(ReadInterface(writeFile("blank.lng", std::string(32768, '\r'))));
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, panicBox("ReadInterface", 6, "Overflow"));
}

TEST_F(ReadInterfaceTest, UnreadableFilesAreReportedOnceAndEmptyTheTable) {
    ASSERT_TRUE(ReadInterface(writeFile("good.lng", "Kept = \"no\"\r\n")));

    EXPECT_FALSE(ReadInterface(pathOf("vanished.lng")));
    EXPECT_TRUE(InterfaceVars().empty());

    std::filesystem::create_directory(dir_ / "folder.lng");
    EXPECT_FALSE(ReadInterface(pathOf("folder.lng")));

    ASSERT_EQ(boxes().size(), 2u);
    EXPECT_EQ(boxes()[0].text, panicBox("ReadInterface", 53, "File not found"));
    EXPECT_EQ(boxes()[1].text, panicBox("ReadInterface", 75, "Path/File access error"));
    for (const auto& box : boxes()) {
        EXPECT_EQ(box.style, platform::msgbox::kCritical);
        EXPECT_EQ(box.title, "");
    }
}

TEST(StringHelpersTest, ClearSpaceRemovesBlanksAndCarriageReturnsOnly) {
    EXPECT_EQ(modReadLang::strClearSpace("  a b\r c \r"), "abc");
    EXPECT_EQ(modReadLang::strClearSpace("tab\tand\nlf"), "tab\tand\nlf");
    EXPECT_EQ(modReadLang::strClearSpace(""), "");
}

TEST(StringHelpersTest, ClearStringNeedsTwoDoubleQuotes) {
    testsupport::ScopedRecordingPrompts prompts;
    EXPECT_EQ(modReadLang::strClearString("= \"value\" rest"), "value");
    EXPECT_EQ(modReadLang::strClearString("\"\""), "");
    EXPECT_TRUE(prompts->messageBoxes().empty());

    EXPECT_EQ(modReadLang::strClearString("one \" only"), "");
    EXPECT_EQ(modReadLang::strClearString(""), "");
    EXPECT_EQ(prompts->messageBoxes().size(), 2u);
}

}  // namespace
}  // namespace langtest
