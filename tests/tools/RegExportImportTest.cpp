// Every form a value can be stored in survives export and import byte for byte, and a
// file that cannot be read whole is refused before anything is written.

#include "RegToolFixture.h"
#include "platform/CodePage.h"

namespace regtooltest {
namespace {

using namespace platform;
using testsupport::keyExists;

struct Planted {
    std::string subPath;
    std::string name;
    std::uint32_t type;
    std::string bytes;
};

std::string allByteValues() {
    std::string bytes;
    for (int i = 0; i < 256; ++i) {
        bytes.push_back(static_cast<char>(i));
    }
    return bytes;
}

// What an enciphered password looks like: arbitrary bytes, no NUL, then the terminator.
std::string cipherLike() {
    std::string bytes;
    for (int i = 1; i < 256; ++i) {
        bytes.push_back(static_cast<char>((i * 167 + 13) % 255 + 1));
    }
    return bytes + '\0';
}

std::vector<Planted> everyStoredForm() {
    return {
        {"", "Plain", regtype::kSz, std::string("Hello, world\0", 13)},
        {"", "Empty", regtype::kSz, std::string("\0", 1)},
        {"", "", regtype::kSz, std::string("default\0", 8)},
        {"", "NulInside", regtype::kSz, std::string("a\0b\0", 4)},
        {"", "NoTerminator", regtype::kSz, "abc"},
        {"", "ByteCountZero", regtype::kSz, ""},
        {"", "LineBreak", regtype::kSz, std::string("one\r\ntwo\0", 9)},
        {"", "Tab", regtype::kSz, std::string("a\tb\0", 4)},
        {"", "Cipher", regtype::kSz, cipherLike()},
        {"", "AllBytes", regtype::kSz, allByteValues()},
        {"", "Dword", regtype::kDword, std::string("\x2a\0\0\0", 4)},
        {"", "Negative", regtype::kDword, std::string("\xfb\xff\xff\xff", 4)},
        {"", "MinInt", regtype::kDword, std::string("\0\0\0\x80", 4)},
        {"", "ShortDword", regtype::kDword, std::string("\x07\0", 2)},
        {"", "Binary", regtype::kBinary, allByteValues()},
        {"", "EmptyBinary", regtype::kBinary, ""},
        {"", "Expand", regtype::kExpandSz, std::string("%HOME%\\x\0", 9)},
        {"", "Multi", regtype::kMultiSz, std::string("a\0b\0\0", 5)},
        {"", "None", regtype::kNone, ""},
        {"", "Say \"hi\" \\ there", regtype::kSz, std::string("C:\\Path\\\"quoted\"\\\0", 18)},
        {"", "\\", regtype::kSz, std::string("\"\0", 2)},
        {"Sub", "Inner", regtype::kSz, std::string("inner\0", 6)},
        {"Sub\\Deeper\\Deepest", "Deep", regtype::kDword, std::string("\x01\x02\x03\x04", 4)},
        {"Sub\\Deeper\\Deepest", "", regtype::kSz, std::string("\0", 1)},
    };
}

class ExportImport : public RegToolTest {
protected:
    void plantAll(const std::vector<Planted>& values) {
        for (const auto& value : values) {
            plant(value.name, value.type, value.bytes, value.subPath);
        }
    }
    void expectAll(const std::vector<Planted>& values) {
        for (const auto& value : values) {
            const auto found = stored(value.name, value.subPath);
            ASSERT_TRUE(found) << value.subPath << "\\" << value.name;
            EXPECT_EQ(found->type, value.type) << value.name;
            EXPECT_EQ(found->bytes, value.bytes) << value.name;
        }
    }
    RunResult exportTo(const std::string& name, const std::string& key = "HKCU\\" + kBase) {
        return run({"export", key, file(name), "/y"});
    }
};

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST_F(ExportImport, EveryStoredFormRoundTripsByteForByte) {
    const auto values = everyStoredForm();
    plantAll(values);
    testsupport::createKey(kHkeyCurrentUser, kBase + "\\Empty Key");

    RunResult result = exportTo("all.reg");
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string exported = readFile("all.reg");

    freshRegistry();
    ASSERT_FALSE(keyExists(kHkeyCurrentUser, kBase));
    result = run({"import", file("all.reg")});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "The operation completed successfully.\n");
    expectAll(values);
    EXPECT_TRUE(keyExists(kHkeyCurrentUser, kBase + "\\Empty Key"));

    // What was imported exports to the same file again.
    ASSERT_EQ(exportTo("again.reg").status, 0);
    EXPECT_EQ(readFile("again.reg"), exported);
}

TEST_F(ExportImport, WritesRegeditsTextFormat) {
    plantAll(everyStoredForm());
    ASSERT_EQ(exportTo("all.reg").status, 0);
    const std::string text = readFile("all.reg");

    EXPECT_EQ(text.rfind("Windows Registry Editor Version 5.00\r\n\r\n[" + kBaseName + "]\r\n", 0),
              0u);
    EXPECT_TRUE(contains(text, "\r\n\"Plain\"=\"Hello, world\"\r\n"));
    EXPECT_TRUE(contains(text, "\r\n\"Empty\"=\"\"\r\n"));
    EXPECT_TRUE(contains(text, "\r\n@=\"default\"\r\n"));
    EXPECT_TRUE(contains(text, "\r\n\"Dword\"=dword:0000002a\r\n"));
    EXPECT_TRUE(contains(text, "\r\n\"Negative\"=dword:fffffffb\r\n"));
    EXPECT_TRUE(contains(text, "\r\n\"NulInside\"=hex(1):61,00,62,00\r\n"));
    EXPECT_TRUE(contains(text, "\r\n\"NoTerminator\"=hex(1):61,62,63\r\n"));
    EXPECT_TRUE(contains(text, "\r\n\"ByteCountZero\"=hex(1):\r\n"));
    EXPECT_TRUE(contains(text, "\r\n\"ShortDword\"=hex(4):07,00\r\n"));
    EXPECT_TRUE(contains(text, "\r\n\"Multi\"=hex(7):61,00,62,00,00\r\n"));
    EXPECT_TRUE(contains(text, "\r\n\"EmptyBinary\"=hex:\r\n"));
    EXPECT_TRUE(contains(text, "\r\n\"Cipher\"=hex(1):"));
    EXPECT_TRUE(contains(text, "\r\n\"Binary\"=hex:00,01,02,"));
    EXPECT_TRUE(contains(
        text, "\r\n\"Say \\\"hi\\\" \\\\ there\"=\"C:\\\\Path\\\\\\\"quoted\\\"\\\\\"\r\n"));
    EXPECT_TRUE(contains(text, "\r\n\"\\\\\"=\"\\\"\"\r\n"));
    // Every key has its section, values in the registry's own order.
    const std::size_t deepest = text.find("\r\n[" + kBaseName + "\\Sub\\Deeper\\Deepest]\r\n");
    ASSERT_NE(deepest, std::string::npos);
    EXPECT_NE(text.find("\r\n\"Deep\"=dword:04030201\r\n", deepest), std::string::npos);
    EXPECT_NE(text.find("\r\n@=\"\"\r\n", deepest), std::string::npos);
    EXPECT_TRUE(contains(text, "\r\n[" + kBaseName + "\\Sub\\Deeper]\r\n\r\n"));
    // Long hex data goes on over lines of at most 80 characters.
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        EXPECT_LE(end - start, 80u) << text.substr(start, end - start);
    }
}

TEST_F(ExportImport, TextOfTheCodePageTravelsAsUtf8) {
    // Whatever the code page, 0xE9 is a letter in it.
    const std::string ansi = "Caf\xe9";
    plant("Word", regtype::kSz, ansi + '\0');
    ASSERT_EQ(exportTo("word.reg").status, 0);
    const std::string utf8 = ansiCodePage().fromAnsi(ansi);
    EXPECT_NE(utf8, ansi);
    EXPECT_TRUE(contains(readFile("word.reg"), "\"Word\"=\"" + utf8 + "\"\r\n"));

    freshRegistry();
    ASSERT_EQ(run({"import", file("word.reg")}).status, 0);
    EXPECT_EQ(stored("Word")->bytes, ansi + '\0');
}

TEST_F(ExportImport, ImportReadsUtf16WithByteOrderMarkAsRegeditWritesIt) {
    const std::string text =
        "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Orvane\\"
        "RegTool]\r\n\"Name\"=\"Quillbell\"\r\n\"Bin\"=hex:01,02,\\\r\n  03\r\n";
    std::string utf16 = "\xff\xfe";
    for (const char c : text) {
        utf16 += c;
        utf16 += '\0';
    }
    writeFile("utf16.reg", utf16);
    const RunResult result = run({"import", file("utf16.reg")});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(stored("Name")->bytes, std::string("Quillbell\0", 10));
    EXPECT_EQ(stored("Bin")->bytes, "\x01\x02\x03");
}

TEST_F(ExportImport, ImportAddsToExistingKeysCaseBlindAndDeletesMarkedValues) {
    plant("Kept", regtype::kSz, std::string("k\0", 2));
    plant("Dropped", regtype::kSz, std::string("d\0", 2));
    writeFile("merge.reg",
              "\xef\xbb\xbfWindows Registry Editor Version 5.00\n\n"
              "; a comment\n"
              "[hkey_current_user\\SOFTWARE\\orvane\\REGTOOL]\n"
              "\"New\" = dword:1\n"
              "\"dropped\"=-\n"
              "\"NeverThere\"=-\n");
    const RunResult result = run({"import", file("merge.reg")});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(stored("Kept")->bytes, std::string("k\0", 2));
    EXPECT_EQ(stored("New")->bytes, std::string("\x01\0\0\0", 4));
    EXPECT_FALSE(stored("Dropped"));
}

TEST_F(ExportImport, ABrokenFileIsRefusedBeforeAnythingIsWritten) {
    const std::string header = "Windows Registry Editor Version 5.00\r\n\r\n";
    const std::string good = "[HKEY_CURRENT_USER\\" + kBase + "\\Early]\r\n\"A\"=\"1\"\r\n";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "not a registry file"},
        {"REGEDIT4\r\n\r\n" + good, "not a registry file"},
        {header + "\"A\"=\"1\"\r\n", "line 3"},
        {header + good + "[HKEY_CLASSES_ROOT\\X]\r\n", "line 5"},
        {header + good + "[-HKEY_CURRENT_USER\\" + kBase + "]\r\n", "line 5"},
        {header + good + "[HKEY_CURRENT_USER\\X\r\n", "line 5"},
        {header + good + "\"B\"=\"unterminated\r\n", "line 5"},
        {header + good + "\"B\"=\"bad \\n escape\"\r\n", "line 5"},
        {header + good + "\"B\"=\"x\" trailing\r\n", "line 5"},
        {header + good + "\"B\"=dword:123456789\r\n", "line 5"},
        {header + good + "\"B\"=dword:xyz\r\n", "line 5"},
        {header + good + "\"B\"=hex:1,2,300\r\n", "line 5"},
        {header + good + "\"B\"=hex:01,,02\r\n", "line 5"},
        {header + good + "\"B\"=hex(zz):01\r\n", "line 5"},
        {header + good + "\"B\"=hex:01,\\\r\n", "line 5"},
        {header + good + "\"B\"=qword:01\r\n", "line 5"},
        {header + good + "B=\"x\"\r\n", "line 5"},
        {header + good + "\"B\"\"x\"\r\n", "line 5"},
        {header + good + "\"B\"=\"\xe6\x97\xa5\"\r\n", "line 5"},
        {header + good + "\"\xe6\x97\xa5\"=\"x\"\r\n", "line 5"},
        {header + good + "\"B\"=\"\xff\"\r\n", "UTF-8"},
        {"\xff\xfe" + std::string("W\0\0\xd8", 4), "surrogate"},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].first);
        writeFile("broken.reg", cases[i].first);
        expectOneLineError(run({"import", file("broken.reg")}), cases[i].second);
        EXPECT_FALSE(keyExists(kHkeyCurrentUser, kBase + "\\Early"));
    }
    expectOneLineError(run({"import", file("missing.reg")}), "missing.reg");
}

TEST_F(ExportImport, ExportOfAMissingKeyFailsAndWritesNoFile) {
    const RunResult result = exportTo("none.reg", "HKCU\\" + kBase + "\\Missing");
    expectOneLineError(result, kBaseName + "\\Missing");
    EXPECT_FALSE(std::filesystem::exists(file("none.reg")));
}

TEST_F(ExportImport, ExportAsksBeforeReplacingAFile) {
    plant("Name", regtype::kSz, std::string("x\0", 2));
    writeFile("old.reg", "precious");
    expectOneLineError(run({"export", "HKCU\\" + kBase, file("old.reg")}, "n\n"), "cancelled");
    EXPECT_EQ(readFile("old.reg"), "precious");
    EXPECT_EQ(run({"export", "HKCU\\" + kBase, file("old.reg")}, "y\n").status, 0);
    EXPECT_TRUE(contains(readFile("old.reg"), "\"Name\"=\"x\""));
}

}  // namespace
}  // namespace regtooltest
