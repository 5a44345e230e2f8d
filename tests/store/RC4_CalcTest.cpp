#include "store/RC4_Calc.h"

#include <gtest/gtest.h>

#include "platform/CodePage.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::string fromHex(std::string_view hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
    }
    return bytes;
}

// The key bytes of the program's key, worked out by hand from the characters' code points.
const Bytes kPasswordKeyBytes = {0x11, 0x5F, 0x6B, 0x2E, 0x04, 0x27, 0x24, 0x4B,
                                 0xA9, 0x5F, 0x71, 0x23, 0xB1, 0xB0, 0x4D, 0x57};

TEST(RC4Core, MatchesThePublishedVectorsAndTheKeyBytesAreTheLowBytesOfUtf16CodeUnits) {
    const struct {
        const char *key, *plain, *cipherHex;
    } vectors[] = {{"Key", "Plaintext", "bbf316e8d940af0ad3"},
                   {"Wiki", "pedia", "1021bf0420"},
                   {"Secret", "Attack at dawn", "45a01f645fc35b383552544b9bf5"}};
    for (const auto& v : vectors) {
        const Bytes key(v.key, v.key + std::char_traits<char>::length(v.key));
        EXPECT_EQ(RC4_Calc::crypt(v.plain, key), fromHex(v.cipherHex)) << v.key;
        EXPECT_EQ(RC4_Calc::crypt(fromHex(v.cipherHex), key), v.plain) << v.key;
    }
    EXPECT_EQ(RC4_Calc::PasswordKey.size(), 24u) << "the key must reach the compiler as UTF-8";
    EXPECT_EQ(RC4_Calc::keyBytes(RC4_Calc::PasswordKey), kPasswordKeyBytes);
}

TEST(PasswordCipher, EnciphersTheAnsiBytesWithTheProgramKeystreamStartedAfreshEachCall) {
    platform::installCodePage(platform::createCodePage(1252));
    const auto ansi = [](const std::string& text) { return platform::ansiCodePage().toAnsi(text); };
    // The first keystream bytes under the program's key, as OpenSSL's RC4 gives them: the
    // notifier deciphers stored passwords with exactly this stream.
    EXPECT_EQ(RC4_Calc::crypt(std::string(16, '\0'), kPasswordKeyBytes),
              fromHex("9fefd9cba2890ebebd988ecb111583ec"));
    EXPECT_EQ(ansi(RC4_Calc::RC4Crypt("Plaintext", "Key")), fromHex("bbf316e8d940af0ad3"));
    // "é" is one byte (0xE9) in the Western code page, so it meets one keystream byte.
    EXPECT_EQ(ansi(RC4_Calc::EncryptPassword("\xC3\xA9")), std::string(1, char(0xE9 ^ 0x9F)));
    // U+4E2D has no place in the Western code page: it is enciphered as the substitute.
    EXPECT_EQ(RC4_Calc::DecryptPassword(RC4_Calc::EncryptPassword("a\xE4\xB8\xAD")), "a?");
    platform::installCodePage(nullptr);
}

}  // namespace
