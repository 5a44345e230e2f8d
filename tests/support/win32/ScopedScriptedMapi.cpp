#include "support/win32/ScopedScriptedMapi.h"

#include <windows.h>

#include <string>

namespace testsupport {

namespace {

const std::wstring kProgId = L"Software\\Classes\\MAPI.Session";
const std::wstring kClass = std::wstring(L"Software\\Classes\\CLSID\\") + kScriptedMapiClassText;

void removeRegistration() {
    for (const HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        RegDeleteTreeW(root, kProgId.c_str());
        RegDeleteTreeW(root, kClass.c_str());
    }
}

// Windows merges the user's classes into HKEY_CLASSES_ROOT; Wine shows only the machine's
// there, so where the user's do not show, the test prefix gets them machine-wide.
HKEY classesRoot() {
    static const HKEY root = [] {
        const wchar_t* probe = L"Software\\Classes\\QuillbellTestProbe";
        RegSetKeyValueW(HKEY_CURRENT_USER, probe, nullptr, REG_SZ, L"", sizeof(wchar_t));
        HKEY key = nullptr;
        const bool merged =
            RegOpenKeyExW(HKEY_CLASSES_ROOT, L"QuillbellTestProbe", 0, KEY_READ, &key) == 0;
        if (key) {
            RegCloseKey(key);
        }
        RegDeleteTreeW(HKEY_CURRENT_USER, probe);
        return merged ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    }();
    return root;
}

void setText(const std::wstring& key, const wchar_t* name, const std::wstring& text) {
    RegSetKeyValueW(classesRoot(), key.c_str(), name, REG_SZ, text.c_str(),
                    static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
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
