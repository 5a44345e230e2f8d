// Store addresses: what each part of a URL becomes, and the URLs refused.

#include <gtest/gtest.h>

#include <tuple>

#include "platform/posix/mail/StoreUrl.h"

namespace {

using Kind = mail::StoreUrl::Kind;

TEST(StoreUrl, PartsAreDecodedAndBadUrlsRefusedWithAProblem) {
    struct Accepted {
        const char* text;
        Kind kind;
        const char *path, *user, *host;
        std::uint16_t port;
    } const accepted[] = {
        {"maildir:///srv/m%C3%BCller", Kind::Maildir, "/srv/müller", "", "", 0},
        {"imap://bob@mail.example/", Kind::Imap, "", "bob", "mail.example", 0},
        {"imaps://a%40b@host:1993", Kind::Imaps, "", "a@b", "host", 1993},
    };
    for (const auto& a : accepted) {
        SCOPED_TRACE(a.text);
        std::string problem;
        const auto url = mail::parseStoreUrl(a.text, problem);
        ASSERT_TRUE(url.has_value()) << problem;
        EXPECT_EQ(std::tie(url->kind, url->path, url->user, url->host, url->port),
                  std::tuple(a.kind, std::string(a.path), std::string(a.user), std::string(a.host),
                             a.port));
    }
    for (const char* refused : {"maildir:relative", "pop3://bob@host/", "imap://@host/",
                                "imap://host/", "imap://bob:pw@host/", "imap://bob@host:99999/",
                                "imap://bob@host/INBOX", "imap://b%4@host/", "maildir:///a%2"}) {
        std::string problem;
        EXPECT_FALSE(mail::parseStoreUrl(refused, problem).has_value()) << refused;
        EXPECT_FALSE(problem.empty()) << refused;
    }
}

}  // namespace
