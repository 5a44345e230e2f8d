// The mail session against a real Dovecot IMAP server on 127.0.0.1.

#include <gtest/gtest.h>

#include <chrono>

#include "DovecotServer.h"
#include "SessionWalk.h"
#include "platform/posix/mail/MailProfile.h"
#include "platform/posix/mail/ServerTimeout.h"
#include "support/TestRegistry.h"

namespace mailtest {
namespace {

using namespace std::chrono_literals;

class ImapSession : public ::testing::Test {
protected:
    void TearDown() override { mail::setServerTimeout(mail::kDefaultServerTimeout); }

    // The number of the error that logging on to a one-store profile gives.
    std::uint32_t logonError(const std::string& url, const std::string& password,
                             std::string& description) {
        EXPECT_EQ(mail::writeProfile("Server", {{url, "Mail", "alice", password}}), 0);
        try {
            walkProfile("Server");
        } catch (const platform::AutomationError& error) {
            description = error.description();
            return static_cast<std::uint32_t>(error.number());
        }
        return 0;
    }

    testsupport::ScopedTestRegistry registry;
    DovecotServer server{registry.scratchDir() / "dovecot", "s3cret pass"};
};

TEST_F(ImapSession, ShowsTheServersFoldersAndKeepsTheirIdentifiers) {
    server.addFolder("Sent");
    server.addFolder("Proj&AOk-ts 2024/v1.2");
    server.addFolder("Archive/2023/Q1");
    ASSERT_TRUE(server.start()) << server.log();
    ASSERT_EQ(mail::writeProfile("Server", {{server.url(), "Mail", "alice", "s3cret pass"}}), 0);

    const std::vector<WalkedStore> first = walkProfile("Server");
    ASSERT_EQ(first.size(), 1u) << server.log();
    EXPECT_EQ(first[0].name, "Mail");
    EXPECT_EQ(outline(first[0]), (std::vector<std::string>{"Inbox", "Archive", "  2023", "    Q1",
                                                           "Projéts 2024", "  v1.2", "Sent"}));
    const std::vector<WalkedStore> second = walkProfile("Server");
    ASSERT_EQ(second[0].folders.size(), first[0].folders.size());
    for (std::size_t f = 0; f < first[0].folders.size(); ++f) {
        EXPECT_EQ(second[0].folders[f].key, first[0].folders[f].key);
        EXPECT_EQ(std::count(first[0].folders[f].key.begin(), first[0].folders[f].key.end(), ':'),
                  1);
    }
}

TEST_F(ImapSession, ARefusedPasswordAStoppedServerAndASilentOneGiveTheirErrors) {
    ASSERT_TRUE(server.start()) << server.log();
    std::string description;
    EXPECT_EQ(logonError(server.url(), "wrong", description), 0x80040111u);
    EXPECT_NE(description.find("alice"), std::string::npos) << description;

    const std::string stopped = "imap://alice@127.0.0.1:" + std::to_string(freeLoopbackPort());
    EXPECT_EQ(logonError(stopped, "s3cret pass", description), 0x80040115u);
    EXPECT_NE(description.find("127.0.0.1"), std::string::npos) << description;

    mail::setServerTimeout(300ms);
    const SilentServer silent;
    const auto start = std::chrono::steady_clock::now();
    const std::string url = "imap://alice@127.0.0.1:" + std::to_string(silent.port()) + "/";
    EXPECT_EQ(logonError(url, "s3cret pass", description), 0x80040401u) << description;
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
}

}  // namespace
}  // namespace mailtest
