// `query` prints like reg.exe and fails with one line for whatever it cannot show.

#include <algorithm>

#include "RegToolFixture.h"

namespace regtooltest {
namespace {

using namespace platform;

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

    const RunResult result = run("query KEY");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    std::vector<std::string> lines;
    std::istringstream stream(result.out);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    ASSERT_EQ(lines.size(), 10u) << result.out;
    // The registry's own order of values is not fixed across backends.
    std::sort(lines.begin() + 1, lines.begin() + 7);
    std::sort(lines.begin() + 8, lines.end());
    EXPECT_EQ(lines, (std::vector<std::string>{
                         kBaseName, "    (Default)    REG_SZ    default",
                         "    Blob    REG_BINARY    01AB00", "    Count    REG_DWORD    0x12c",
                         "    Minus    REG_DWORD    0xffffffff", "    Name    REG_SZ    Quillbell",
                         "    Path    REG_EXPAND_SZ    25412500", "", kBaseName + "\\Alpha",
                         kBaseName + "\\Beta"}));
}

TEST_F(Query, OneValueShowsStringsUpToTheirFirstNulAndOddValuesAsHex) {
    plant("Name", regtype::kSz, std::string("Quillbell\0", 10));
    plant("", regtype::kSz, std::string("default\0", 8));
    plant("Inner", regtype::kSz, std::string("ab\0cd\0", 6));
    plant("Bare", regtype::kSz, "abc");
    plant("Zero", regtype::kSz, "");
    plant("Short", regtype::kDword, std::string("\x01\x02", 2));
    plant("Huge", 0x12345, std::string("\x0f", 1));
    plant("Other", regtype::kSz, std::string("x\0", 2), "Sub");
    const std::pair<std::string, std::string> cases[] = {
        {"/v Name", "Name    REG_SZ    Quillbell"}, {"/ve", "(Default)    REG_SZ    default"},
        {"/v Inner", "Inner    REG_SZ    ab"},      {"/v Bare", "Bare    REG_SZ    abc"},
        {"/v Zero", "Zero    REG_SZ    "},          {"/v Short", "Short    REG_DWORD    0102"},
        {"/v Huge", "Huge    REG_UNKNOWN    0F"}};
    for (const auto& [options, line] : cases) {
        const RunResult result = run("query KEY " + options);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, kBaseName + "\n    " + line + "\n");
    }
    // A missing key or value fails with one line and prints nothing.
    expectOneLineError(run("query KEY\\Missing"), kBaseName + "\\Missing", true);
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
    // Listing the whole key shows the names as stored.
    EXPECT_NE(run("query hkcu\\" + kBase).out.find("    WorkMode0    REG_SZ"), std::string::npos);
    EXPECT_EQ(run("query KEY\\").status, 0);

    plant("HomeDir", regtype::kSz, std::string("C:\\user\\\0", 9));
    EXPECT_EQ(run("query HKLM\\" + kBase).status, 1);
    ASSERT_EQ(run("add HKLM\\" + kBase + " /v HomeDir /d C:\\Quillbell\\").status, 0);
    EXPECT_EQ(run("query HKEY_LOCAL_MACHINE\\" + kBase + " /v HomeDir").out,
              "HKEY_LOCAL_MACHINE\\" + kBase + "\n    HomeDir    REG_SZ    C:\\Quillbell\\\n");
    EXPECT_EQ(run("query KEY /v HomeDir").out,
              kBaseName + "\n    HomeDir    REG_SZ    C:\\user\\\n");
}

}  // namespace
}  // namespace regtooltest
