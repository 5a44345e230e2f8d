#include "support/win32/ScopedScriptedMapi.h"

#include <windows.h>

#include <string>

#include "support/win32/ScriptedMapiClass.h"

namespace testsupport {

namespace {

const std::wstring kClasses = L"Software\\Classes\\";

void removeRegistration() {
    for (const HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        RegDeleteTreeW(root, (kClasses + kScriptedMapiProgId).c_str());
        RegDeleteTreeW(root, (kClasses + L"CLSID\\" + kScriptedMapiClassText).c_str());
    }
}

// Windows merges the user's classes into HKEY_CLASSES_ROOT; Wine shows only the machine's
// there, so where the user's do not show, the test prefix gets them machine-wide.
HKEY classesRoot() {
    static const HKEY root = [] {
        const std::wstring probe = kClasses + L"QuillbellTestProbe";
        RegSetKeyValueW(HKEY_CURRENT_USER, probe.c_str(), nullptr, REG_SZ, L"", sizeof(wchar_t));
        HKEY key = nullptr;
        const bool merged =
            RegOpenKeyExW(HKEY_CLASSES_ROOT, L"QuillbellTestProbe", 0, KEY_READ, &key) == 0;
        if (key) {
            RegCloseKey(key);
        }
        RegDeleteTreeW(HKEY_CURRENT_USER, probe.c_str());
        return merged ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    }();
    return root;
}

void setText(const std::wstring& key, const wchar_t* name, const std::wstring& text) {
    RegSetKeyValueW(classesRoot(), key.c_str(), name, REG_SZ, text.c_str(),
                    static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

std::wstring besideThisProgram(const wchar_t* file) {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + file;
}

}  // namespace

ScopedScriptedMapi::ScopedScriptedMapi(Extent extent) {
    removeRegistration();
    if (extent == Extent::None) {
        return;
    }
    setText(kClasses + kScriptedMapiProgId + L"\\CLSID", nullptr, kScriptedMapiClassText);
    if (extent != Extent::Complete) {
        return;
    }
    const std::wstring server =
        kClasses + L"CLSID\\" + kScriptedMapiClassText + L"\\InprocServer32";
    setText(server, nullptr, besideThisProgram(kScriptedMapiDll));
    setText(server, L"ThreadingModel", L"Apartment");
}

ScopedScriptedMapi::~ScopedScriptedMapi() {
    removeRegistration();
}

long ScopedScriptedMapi::liveObjects() {
    const HMODULE server = GetModuleHandleW(kScriptedMapiDll);
    const FARPROC found = server ? GetProcAddress(server, kScriptedMapiLiveObjects) : nullptr;
    // FARPROC stands for any function; the export's own type is LONG WINAPI ().
    const auto count = reinterpret_cast<LONG(WINAPI*)()>(reinterpret_cast<void*>(found));
    return count ? count() : 0;
}

}  // namespace testsupport
