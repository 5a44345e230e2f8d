// `query` prints like reg.exe and fails with one line for whatever it cannot show.

#include <algorithm>
#include <sstream>

#include "RegToolFixture.h"

namespace regtooltest {
namespace {

using namespace platform;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> sorted(std::vector<std::string> lines) {
    std::sort(lines.begin(), lines.end());
    return lines;
}

using Query = RegToolTest;

TEST_F(Query, PrintsTheKeyThenOneLinePerValueThenTheSubkeys) {
    plant("Name", regtype::kSz, std::string("Quillbell\0", 10));
    plant("", regtype::kSz, std::string("default\0", 8));
    plant("Count", regtype::kDword, std::string("\x2c\x01\0\0", 4));
    plant("Minus", regtype::kDword, std::string("\xff\xff\xff\xff", 4));
    plant("Blob", regtype::kBinary, std::string("\x01\xab\x00", 3));
    plant("Path", regtype::kExpandSz, std::string("%A%\0", 4));
    plant("Kept", regtype::kSz, "x", "Beta");
    testsupport::createKey(kHkeyCurrentUser, kBase + "\\Alpha");

    const RunResult result = run({"query", "HKCU\\" + kBase});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const auto lines = linesOf(result.out);
    ASSERT_EQ(lines.size(), 10u) << result.out;
    EXPECT_EQ(lines[0], kBaseName);
    // The registry's own order of values is not fixed across backends.
    EXPECT_EQ(
        sorted({lines.begin() + 1, lines.begin() + 7}),
        sorted({"    Name    REG_SZ    Quillbell", "    (Default)    REG_SZ    default",
                "    Count    REG_DWORD    0x12c", "    Minus    REG_DWORD    0xffffffff",
                "    Blob    REG_BINARY    01AB00", "    Path    REG_EXPAND_SZ    25412500"}));
    EXPECT_EQ(lines[7], "");
    EXPECT_EQ(sorted({lines[8], lines[9]}), sorted({kBaseName + "\\Alpha", kBaseName + "\\Beta"}));
}

TEST_F(Query, WithAValueNamePrintsOnlyThatValue) {
    plant("Name", regtype::kSz, std::string("Quillbell\0", 10));
    plant("", regtype::kSz, std::string("default\0", 8));
    plant("Other", regtype::kSz, std::string("x\0", 2), "Sub");

    RunResult result = run({"query", "HKCU\\" + kBase, "/v", "Name"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, kBaseName + "\n    Name    REG_SZ    Quillbell\n");

    result = run({"query", "HKCU\\" + kBase, "/ve"});
    EXPECT_EQ(result.out, kBaseName + "\n    (Default)    REG_SZ    default\n");
}

TEST_F(Query, ShowsStringsUpToTheirFirstNulAndOddValuesAsHex) {
    plant("Inner", regtype::kSz, std::string("ab\0cd\0", 6));
    plant("Bare", regtype::kSz, "abc");
    plant("Zero", regtype::kSz, "");
    plant("Short", regtype::kDword, std::string("\x01\x02", 2));
    plant("Huge", 0x12345, std::string("\x0f", 1));

    EXPECT_EQ(run({"query", "HKCU\\" + kBase, "/v", "Inner"}).out,
              kBaseName + "\n    Inner    REG_SZ    ab\n");
    EXPECT_EQ(run({"query", "HKCU\\" + kBase, "/v", "Bare"}).out,
              kBaseName + "\n    Bare    REG_SZ    abc\n");
    EXPECT_EQ(run({"query", "HKCU\\" + kBase, "/v", "Zero"}).out,
              kBaseName + "\n    Zero    REG_SZ    \n");
    EXPECT_EQ(run({"query", "HKCU\\" + kBase, "/v", "Short"}).out,
              kBaseName + "\n    Short    REG_DWORD    0102\n");
    EXPECT_EQ(run({"query", "HKCU\\" + kBase, "/v", "Huge"}).out,
              kBaseName + "\n    Huge    REG_UNKNOWN    0F\n");
}

TEST_F(Query, KeyAndValueNamesAndRootsAreCaseBlind) {
    plant("WorkMode0", regtype::kSz, std::string("Exchange\0", 9));

    const RunResult result =
        run({"QUERY", "hkey_current_user\\SOFTWARE\\orvane\\regtool", "/V", "workmode0"});
    ASSERT_EQ(result.status, 0) << result.err;
    // Names as the user wrote them, as reg.exe echoes them; the root in its long form.
    EXPECT_EQ(
        result.out,
        "HKEY_CURRENT_USER\\SOFTWARE\\orvane\\regtool\n    workmode0    REG_SZ    Exchange\n");
    // Listing the whole key shows the names as stored.
    EXPECT_NE(run({"query", "hkcu\\" + kBase}).out.find("    WorkMode0    REG_SZ"),
              std::string::npos);
    EXPECT_EQ(run({"query", "hkcu\\" + kBase + "\\"}).status, 0);
}

TEST_F(Query, TheMachineHiveIsSeparateFromTheUserHive) {
    plant("HomeDir", regtype::kSz, std::string("C:\\user\\\0", 9));
    EXPECT_EQ(run({"query", "HKLM\\" + kBase}).status, 1);

    ASSERT_EQ(run({"add", "HKLM\\" + kBase, "/v", "HomeDir", "/d", "C:\\Quillbell\\"}).status, 0);
    EXPECT_EQ(run({"query", "HKEY_LOCAL_MACHINE\\" + kBase, "/v", "HomeDir"}).out,
              "HKEY_LOCAL_MACHINE\\" + kBase + "\n    HomeDir    REG_SZ    C:\\Quillbell\\\n");
    EXPECT_EQ(run({"query", "HKCU\\" + kBase, "/v", "HomeDir"}).out,
              kBaseName + "\n    HomeDir    REG_SZ    C:\\user\\\n");
}

TEST_F(Query, AMissingKeyOrValueFailsWithOneLineAndPrintsNothing) {
    plant("Present", regtype::kSz, std::string("x\0", 2));

    RunResult result = run({"query", "HKCU\\" + kBase + "\\Missing"});
    expectOneLineError(result, kBaseName + "\\Missing");
    EXPECT_EQ(result.out, "");

    result = run({"query", "HKCU\\" + kBase, "/v", "Absent"});
    expectOneLineError(result, "Absent");
    EXPECT_EQ(result.out, "");

    result = run({"query", "HKCU\\" + kBase, "/ve"});
    expectOneLineError(result, "(Default)");
}

}  // namespace
}  // namespace regtooltest
