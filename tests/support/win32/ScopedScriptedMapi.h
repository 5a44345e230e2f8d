#pragma once
// Registers the scripted "MAPI.Session" server (ScriptedMapiServer.cpp) while it lives, and
// removes it again, leftovers of an earlier run included. Its methods never call into COM.

namespace testsupport {

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
