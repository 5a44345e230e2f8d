#include "support/win32/ScopedScriptedMapi.h"

#include <windows.h>

#include <string>

namespace testsupport {

namespace {

// The server is built beside the tests and exports its count of objects alive.
constexpr wchar_t kScriptedMapiDll[] = L"qb_scripted_mapi.dll";
constexpr wchar_t kScriptedMapiClassText[] = L"{9F3B6C2E-4A51-4D7B-9E0C-5B2A7D1E8F30}";
const std::wstring kProgId = L"Software\\Classes\\MAPI.Session";
const std::wstring kClass = std::wstring(L"Software\\Classes\\CLSID\\") + kScriptedMapiClassText;

void removeRegistration() {
    for (const HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        RegDeleteTreeW(root, kProgId.c_str());
        RegDeleteTreeW(root, kClass.c_str());
    }
}

// Windows merges the user's classes into HKEY_CLASSES_ROOT, Wine only the machine's: both get
// them, where the test may write.
void setText(const std::wstring& key, const wchar_t* name, const std::wstring& text) {
    for (const HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        RegSetKeyValueW(root, key.c_str(), name, REG_SZ, text.c_str(),
                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
}

}  // namespace

ScopedScriptedMapi::ScopedScriptedMapi(Extent extent) {
    removeRegistration();
    if (extent != Extent::None) {
        setText(kProgId + L"\\CLSID", nullptr, kScriptedMapiClassText);
    }
    if (extent == Extent::Complete) {
        wchar_t path[MAX_PATH] = {};
        const std::wstring program(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
        const std::wstring server = program.substr(0, program.find_last_of(L"\\/") + 1);
        setText(kClass + L"\\InprocServer32", nullptr, server + kScriptedMapiDll);
        setText(kClass + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
    }
}

ScopedScriptedMapi::~ScopedScriptedMapi() {
    removeRegistration();
}

long ScopedScriptedMapi::liveObjects() {
    const HMODULE server = GetModuleHandleW(kScriptedMapiDll);
    const FARPROC found = server ? GetProcAddress(server, "ScriptedMapiLiveObjects") : nullptr;
    // FARPROC stands for any function; the export's own type is LONG WINAPI ().
    const auto count = reinterpret_cast<LONG(WINAPI*)()>(reinterpret_cast<void*>(found));
    return count ? count() : 0;
}

}  // namespace testsupport
