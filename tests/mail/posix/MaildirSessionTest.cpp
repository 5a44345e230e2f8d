// The mail session's faults over Maildir stores; ExchangeFolderWalkMaildir walks the trees.

#include <gtest/gtest.h>

#include "SessionWalk.h"
#include "platform/posix/mail/MailProfile.h"
#include "support/TestRegistry.h"

namespace mailtest {
namespace {

TEST(MaildirSession, FailsWithTheNumberSourceAndDescriptionOfEachFault) {
    testsupport::ScopedTestRegistry registry;
    const std::string gone = "maildir://" + (registry.scratchDir() / "missing").string();
    ASSERT_EQ(mail::writeProfile("Gone", {{gone, "Gone", "", ""}}), 0);
    ASSERT_EQ(mail::writeProfile("Broken", {{"maildir:relative/path", "Broken", "", ""}}), 0);
    const auto walk = [](const char* profile) { return [profile] { walkProfile(profile); }; };
    const struct {
        std::function<void()> act;
        std::uint32_t number;
        std::string source, inDescription;
    } cases[] = {
        {walk("Nobody"), 0x8004010F, "MAPI.Session", "Nobody"},
        {walk("Gone"), 0x8004010F, "MAPI.Session", "missing"},
        {walk("Broken"), 0x8004011B, "MAPI.Session", "relative/path"},
        {[] { platform::automation().createObject("mapi.session")->get("InfoStores"); }, 0x80040605,
         "MAPI.Session", "not logged on"},
        {[] { platform::automation().createObject("Outlook.Application"); }, 0x800401F3,
         "Outlook.Application", "Invalid class string"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.inDescription);
        const auto error = failureOf(c.act);
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(static_cast<std::uint32_t>(error->number()), c.number);
        EXPECT_EQ(error->source().rfind(c.source, 0), 0u) << error->source();
        EXPECT_NE(error->description().find(c.inDescription), std::string::npos)
            << error->description();
    }
}

}  // namespace
}  // namespace mailtest
