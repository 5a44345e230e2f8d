#include "LanguageFileTest.h"
#include "lang/LanguageFileReader.h"
#include "lang/PanicReport.h"

namespace langtest {
namespace {

using modReadLang::InterfaceVar;
using modReadLang::InterfaceVars;
using modReadLang::ReadInterface;
using modReadLang::strGetIntVarVal;
using Vars = std::vector<InterfaceVar>;

using ReadInterfaceTest = LanguageFileTest;

TEST_F(ReadInterfaceTest, EachFileReplacesTheTableWithItsAssignmentsInFileOrder) {
    const struct {
        const char* what;
        std::string_view bytes;
        Vars expected;
    } files[] = {
        {"comments, headings and blank lines",
         "[Main window]\r\n\r\n  Config Win_Help =  \"Show help\" 'button\r\n"
         "'  Config Win_Help =  \"Commented out\"\r\nConfig'Win = \"apostrophe in the name\"\r\n"
         "Note: no equals sign here\r\nConfigWin_Ok = \"it's fine\"\r\n",
         {{"ConfigWin_Help", "Show help"}, {"ConfigWin_Ok", "it's fine"}}},
        {"blanks and CRs leave names, tabs stay",
         " Config Win _FormCaption  = \"Caption\"\r\nTabbed\tName = \"tab\"\r\n",
         {{"ConfigWin_FormCaption", "Caption"}, {"Tabbed\tName", "tab"}}},
        {"the value lies between the first two double quotes",
         "Equals = \"a=b\"\r\nTwo = \"x\" \"y\"\r\nPadded =\"  blanks stay  \"  ' remark\r\n"
         "Empty = \"\"\r\nStuck=before\"inside\"after\r\n",
         {{"Equals", "a=b"},
          {"Two", "x"},
          {"Padded", "  blanks stay  "},
          {"Empty", ""},
          {"Stuck", "inside"}}},
        {"lone CR", "A = \"1\"\rB = \"2\"\r", {{"A", "1"}, {"B", "2"}}},
        // Unix line ends make one single line: only its first "=" counts.
        {"lone LF", "A = \"1\"\nB = \"2\"\n", {{"A", "1"}}},
        // The LF after a CR LF pair starts the next line and stays in its name.
        {"CR LF LF", "A = \"1\"\r\n\nB = \"2\"", {{"A", "1"}, {"\nB", "2"}}},
        {"empty file", "", {}},
        {"duplicates",
         "Greeting = \"first\"\r\nGREETING = \"second\"\r\nBye = \"bye\"\r\nbye = \"\"",
         {{"Greeting", "first"}, {"GREETING", "second"}, {"Bye", "bye"}, {"bye", ""}}},
    };
    // Each file is read after the one before, so nothing of an earlier file may remain.
    for (const auto& file : files) {
        ASSERT_TRUE(ReadInterface(writeFile("file.lng", file.bytes))) << file.what;
        EXPECT_EQ(InterfaceVars(), file.expected) << file.what;
    }
    // The later duplicate wins the look-up, in any letter case, also when its value is empty.
    EXPECT_EQ(strGetIntVarVal("greeting"), "second");
    EXPECT_EQ(strGetIntVarVal("BYE"), "");
    expectBoxes(0);
}

TEST_F(ReadInterfaceTest, ReportsEachLineWithoutBothQuotesOnceAndGoesOnAsEveryFailure) {
    ASSERT_TRUE(ReadInterface(writeFile("quotes.lng",
                                        "NoQuotes = plain text\r\nOpenOnly = \"unfinished\r\n"
                                        "CloseOnly = finished\"\r\nGood = \"still read\"\r\n")));
    EXPECT_EQ(
        InterfaceVars(),
        (Vars{{"NoQuotes", ""}, {"OpenOnly", ""}, {"CloseOnly", ""}, {"Good", "still read"}}));
    expectBoxes(3, panicBox("strClearString", 5, "Invalid procedure call or argument"));
    // Whatever else goes wrong inside a routine is reported, and the routine still returns.
    EXPECT_EQ(modReadLang::runGuarded("Op", -1, []() -> int { throw std::bad_alloc(); }), -1);
    expectBoxes(1, panicBox("Op", 7, "Out of memory"));
    EXPECT_EQ(modReadLang::runGuarded("Op", -1, []() -> int { throw 42; }), -1);
    expectBoxes(1, panicBox("Op", 51, "Internal error"));
}

TEST_F(ReadInterfaceTest, CrLfAcrossReadBuffersEndsOneLineAndTheFullestFileWorks) {
    constexpr auto chunk = modReadLang::kReadChunkSize;
    std::string text = "Long = \"" + std::string(chunk - 10, 'x') + "\"";
    text.resize(chunk - 1, ' ');
    text += "\r\nShort = \"s\"\r\n";
    ASSERT_TRUE(ReadInterface(writeFile("long.lng", text)));
    ASSERT_EQ(InterfaceVars().size(), 2u);
    EXPECT_EQ(InterfaceVars()[1], (InterfaceVar{"Short", "s"}));

    text.clear();
    for (int i = 1; i <= 32767; ++i) {
        text += "Key" + std::to_string(i) + " = \"Text " + std::to_string(i) + "\"\r\n";
    }
    ASSERT_TRUE(ReadInterface(writeFile("fullest.lng", text)));
    EXPECT_EQ(InterfaceVars().size(), 32767u);
    EXPECT_EQ(strGetIntVarVal("Key1"), "Text 1");
    EXPECT_EQ(strGetIntVarVal("key32767"), "Text 32767");
    expectBoxes(0);
    EXPECT_FALSE(ReadInterface(writeFile("toolong.lng", text + "X = \"x\"")));
    expectBoxes(1, panicBox("ReadInterface", 6, "Overflow"));
    EXPECT_TRUE(InterfaceVars().empty());
}

TEST_F(ReadInterfaceTest, UnreadableFilesAreReportedOnceAndEmptyTheTable) {
    ASSERT_TRUE(ReadInterface(writeFile("good.lng", "Kept = \"no\"\r\n")));
    EXPECT_FALSE(ReadInterface(pathOf("vanished.lng")));
    EXPECT_TRUE(InterfaceVars().empty());
    expectBoxes(1, panicBox("ReadInterface", 53, "File not found"));

    std::filesystem::create_directory(dir_ / "folder.lng");
    EXPECT_FALSE(ReadInterface(pathOf("folder.lng")));
    expectBoxes(1, panicBox("ReadInterface", 75, "Path/File access error"));
}

}  // namespace
}  // namespace langtest
