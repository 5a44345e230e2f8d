#include <algorithm>

#include "RegToolFixture.h"

namespace regtooltest {
namespace {

using namespace platform;
using testsupport::dwordBytes;
using testsupport::keyExists;

using AddDelete = RegToolTest;

TEST_F(AddDelete, AddWithoutAValueCreatesTheKeyAndItsParentsAndKeepsWhatTheyHold) {
    const RunResult result = run("add KEY\\A\\B");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "The operation completed successfully.\n");
    EXPECT_TRUE(keyExists(kHkeyCurrentUser, kBase + "\\A\\B"));
    plant("Kept", regtype::kSz, std::string("1\0", 2), "A");
    EXPECT_EQ(run("add KEY\\A").status, 0);
    EXPECT_EQ(stored("Kept", "A")->bytes, std::string("1\0", 2));
    const RunResult help = run("/?");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("quillbell-reg export KEY FILE"), std::string::npos);
    EXPECT_EQ(help.err, "");
}

TEST_F(AddDelete, AddStoresTextWithOneTerminatorAndDwordsFromDecimalNegativeAndHex) {
    // clang-format off
    const struct { std::string command, name; std::uint32_t type; std::string bytes; } cases[] = {
        {"add KEY /v WhTime /d 300", "WhTime", regtype::kSz, std::string("300\0", 4)},
        {"add KEY /v Empty", "Empty", regtype::kSz, std::string("\0", 1)},
        {"add KEY /ve /t reg_sz /d -1", "", regtype::kSz, std::string("-1\0", 3)},
        {"add KEY /v N /t REG_DWORD", "N", regtype::kDword, dwordBytes(0)},
        {"add KEY /v N /t REG_DWORD /d -2147483648 /f", "N", regtype::kDword, dwordBytes(0x80000000)},
        {"add KEY /v N /t REG_DWORD /d 4294967295 /f", "N", regtype::kDword, dwordBytes(0xFFFFFFFF)},
        {"add KEY /v N /t REG_DWORD /d 0XABCDEF01 /f", "N", regtype::kDword, dwordBytes(0xABCDEF01)}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        ASSERT_EQ(run(c.command).status, 0);
        EXPECT_EQ(stored(c.name)->type, c.type);
        EXPECT_EQ(stored(c.name)->bytes, c.bytes);
    }
}

TEST_F(AddDelete, BadInputFailsWithOneLineBeforeAnythingIsWritten) {
    plant("Stays", regtype::kSz, std::string("y\0", 2));
    for (const std::string command :
         {"", "frobnicate KEY", "query KEY extra", "query KEY /d x", "add KEY /v",
          "add KEY /v a /d 1 /d 2", "add KEY /v a /ve", "add KEY /t REG_BINARY /v a", "delete KEY",
          "delete KEY /v Stays /x", "export KEY", "import", "add HKCU\\Software\\\\Orvane /v a",
          "add HKCU\\\\Software /v a"}) {
        SCOPED_TRACE(command);
        expectOneLineError(run(command, "y\n"), "", true);
    }
    expectOneLineError(run("query HKCR\\Software"), "HKCR", true);
    // Text the code page cannot hold is refused, not mangled into question marks.
    expectOneLineError(run("add KEY\\New /v Name /d \xe6\x97\xa5"), "code page", true);
    expectOneLineError(run("add KEY\\New\\\xe6\x97\xa5"), "code page", true);
    for (const std::string text : {"4294967296", "-2147483649", "12a", "--1", "-0x1", " 5"}) {
        SCOPED_TRACE(text);
        expectOneLineError(
            runArgs({"add", kKey + "\\New", "/v", "N", "/t", "REG_DWORD", "/d", text}), text, true);
    }
    EXPECT_TRUE(stored("Stays"));
    EXPECT_FALSE(stored("a"));
    EXPECT_FALSE(keyExists(kHkeyCurrentUser, kBase + "\\New"));
    EXPECT_FALSE(keyExists(kHkeyCurrentUser, kBase + "\\Orvane"));
}

TEST_F(AddDelete, OverwritingAndDeletingAskUnlessForced) {
    plant("Name", regtype::kSz, std::string("old\0", 4));
    RunResult result = run("add KEY /v Name /d new", "n\n");
    expectOneLineError(result, "cancelled");
    EXPECT_NE(result.out.find("Value Name exists, overwrite (Yes/No)? "), std::string::npos);
    // No terminal, no answer: the value stays.
    expectOneLineError(run("add KEY /v Name /d new"), "cancelled");
    EXPECT_EQ(stored("Name")->bytes, std::string("old\0", 4));
    ASSERT_EQ(run("add KEY /v Name /d new", "Yes\r\n").status, 0);
    EXPECT_EQ(stored("Name")->bytes, std::string("new\0", 4));
    ASSERT_EQ(run("add KEY /v Name /d newer /F").status, 0);
    EXPECT_EQ(stored("Name")->bytes, std::string("newer\0", 6));

    plant("Gone", regtype::kSz, std::string("x\0", 2));
    plant("", regtype::kSz, std::string("d\0", 2));
    expectOneLineError(run("delete KEY /v Gone", "no\n"), "cancelled");
    EXPECT_TRUE(stored("Gone"));
    EXPECT_EQ(run("delete KEY /v gone", "y\n").status, 0);
    EXPECT_FALSE(stored("Gone"));
    EXPECT_EQ(run("delete KEY /ve /f").status, 0);
    EXPECT_FALSE(stored(""));
    expectOneLineError(run("delete KEY /v Absent /f"), "Absent");
    EXPECT_TRUE(stored("Name"));
}

using Query = RegToolTest;

TEST_F(Query, PrintsTheKeyThenOneLinePerValueThenTheSubkeys) {
    plant("Name", regtype::kSz, std::string("Quillbell\0", 10));
    plant("", regtype::kSz, std::string("default\0", 8));
    plant("Count", regtype::kDword, std::string("\x2c\x01\0\x80", 4));
    plant("Blob", regtype::kBinary, std::string("\x01\xab\x00", 3));
    plant("Path", regtype::kExpandSz, std::string("%A%\0", 4));
    plant("Kept", regtype::kSz, "x", "Beta");
    testsupport::createKey(kHkeyCurrentUser, kBase + "\\Alpha");

    const RunResult result = run("query KEY");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    std::vector<std::string> lines;
    std::istringstream stream(result.out);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    ASSERT_EQ(lines.size(), 9u) << result.out;
    // The registry's own order of values is not fixed across backends.
    std::sort(lines.begin() + 1, lines.begin() + 6);
    std::sort(lines.begin() + 7, lines.end());
    EXPECT_EQ(lines, (std::vector<std::string>{
                         kBaseName, "    (Default)    REG_SZ    default",
                         "    Blob    REG_BINARY    01AB00", "    Count    REG_DWORD    0x8000012c",
                         "    Name    REG_SZ    Quillbell", "    Path    REG_EXPAND_SZ    25412500",
                         "", kBaseName + "\\Alpha", kBaseName + "\\Beta"}));
}

TEST_F(Query, OneValueShowsStringsUpToTheirFirstNulAndOddValuesAsHex) {
    plant("", regtype::kSz, std::string("default\0", 8));
    plant("Inner", regtype::kSz, std::string("ab\0cd\0", 6));
    plant("Bare", regtype::kSz, "abc");
    plant("Short", regtype::kDword, std::string("\x01\x02", 2));
    plant("Huge", 0x12345, std::string("\x0f", 1));
    plant("Other", regtype::kSz, std::string("x\0", 2), "Sub");
    const std::pair<std::string, std::string> cases[] = {{"/ve", "(Default)    REG_SZ    default"},
                                                         {"/v Inner", "Inner    REG_SZ    ab"},
                                                         {"/v Bare", "Bare    REG_SZ    abc"},
                                                         {"/v Short", "Short    REG_DWORD    0102"},
                                                         {"/v Huge", "Huge    REG_UNKNOWN    0F"}};
    for (const auto& [options, line] : cases) {
        const RunResult result = run("query KEY " + options);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, kBaseName + "\n    " + line + "\n");
    }
    expectOneLineError(run("query KEY /v Absent"), "Absent", true);
    expectOneLineError(run("query KEY\\Sub /ve"), "(Default)", true);
}

TEST_F(Query, KeyAndValueNamesAndRootsAreCaseBlindAndTheMachineHiveIsApart) {
    plant("WorkMode0", regtype::kSz, std::string("Exchange\0", 9));
    const RunResult result = run("QUERY hkey_current_user\\SOFTWARE\\orvane\\regtool /V workmode0");
    ASSERT_EQ(result.status, 0) << result.err;
    // Names as the user wrote them, as reg.exe echoes them; the root in its long form.
    EXPECT_EQ(
        result.out,
        "HKEY_CURRENT_USER\\SOFTWARE\\orvane\\regtool\n    workmode0    REG_SZ    Exchange\n");
    EXPECT_NE(run("query hkcu\\" + kBase).out.find("    WorkMode0    REG_SZ"), std::string::npos);
    EXPECT_EQ(run("query KEY\\").status, 0);

    plant("HomeDir", regtype::kSz, std::string("C:\\user\\\0", 9));
    ASSERT_EQ(run("add HKLM\\" + kBase + " /v HomeDir /d C:\\Quillbell\\").status, 0);
    EXPECT_EQ(run("query HKEY_LOCAL_MACHINE\\" + kBase + " /v HomeDir").out,
              "HKEY_LOCAL_MACHINE\\" + kBase + "\n    HomeDir    REG_SZ    C:\\Quillbell\\\n");
    EXPECT_EQ(run("query KEY /v HomeDir").out,
              kBaseName + "\n    HomeDir    REG_SZ    C:\\user\\\n");
}

}  // namespace
}  // namespace regtooltest
