// The automation objects of Windows, reached through the real COM path: the scripted
// "MAPI.Session" server (tests/support/win32/ScriptedMapiServer.cpp) registered for the user.

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "platform/Automation.h"
#include "support/win32/ScopedScriptedMapi.h"

namespace {

using platform::AutomationError;
using platform::ObjectRef;
using testsupport::ScopedScriptedMapi;

std::string hex(std::int32_t number) {
    char text[12];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(number));
    return text;
}

ObjectRef object(const platform::AutomationValue& value) {
    ObjectRef found = platform::automationObject(value);
    EXPECT_TRUE(found);
    return found;
}

// Sub-folders as the folder browser fetches them: Count, then GetFirst and GetNext.
void outlineFolders(const ObjectRef& folder, const std::string& indent, std::string& out) {
    const ObjectRef folders = platform::automationObject(folder->get("Folders"));
    if (!folders) {
        return;
    }
    const auto count = platform::automationNumber(folders->get("Count"));
    for (std::int32_t k = 1; k <= count; ++k) {
        try {
            const ObjectRef sub =
                platform::automationObject(folders->call(k == 1 ? "GetFirst" : "GetNext", {}));
            out += indent + platform::automationText(sub->get("Name")) + " [" +
                   platform::automationText(sub->get("ID")) + "] class " +
                   platform::automationText(sub->get("Class")) + "\n";
            outlineFolders(sub, indent + "  ", out);
        } catch (const AutomationError& error) {
            out += indent + "raised " + hex(error.number()) + " by " + error.source() + ": " +
                   error.description() + "\n";
        }
    }
}

std::string outlineStores(const ObjectRef& session) {
    const ObjectRef stores = object(session->get("InfoStores"));
    std::string out;
    const auto count = platform::automationNumber(stores->get("Count"));
    for (std::int16_t i = 1; i <= count; ++i) {
        const ObjectRef store = object(stores->call("Item", {i}));
        out += platform::automationText(store->get("Name")) + " [" +
               platform::automationText(store->get("ID")) + "]\n";
        const platform::AutomationValue root = store->get("RootFolder");
        if (std::holds_alternative<platform::Nothing>(root)) {
            out += "  (no root folder)\n";
        } else {
            outlineFolders(object(root), "  ", out);
        }
    }
    return out;
}

TEST(ComAutomation, AClassThatIsNotInstalledFailsWithTheCreationsResult) {
    const struct {
        ScopedScriptedMapi::Extent extent;
        std::uint32_t number;
        const char* description;
    } cases[] = {
        {ScopedScriptedMapi::Extent::None, 0x800401F3, "Invalid class string"},
        {ScopedScriptedMapi::Extent::NameOnly, 0x80040154, "Class not registered"},
    };
    const auto automation = platform::createPlatformAutomation();
    for (const auto& c : cases) {
        ScopedScriptedMapi registration(c.extent);
        try {
            automation->createObject("MAPI.Session");
            ADD_FAILURE() << "created with extent " << static_cast<int>(c.extent);
        } catch (const AutomationError& error) {
            EXPECT_EQ(hex(error.number()), hex(static_cast<std::int32_t>(c.number)));
            EXPECT_EQ(error.source(), "MAPI.Session");
            EXPECT_NE(error.description().find(c.description), std::string::npos)
                << error.description();
        }
    }
}

TEST(ComAutomation, ReadsTheScriptedTreeAndReleasesEveryObject) {
    ScopedScriptedMapi registration;
    ObjectRef session = platform::createPlatformAutomation()->createObject("MAPI.Session");
    session->call("Logon", {std::string("Scripted"), std::string(), false});
    EXPECT_EQ(outlineStores(session),
              "Mailbox - Test [0000000038A1BB1005E5101AA1BB08002B2A56C2]\n"
              "  Inbox [INBOX-1] class 2\n"
              "    A [INBOX-A] class 2\n"
              "    B [INBOX-B] class 2\n"
              "      B1 [INBOX-B1] class 2\n"
              "  Sent Items [SENT-1] class 2\n"
              "  Restricted [RESTR-1] class 2\n"
              "    Visible [RESTR-V] class 2\n"
              "    raised 80070005 by Collaboration Data Objects: You do not have permission to "
              "view this folder. [MAPI 1.0 - [E_ACCESSDENIED(80070005)]]\n"
              "    After [RESTR-A] class 2\n"
              "  Entw\u00fcrfe [4711] class 2\n"
              "Public Folders [001ABCEF]\n"
              "  All Public Folders [0A0B0C] class 2\n"
              "    Notices [PUB-NOTICES] class 2\n"
              "Archive [42]\n"
              "  (no root folder)\n");
    EXPECT_EQ(ScopedScriptedMapi::liveObjects(), 1) << "only the session is still held";
    session->call("Logoff", {});
    session.reset();
    EXPECT_EQ(ScopedScriptedMapi::liveObjects(), 0);
}

TEST(ComAutomation, FailuresCarryNumberSourceAndDescription) {
    using Arguments = std::vector<platform::AutomationValue>;
    const struct {
        const char* what;
        std::function<void(platform::AutomationObject&)> act;
        std::uint32_t number;
        const char* source;
        const char* description;
    } cases[] = {
        {"refused logon",
         [](auto& s) {
             s.call("Logon", Arguments{std::string("Refus\u00e9 \u00dc"), std::string(), false});
         },
         0x80040111, "Collaboration Data Objects",
         "The profile \"Refus\u00e9 \u00dc\" refused the logon."},
        {"wCode without a source",
         [](auto& s) {
             s.call("Logon", Arguments{std::string("Scripted"), std::string(), true});
         },
         0x800405E8, "MAPI.Session", "No logon dialog here"},
        {"stores before the logon", [](auto& s) { s.get("InfoStores"); }, 0x80040605,
         "Collaboration Data Objects", "not logged on"},
        {"unknown member", [](auto& s) { s.get("Inbox"); }, 0x80020006, "MAPI.Session",
         "Unknown name"},
        {"method read as a property", [](auto& s) { s.get("Logon"); }, 0x80020003, "MAPI.Session",
         "Member not found"},
        {"missing arguments", [](auto& s) { s.call("Logon", Arguments{std::string("Scripted")}); },
         0x8002000E, "MAPI.Session", "Invalid number of parameters"},
        {"argument of another kind",
         [](auto& s) {
             s.call("Logon", Arguments{std::int32_t{1}, std::string(), false});
         },
         0x80020005, "MAPI.Session", "Type mismatch"},
    };
    ScopedScriptedMapi registration;
    const auto automation = platform::createPlatformAutomation();
    for (const auto& c : cases) {
        const ObjectRef session = automation->createObject("MAPI.Session");
        try {
            c.act(*session);
            ADD_FAILURE() << c.what << " succeeded";
        } catch (const AutomationError& error) {
            EXPECT_EQ(hex(error.number()), hex(static_cast<std::int32_t>(c.number))) << c.what;
            EXPECT_EQ(error.source(), c.source) << c.what;
            EXPECT_NE(error.description().find(c.description), std::string::npos)
                << c.what << ": " << error.description();
        }
    }
}

}  // namespace
