// The mail session over Maildir stores and against a real Dovecot IMAP server on 127.0.0.1.

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <functional>

#include "DovecotServer.h"
#include "SessionWalk.h"
#include "platform/posix/mail/MailProfile.h"
#include "platform/posix/mail/ServerTimeout.h"
#include "support/TestRegistry.h"

namespace mailtest {
namespace {

using namespace std::chrono_literals;

void expectFailure(const std::function<void()>& act, std::uint32_t number,
                   const std::string& source, const std::string& inDescription) {
    SCOPED_TRACE(inDescription);
    try {
        act();
        ADD_FAILURE() << "succeeded";
    } catch (const platform::AutomationError& error) {
        EXPECT_EQ(static_cast<std::uint32_t>(error.number()), number) << error.description();
        EXPECT_EQ(error.source().rfind(source, 0), 0u) << error.source();
        EXPECT_NE(error.description().find(inDescription), std::string::npos)
            << error.description();
    }
}

TEST(MaildirSession, FailsWithTheNumberSourceAndDescriptionOfEachFault) {
    testsupport::ScopedTestRegistry registry;
    const std::string gone = "maildir://" + (registry.scratchDir() / "missing").string();
    ASSERT_EQ(mail::writeProfile("Gone", {{gone, "Gone", "", ""}}), 0);
    ASSERT_EQ(mail::writeProfile("Broken", {{"maildir:relative/path", "Broken", "", ""}}), 0);
    expectFailure([] { walkProfile("Nobody"); }, 0x8004010F, "MAPI.Session", "Nobody");
    expectFailure([] { walkProfile("Gone"); }, 0x8004010F, "MAPI.Session", "missing");
    expectFailure([] { walkProfile("Broken"); }, 0x8004011B, "MAPI.Session", "relative/path");
    expectFailure([] { platform::automation().createObject("mapi.session")->get("InfoStores"); },
                  0x80040605, "MAPI.Session", "not logged on");
    expectFailure([] { platform::automation().createObject("Outlook.Application"); }, 0x800401F3,
                  "Outlook.Application", "Invalid class string");
}

class ImapSession : public ::testing::Test {
protected:
    void TearDown() override { mail::setServerTimeout(mail::kDefaultServerTimeout); }

    testsupport::ScopedTestRegistry registry;
    DovecotServer server{registry.scratchDir() / "dovecot", "s3cret pass"};
};

TEST_F(ImapSession, ShowsTheServersFoldersAndKeepsTheirIdentifiers) {
    for (const char* folder : {"Sent", "Proj&AOk-ts 2024/v1.2", "Archive/2023/Q1"}) {
        server.addFolder(folder);
    }
    ASSERT_TRUE(server.start()) << server.log();
    ASSERT_EQ(mail::writeProfile("Server", {{server.url(), "Mail", "alice", "s3cret pass"}}), 0);

    const std::vector<WalkedStore> first = walkProfile("Server");
    ASSERT_EQ(first.size(), 1u) << server.log();
    std::vector<std::string> outline;
    for (const WalkedFolder& folder : first[0].folders) {
        outline.push_back(std::string(2 * folder.depth, ' ') + folder.name);
    }
    EXPECT_EQ(outline, (std::vector<std::string>{"Inbox", "Archive", "  2023", "    Q1",
                                                 "Projéts 2024", "  v1.2", "Sent"}));
    const std::vector<WalkedStore> second = walkProfile("Server");
    ASSERT_EQ(second[0].folders.size(), first[0].folders.size());
    for (std::size_t f = 0; f < first[0].folders.size(); ++f) {
        const std::string& key = first[0].folders[f].key;
        EXPECT_EQ(second[0].folders[f].key, key);
        EXPECT_EQ(std::count(key.begin(), key.end(), ':'), 1) << key;
    }
}

TEST_F(ImapSession, ARefusedPasswordAStoppedServerAndASilentOneGiveTheirErrors) {
    ASSERT_TRUE(server.start()) << server.log();
    const auto expectServerFailure = [](std::uint16_t port, const char* password,
                                        std::uint32_t number, const char* inDescription) {
        const std::string url = "imap://alice@127.0.0.1:" + std::to_string(port) + "/";
        ASSERT_EQ(mail::writeProfile("Server", {{url, "Mail", "alice", password}}), 0);
        expectFailure([] { walkProfile("Server"); }, number, "MAPI.Session", inDescription);
    };
    expectServerFailure(server.port(), "wrong", 0x80040111, "alice");
    expectServerFailure(freeLoopbackPort(), "s3cret pass", 0x80040115, "127.0.0.1");

    // Room for the name lookup under load: a timeout during it reads as unreachable.
    mail::setServerTimeout(2s);
    std::uint16_t silentPort = 0;
    const int silent = loopbackSocket(silentPort, true);  // never says a word
    const auto start = std::chrono::steady_clock::now();
    expectServerFailure(silentPort, "s3cret pass", 0x80040401, "did not answer");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
    close(silent);
}

}  // namespace
}  // namespace mailtest
