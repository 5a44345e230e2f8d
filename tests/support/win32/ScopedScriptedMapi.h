#pragma once
// Registers the scripted "MAPI.Session" server (ScriptedMapiServer.cpp) while it lives, and
// removes it again, leftovers of an earlier run included. Its methods never call into COM.

#include <guiddef.h>

namespace testsupport {

// What the server and its registration agree on. The server is built beside the tests and
// exports its count of objects alive.
inline constexpr wchar_t kScriptedMapiClassText[] = L"{9F3B6C2E-4A51-4D7B-9E0C-5B2A7D1E8F30}";
inline constexpr GUID kScriptedMapiClass = {
    0x9f3b6c2e, 0x4a51, 0x4d7b, {0x9e, 0x0c, 0x5b, 0x2a, 0x7d, 0x1e, 0x8f, 0x30}};
inline constexpr wchar_t kScriptedMapiDll[] = L"qb_scripted_mapi.dll";

class ScopedScriptedMapi {
public:
    enum class Extent {
        None,      // nothing registered: the class name is unknown
        NameOnly,  // the class name leads to a class identifier that is not registered
        Complete,
    };

    explicit ScopedScriptedMapi(Extent extent = Extent::Complete);
    ~ScopedScriptedMapi();
    ScopedScriptedMapi(const ScopedScriptedMapi&) = delete;
    ScopedScriptedMapi& operator=(const ScopedScriptedMapi&) = delete;

    // The server's objects alive now; 0 while COM has not loaded it.
    static long liveObjects();
};

}  // namespace testsupport
