#pragma once
// The address of one message store of a profile: a local Maildir++ tree or an IMAP account.
//   maildir:///absolute/path
//   imap://user@host[:port]/     (STARTTLS when the server offers it)
//   imaps://user@host[:port]/    (TLS from the first byte)
// Percent escapes are decoded in the path and the user name. A password never belongs in
// the URL: the profile keeps it enciphered beside it.

#include <cstdint>
#include <optional>
#include <string>

namespace mail {

struct StoreUrl {
    enum class Kind { Maildir, Imap, Imaps };
    Kind kind = Kind::Maildir;
    std::string path;  // Maildir only
    std::string user;  // servers only
    std::string host;
    std::uint16_t port = 0;  // 0: the protocol's own port

    bool isServer() const { return kind != Kind::Maildir; }
};

// The parsed URL, or nothing with `problem` saying what is wrong with it.
std::optional<StoreUrl> parseStoreUrl(const std::string& text, std::string& problem);

}  // namespace mail
