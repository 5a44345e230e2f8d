#pragma once
// What the scripted "MAPI.Session" server and its registration agree on.

#include <guiddef.h>

namespace testsupport {

inline constexpr wchar_t kScriptedMapiProgId[] = L"MAPI.Session";
inline constexpr wchar_t kScriptedMapiClassText[] = L"{9F3B6C2E-4A51-4D7B-9E0C-5B2A7D1E8F30}";
inline constexpr GUID kScriptedMapiClass = {
    0x9f3b6c2e, 0x4a51, 0x4d7b, {0x9e, 0x0c, 0x5b, 0x2a, 0x7d, 0x1e, 0x8f, 0x30}};
// Built beside the test programs.
inline constexpr wchar_t kScriptedMapiDll[] = L"qb_scripted_mapi.dll";
// The server's export that counts its objects alive.
inline constexpr char kScriptedMapiLiveObjects[] = "ScriptedMapiLiveObjects";

}  // namespace testsupport
