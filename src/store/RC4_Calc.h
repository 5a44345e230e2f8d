#pragma once
// The password cipher of the stored settings: plain RC4 under a key compiled into the
// program, shared with the notifier, which deciphers `UserPassword` the same way. The
// stored value holds one byte per password character and no other encoding, so a zero
// byte can occur inside it. This is obfuscation, not protection: there is no salt, and
// every password is combined with the same keystream.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace RC4_Calc {

// The key of every stored password. Its bytes are the low 8 bits of each character's
// UTF-16 code unit, so they do not depend on the system's code page.
inline constexpr std::string_view PasswordKey = "Б_kЮЄ'Фы©_q#±°MW";

// The key bytes of a UTF-8 key: the low 8 bits of each UTF-16 code unit (a character
// beyond U+FFFF gives two). A byte that is not valid UTF-8 stands for itself.
std::vector<std::uint8_t> keyBytes(std::string_view key);

// RC4 on bytes, keystream used from its first byte. Its own inverse. An empty key acts as
// a key of zero bytes (the key schedule has nothing to repeat).
std::string crypt(std::string_view data, std::span<const std::uint8_t> key);

// Enciphers or deciphers UTF-8 text: the text goes through the ANSI code page (a character
// the code page lacks becomes its substitute), is combined byte by byte with the keystream
// and comes back as UTF-8 with one character per byte. Keeps no state between calls.
std::string RC4Crypt(const std::string& text, const std::string& key);

// The stored form of a password (UTF-8, as the registry layer takes it): the password's
// bytes in the ANSI code page, each combined with its keystream byte, one stored byte per
// byte on a single-byte code page. A character of a double-byte code page is two bytes and
// meets two keystream bytes (combining only its low 8 bits could not be deciphered), and
// there the bytes that are no character on their own are escaped (TextSafeBytes.h).
std::string EncryptPassword(const std::string& password);
// The password of a stored `UserPassword`.
std::string DecryptPassword(const std::string& stored);

}  // namespace RC4_Calc
