// The automation objects of Windows, reached through the real COM path: the scripted
// "MAPI.Session" server (tests/support/win32/ScriptedMapiServer.cpp) registered for the user.
// tests/mapi/win32 walks its whole tree; these are the failures and what they carry.

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "platform/Automation.h"
#include "support/win32/ScopedScriptedMapi.h"

namespace {

using platform::AutomationError;
using platform::automationObject;
using platform::ObjectRef;
using testsupport::ScopedScriptedMapi;
using Arguments = std::vector<platform::AutomationValue>;
using Extent = ScopedScriptedMapi::Extent;

std::string hex(std::uint32_t number) {
    char text[12];
    std::snprintf(text, sizeof text, "%08X", number);
    return text;
}

std::function<void(platform::AutomationObject&)> logon(const Arguments& arguments) {
    return [arguments](platform::AutomationObject& session) { session.call("Logon", arguments); };
}

// The second sub-folder of "Restricted", whose error texts the server fills in deferred.
// tests/mapi/win32 reads the whole tree: IDs as numbers and bytes, Nothing, non-ASCII names.
void readRestrictedFolder(platform::AutomationObject& session) {
    session.call("Logon", Arguments{std::string("Scripted"), std::string(), false});
    const ObjectRef stores = automationObject(session.get("InfoStores"));
    const ObjectRef root = automationObject(
        automationObject(stores->call("Item", {std::int16_t{1}}))->get("RootFolder"));
    const ObjectRef folders = automationObject(root->get("Folders"));
    folders->call("GetFirst", {});
    const ObjectRef sent = automationObject(folders->call("GetNext", {}));
    EXPECT_EQ(platform::automationText(sent->get("ID")), "SENT-1");  // returned by reference
    const ObjectRef restricted = automationObject(folders->call("GetNext", {}));
    const ObjectRef inside = automationObject(restricted->get("Folders"));
    EXPECT_EQ(platform::automationText(automationObject(inside->call("GetFirst", {}))->get("ID")),
              "RESTR-V");
    inside->call("GetNext", {});
}

TEST(ComAutomation, FailuresCarryNumberSourceAndDescriptionAndReleaseEveryObject) {
    const struct {
        const char* what;
        Extent extent;
        std::function<void(platform::AutomationObject&)> act;
        std::uint32_t number;
        const char* source;
        const char* description;
    } cases[] = {
        {"class not installed", Extent::None, nullptr, 0x800401F3, "MAPI.Session",
         "Invalid class string"},
        {"class without a server", Extent::NameOnly, nullptr, 0x80040154, "MAPI.Session",
         "Class not registered"},
        {"refused logon", Extent::Complete,
         logon({std::string("Refus\u00e9 \u00dc"), std::string(), false}), 0x80040111,
         "Collaboration Data Objects", "The profile \"Refus\u00e9 \u00dc\" refused the logon."},
        {"wCode without a source", Extent::Complete,
         logon({std::string("Scripted"), std::string(), true}), 0x800405E8, "MAPI.Session",
         "No logon dialog here"},
        {"texts filled in deferred", Extent::Complete, readRestrictedFolder, 0x80070005,
         "Collaboration Data Objects",
         "You do not have permission to view this folder. [MAPI 1.0 - [E_ACCESSDENIED(80070005)]]"},
        {"stores before the logon", Extent::Complete, [](auto& s) { s.get("InfoStores"); },
         0x80040605, "Collaboration Data Objects", "not logged on"},
        {"unknown member", Extent::Complete, [](auto& s) { s.get("Inbox"); }, 0x80020006,
         "MAPI.Session", "Unknown name"},
        {"method read as a property", Extent::Complete, [](auto& s) { s.get("Logon"); }, 0x80020003,
         "MAPI.Session", "Member not found"},
        {"missing arguments", Extent::Complete, logon({std::string("Scripted")}), 0x8002000E,
         "MAPI.Session", "Invalid number of parameters"},
        {"argument of another kind", Extent::Complete,
         logon({std::int32_t{1}, std::string(), false}), 0x80020005, "MAPI.Session",
         "Type mismatch"},
    };
    const auto automation = platform::createPlatformAutomation();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScopedScriptedMapi registration(c.extent);
        try {
            const ObjectRef session = automation->createObject("MAPI.Session");
            if (c.act) {
                c.act(*session);
            }
            ADD_FAILURE() << "succeeded";
        } catch (const AutomationError& error) {
            EXPECT_EQ(hex(static_cast<std::uint32_t>(error.number())), hex(c.number));
            EXPECT_EQ(error.source(), c.source);
            EXPECT_NE(error.description().find(c.description), std::string::npos)
                << error.description();
        }
        EXPECT_EQ(ScopedScriptedMapi::liveObjects(), 0);
    }
}

}  // namespace
