// The failures of the real COM path and what they carry, from the scripted "MAPI.Session"
// server (tests/support/win32/ScriptedMapiServer.cpp); tests/mapi/win32 walks its whole tree.

#include <gtest/gtest.h>

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

std::function<void(platform::AutomationObject&)> logon(const Arguments& arguments) {
    return [arguments](platform::AutomationObject& session) { session.call("Logon", arguments); };
}

// The second sub-folder of "Restricted", whose error texts the server fills in deferred.
void readRestrictedFolder(platform::AutomationObject& session) {
    session.call("Logon", Arguments{std::string("Scripted"), std::string(), false});
    const ObjectRef stores = automationObject(session.get("InfoStores"));
    const ObjectRef root = automationObject(
        automationObject(stores->call("Item", {std::int16_t{1}}))->get("RootFolder"));
    const ObjectRef folders = automationObject(root->get("Folders"));
    folders->call("GetFirst", {});
    folders->call("GetNext", {});
    const ObjectRef restricted = automationObject(folders->call("GetNext", {}));
    const ObjectRef inside = automationObject(restricted->get("Folders"));
    inside->call("GetFirst", {});
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
        {"unknown member", Extent::Complete, [](auto& s) { s.get("Inbox"); }, 0x80020006,
         "MAPI.Session", "Unknown name"},
        {"method read as a property", Extent::Complete, [](auto& s) { s.get("Logon"); }, 0x80020003,
         "MAPI.Session", "Member not found"},
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
            EXPECT_EQ(static_cast<std::uint32_t>(error.number()), c.number);
            EXPECT_EQ(error.source(), c.source);
            EXPECT_NE(error.description().find(c.description), std::string::npos)
                << error.description();
        }
        EXPECT_EQ(ScopedScriptedMapi::liveObjects(), 0);
    }
}

}  // namespace
