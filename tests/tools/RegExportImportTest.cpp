#include "RegToolFixture.h"
#include "platform/CodePage.h"

namespace regtooltest {
namespace {

using namespace platform;
using testsupport::keyExists;

// clang-format off
const struct { std::string subPath, name; std::uint32_t type; std::string bytes; } kEveryForm[] = {
    {"", "Plain", regtype::kSz, std::string("Hello, world\0", 13)},
    {"", "Empty", regtype::kSz, std::string("\0", 1)},
    {"", "", regtype::kSz, std::string("default\0", 8)},
    {"", "NulInside", regtype::kSz, std::string("a\0b\0", 4)},
    {"", "NoTerminator", regtype::kSz, "abc"},
    {"", "ByteCountZero", regtype::kSz, ""},
    {"", "LineBreak", regtype::kSz, std::string("one\r\ntwo\0", 9)},
    {"", "Tab", regtype::kSz, std::string("a\tb\0", 4)},
    // What an enciphered password looks like: any byte but NUL, then the terminator.
    {"", "Cipher", regtype::kSz, testsupport::bytesFrom(1) + '\0'},
    {"", "AllBytes", regtype::kSz, testsupport::bytesFrom(0)},
    // Whatever the code page, 0xE9 is a letter in it: it travels as UTF-8.
    {"", "Word", regtype::kSz, std::string("Caf\xe9\0", 5)},
    {"", "Dword", regtype::kDword, std::string("\x2a\0\0\0", 4)},
    {"", "Negative", regtype::kDword, std::string("\xfb\xff\xff\xff", 4)},
    {"", "MinInt", regtype::kDword, std::string("\0\0\0\x80", 4)},
    {"", "ShortDword", regtype::kDword, std::string("\x07\0", 2)},
    {"", "Binary", regtype::kBinary, testsupport::bytesFrom(0)},
    {"", "EmptyBinary", regtype::kBinary, ""},
    {"", "Expand", regtype::kExpandSz, std::string("%HOME%\\x\0", 9)},
    {"", "Multi", regtype::kMultiSz, std::string("a\0b\0\0", 5)},
    {"", "None", regtype::kNone, ""},
    {"", "Say \"hi\" \\ there", regtype::kSz, std::string("C:\\Path\\\"quoted\"\\\0", 18)},
    {"", "\\", regtype::kSz, std::string("\"\0", 2)},
    {"Sub", "Inner", regtype::kSz, std::string("inner\0", 6)},
    {"Sub\\Deeper\\Deepest", "Deep", regtype::kDword, std::string("\x01\x02\x03\x04", 4)},
    {"Sub\\Deeper\\Deepest", "", regtype::kSz, std::string("\0", 1)}};
// clang-format on

class ExportImport : public RegToolTest {
protected:
    RunResult exportTo(const std::string& name, const std::string& key = kKey) {
        return runArgs({"export", key, file(name), "/y"});
    }
    RunResult import(const std::string& name) { return runArgs({"import", file(name)}); }
};

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST_F(ExportImport, EveryStoredFormIsWrittenAsRegeditWritesItAndRoundTripsByteForByte) {
    for (const auto& value : kEveryForm) {
        plant(value.name, value.type, value.bytes, value.subPath);
    }
    testsupport::createKey(kHkeyCurrentUser, kBase + "\\Empty Key");
    RunResult result = exportTo("all.reg");
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string text = readFile("all.reg");

    EXPECT_EQ(text.rfind("Windows Registry Editor Version 5.00\r\n\r\n[" + kBaseName + "]\r\n", 0),
              0u);
    const std::string utf8 = ansiCodePage().fromAnsi("Caf\xe9");
    EXPECT_NE(utf8, "Caf\xe9");
    // clang-format off
    const std::string parts[] = {
        "\"Plain\"=\"Hello, world\"\r\n", "\"Empty\"=\"\"\r\n", "@=\"default\"\r\n",
        "\"Dword\"=dword:0000002a\r\n", "\"Negative\"=dword:fffffffb\r\n",
        "\"NulInside\"=hex(1):61,00,62,00\r\n", "\"NoTerminator\"=hex(1):61,62,63\r\n",
        "\"ByteCountZero\"=hex(1):\r\n", "\"ShortDword\"=hex(4):07,00\r\n",
        "\"Multi\"=hex(7):61,00,62,00,00\r\n", "\"EmptyBinary\"=hex:\r\n",
        "\"Cipher\"=hex(1):", "\"Binary\"=hex:00,01,02,", "\"\\\\\"=\"\\\"\"\r\n",
        "\"Say \\\"hi\\\" \\\\ there\"=\"C:\\\\Path\\\\\\\"quoted\\\"\\\\\"\r\n",
        "\"Word\"=\"" + utf8 + "\"\r\n"};
    // clang-format on
    for (const auto& part : parts) {
        EXPECT_TRUE(contains(text, "\r\n" + part)) << part;
    }
    EXPECT_TRUE(contains(text, "\r\n[" + kBaseName + "\\Sub\\Deeper]\r\n\r\n"));
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        EXPECT_LE(end - start, 80u) << text.substr(start, end - start);
    }

    freshRegistry();
    ASSERT_FALSE(keyExists(kHkeyCurrentUser, kBase));
    result = import("all.reg");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "The operation completed successfully.\n");
    for (const auto& value : kEveryForm) {
        const auto found = stored(value.name, value.subPath);
        ASSERT_TRUE(found) << value.subPath << "\\" << value.name;
        EXPECT_EQ(found->type, value.type) << value.name;
        EXPECT_EQ(found->bytes, value.bytes) << value.name;
    }
    EXPECT_TRUE(keyExists(kHkeyCurrentUser, kBase + "\\Empty Key"));
    ASSERT_EQ(exportTo("again.reg").status, 0);
    EXPECT_EQ(readFile("again.reg"), text);
}

TEST_F(ExportImport, ImportReadsUtf16AndUtf8FilesAddsCaseBlindAndDeletesMarkedValues) {
    // UTF-16 with a byte order mark, as regedit writes it.
    const std::string text = "Windows Registry Editor Version 5.00\r\n\r\n[" + kBaseName +
                             "]\r\n\"Name\"=\"Quillbell\"\r\n";
    std::string utf16 = "\xff\xfe";
    for (const char c : text) {
        utf16 += std::string{c, '\0'};
    }
    writeFile("utf16.reg", utf16);
    RunResult result = import("utf16.reg");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(stored("Name")->bytes, std::string("Quillbell\0", 10));

    plant("Dropped", regtype::kSz, std::string("d\0", 2));
    writeFile("merge.reg",
              "\xef\xbb\xbfWindows Registry Editor Version 5.00\n\n"
              "; a comment\n"
              "[hkey_current_user\\SOFTWARE\\orvane\\REGTOOL]\n"
              "\"New\" = dword:1\n"
              "\"dropped\"=-\n"
              "\"NeverThere\"=-\n");
    result = import("merge.reg");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(stored("Name")->bytes, std::string("Quillbell\0", 10));
    EXPECT_EQ(stored("New")->bytes, std::string("\x01\0\0\0", 4));
    EXPECT_FALSE(stored("Dropped"));
}

TEST_F(ExportImport, ABrokenFileIsRefusedBeforeAnythingIsWritten) {
    const std::string header = "Windows Registry Editor Version 5.00\r\n\r\n";
    const std::string good = "[HKEY_CURRENT_USER\\" + kBase + "\\Early]\r\n\"A\"=\"1\"\r\n";
    std::vector<std::pair<std::string, std::string>> cases = {
        {"", "not a registry file"},
        {"REGEDIT4\r\n\r\n" + good, "not a registry file"},
        {header + "\"A\"=\"1\"\r\n", "line 3"},
        {header + good + "\"B\"=\"\xff\"\r\n", "UTF-8"},
        {"\xff\xfe" + std::string("W\0\0\xd8", 4), "surrogate"}};
    // Each a bad fifth line after a good section: wrong syntax, beyond the registry's
    // limits, or a name a NUL would cut short.
    std::string deep = "[HKEY_CURRENT_USER\\" + kBase;
    for (int level = 3; level < 513; ++level) {
        deep += "\\d";
    }
    // clang-format off
    const std::string lines[] = {
        "[HKEY_CLASSES_ROOT\\X]", "[-HKEY_CURRENT_USER\\Software\\Orvane\\RegTool]",
        "[HKEY_CURRENT_USER\\X", "\"B\"=\"unterminated", "\"B\"=\"bad \\n escape\"",
        "\"B\"=\"x\" trailing", "\"B\"=dword:123456789", "\"B\"=dword:xyz", "\"B\"=hex:1,2,300",
        "\"B\"=hex:01,,02", "\"B\"=hex(zz):01", "\"B\"=hex:01,\\", "\"B\"=qword:01", "B=\"x\"",
        "\"B\"\"x\"", "\"B\"=\"\xe6\x97\xa5\"", "\"\xe6\x97\xa5\"=\"x\"",
        "[HKEY_CURRENT_USER\\" + kBase + "\\" + std::string(256, 'k') + "]", deep + "]",
        "\"" + std::string(16384, 'v') + "\"=\"x\"", std::string("\"a\0b\"=\"1\"", 9),
        "[HKEY_CURRENT_USER\\" + kBase + std::string("\\A\0B]", 5)};
    // clang-format on
    for (const auto& line : lines) {
        cases.push_back({header + good + line + "\r\n", "line 5"});
    }
    for (const auto& [content, mentioning] : cases) {
        SCOPED_TRACE(content);
        writeFile("broken.reg", content);
        expectOneLineError(import("broken.reg"), mentioning);
        EXPECT_FALSE(keyExists(kHkeyCurrentUser, kBase + "\\Early"));
    }
    expectOneLineError(import("missing.reg"), "missing.reg");
}

TEST_F(ExportImport, ExportWritesNoFileForAMissingKeyAndAsksBeforeReplacingOne) {
    expectOneLineError(exportTo("none.reg", kKey + "\\Missing"), kBaseName + "\\Missing");
    EXPECT_FALSE(std::filesystem::exists(file("none.reg")));
    plant("Name", regtype::kSz, std::string("x\0", 2));
    writeFile("old.reg", "precious");
    expectOneLineError(runArgs({"export", kKey, file("old.reg")}, "n\n"), "cancelled");
    EXPECT_EQ(readFile("old.reg"), "precious");
    EXPECT_EQ(runArgs({"export", kKey, file("old.reg")}, "y\n").status, 0);
    EXPECT_TRUE(contains(readFile("old.reg"), "\"Name\"=\"x\""));
}

}  // namespace
}  // namespace regtooltest
