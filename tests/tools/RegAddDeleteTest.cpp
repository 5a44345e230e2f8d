// `add` and `delete` write exactly what the program itself would store, ask before
// overwriting or deleting, and refuse bad input before anything is written.

#include "RegToolFixture.h"

namespace regtooltest {
namespace {

using namespace platform;
using testsupport::keyExists;

using AddDelete = RegToolTest;

std::string dwordBytes(std::uint32_t bits) {
    return {static_cast<char>(bits), static_cast<char>(bits >> 8), static_cast<char>(bits >> 16),
            static_cast<char>(bits >> 24)};
}

TEST_F(AddDelete, AddWithoutAValueCreatesTheKeyAndItsParents) {
    const RunResult result = run({"add", "HKCU\\" + kBase + "\\A\\B"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "The operation completed successfully.\n");
    EXPECT_TRUE(keyExists(kHkeyCurrentUser, kBase + "\\A\\B"));
    // Adding an existing key keeps what it holds.
    plant("Kept", regtype::kSz, std::string("1\0", 2), "A");
    EXPECT_EQ(run({"add", "HKCU\\" + kBase + "\\A"}).status, 0);
    EXPECT_EQ(stored("Kept", "A")->bytes, std::string("1\0", 2));
}

TEST_F(AddDelete, AddStoresTextWithOneTerminatorAsTheProgramDoes) {
    ASSERT_EQ(run({"add", "HKCU\\" + kBase, "/v", "WhTime", "/d", "300"}).status, 0);
    ASSERT_EQ(run({"add", "HKCU\\" + kBase, "/v", "Empty"}).status, 0);
    ASSERT_EQ(run({"add", "HKCU\\" + kBase, "/ve", "/t", "reg_sz", "/d", "-1"}).status, 0);

    EXPECT_EQ(stored("WhTime")->type, regtype::kSz);
    EXPECT_EQ(stored("WhTime")->bytes, std::string("300\0", 4));
    EXPECT_EQ(stored("Empty")->bytes, std::string("\0", 1));
    EXPECT_EQ(stored("")->bytes, std::string("-1\0", 3));
}

TEST_F(AddDelete, AddStoresDwordsFromDecimalNegativeAndHexData) {
    const std::vector<std::pair<std::string, std::uint32_t>> cases = {
        {"0", 0},
        {"42", 42},
        {"-1", 0xFFFFFFFF},
        {"-2147483648", 0x80000000},
        {"4294967295", 0xFFFFFFFF},
        {"0x7fffffff", 0x7FFFFFFF},
        {"0XABCDEF01", 0xABCDEF01},
    };
    for (const auto& [text, bits] : cases) {
        ASSERT_EQ(
            run({"add", "HKCU\\" + kBase, "/v", "N", "/t", "REG_DWORD", "/d", text, "/f"}).status,
            0)
            << text;
        EXPECT_EQ(stored("N")->type, regtype::kDword) << text;
        EXPECT_EQ(stored("N")->bytes, dwordBytes(bits)) << text;
    }
    ASSERT_EQ(run({"add", "HKCU\\" + kBase, "/v", "NoData", "/t", "REG_DWORD"}).status, 0);
    EXPECT_EQ(stored("NoData")->bytes, dwordBytes(0));
}

TEST_F(AddDelete, BadDwordDataIsRefusedBeforeTheKeyIsCreated) {
    for (const std::string text :
         {"4294967296", "-2147483649", "0x100000000", "12a", "0x", "--1", "-0x1", " 5", "1.5"}) {
        const RunResult result =
            run({"add", "HKCU\\" + kBase + "\\New", "/v", "N", "/t", "REG_DWORD", "/d", text});
        expectOneLineError(result, text);
        EXPECT_FALSE(keyExists(kHkeyCurrentUser, kBase + "\\New")) << text;
    }
}

TEST_F(AddDelete, TextTheCodePageCannotHoldIsRefusedNotMangled) {
    const RunResult result = run({"add", "HKCU\\" + kBase, "/v", "Name", "/d", "\xe6\x97\xa5"});
    expectOneLineError(result, "code page");
    EXPECT_FALSE(keyExists(kHkeyCurrentUser, kBase));
    expectOneLineError(run({"add", "HKCU\\" + kBase + "\\\xe6\x97\xa5"}), "code page");
}

TEST_F(AddDelete, OverwritingAsksUnlessForced) {
    plant("Name", regtype::kSz, std::string("old\0", 4));
    const std::vector<std::string> add = {"add", "HKCU\\" + kBase, "/v", "Name", "/d", "new"};

    RunResult result = run(add, "n\n");
    expectOneLineError(result, "cancelled");
    EXPECT_NE(result.out.find("Value Name exists, overwrite (Yes/No)? "), std::string::npos);
    // No terminal, no answer: the value stays.
    expectOneLineError(run(add, ""), "cancelled");
    EXPECT_EQ(stored("Name")->bytes, std::string("old\0", 4));

    ASSERT_EQ(run(add, "Yes\r\n").status, 0);
    EXPECT_EQ(stored("Name")->bytes, std::string("new\0", 4));

    auto forced = add;
    forced.back() = "newer";
    forced.push_back("/F");
    result = run(forced);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "The operation completed successfully.\n");
    EXPECT_EQ(stored("Name")->bytes, std::string("newer\0", 6));
}

TEST_F(AddDelete, DeleteRemovesOneValueAfterConfirmation) {
    plant("Gone", regtype::kSz, std::string("x\0", 2));
    plant("Stays", regtype::kSz, std::string("y\0", 2));

    expectOneLineError(run({"delete", "HKCU\\" + kBase, "/v", "Gone"}, "no\n"), "cancelled");
    EXPECT_TRUE(stored("Gone"));
    EXPECT_EQ(run({"delete", "HKCU\\" + kBase, "/v", "gone"}, "y\n").status, 0);
    EXPECT_FALSE(stored("Gone"));
    EXPECT_TRUE(stored("Stays"));

    plant("", regtype::kSz, std::string("d\0", 2));
    EXPECT_EQ(run({"delete", "HKCU\\" + kBase, "/ve", "/f"}).status, 0);
    EXPECT_FALSE(stored(""));
}

TEST_F(AddDelete, DeletingWhatIsNotThereFails) {
    plant("Stays", regtype::kSz, std::string("y\0", 2));
    expectOneLineError(run({"delete", "HKCU\\" + kBase, "/v", "Absent", "/f"}), "Absent");
    expectOneLineError(run({"delete", "HKCU\\" + kBase + "\\Missing", "/v", "Stays", "/f"}),
                       kBaseName + "\\Missing");
    EXPECT_TRUE(stored("Stays"));
}

TEST_F(AddDelete, BadArgumentsFailWithOneLineAndChangeNothing) {
    const std::string key = "HKCU\\" + kBase;
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frobnicate", key},
        {"query"},
        {"query", key, "extra"},
        {"query", key, "/d", "x"},
        {"add", key, "/v"},
        {"add", key, "/v", "a", "/v", "b"},
        {"add", key, "/v", "a", "/ve"},
        {"add", key, "/t", "REG_BINARY", "/v", "a"},
        {"add", key, "/v", "a", "/d", "1", "/d", "2"},
        {"delete", key},
        {"delete", key, "/v", "Stays", "/x"},
        {"export", key},
        {"import"},
        {"add", "HKCR\\Software\\Orvane\\RegTool", "/v", "a"},
        {"add", "HKEY_USERS\\Software", "/v", "a"},
        {"add", "Software\\Orvane\\RegTool", "/v", "a"},
        {"add", "HKCU\\Software\\\\Orvane", "/v", "a"},
        {"add", "HKCU\\\\Software", "/v", "a"},
    };
    plant("Stays", regtype::kSz, std::string("y\0", 2));
    for (const auto& args : cases) {
        std::string joined;
        for (const auto& arg : args) {
            joined += arg + " ";
        }
        SCOPED_TRACE(joined);
        const RunResult result = run(args, "y\n");
        expectOneLineError(result);
        EXPECT_EQ(result.out, "");
    }
    EXPECT_TRUE(stored("Stays"));
    EXPECT_FALSE(stored("a"));
    EXPECT_FALSE(keyExists(kHkeyCurrentUser, "Software\\Orvane\\RegTool\\Orvane"));
}

TEST_F(AddDelete, AnUnknownRootIsNamedInTheError) {
    expectOneLineError(run({"query", "HKCR\\Software"}), "HKCR");
}

TEST_F(AddDelete, HelpPrintsTheUsage) {
    const RunResult result = run({"/?"});
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.out.find("quillbell-reg export KEY FILE"), std::string::npos);
    EXPECT_EQ(result.err, "");
}

}  // namespace
}  // namespace regtooltest
