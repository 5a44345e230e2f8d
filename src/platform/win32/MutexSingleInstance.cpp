#include "platform/win32/MutexSingleInstance.h"

#include <windows.h>

namespace platform {

MutexSingleInstance::MutexSingleInstance(const std::string& name) {
    // "Local\": one claim per logon session, so another user's copy does not count.
    const std::string objectName = "Local\\" + (name.empty() ? std::string(kInstanceName) : name);
    HANDLE mutex = CreateMutexA(nullptr, FALSE, objectName.c_str());
    const DWORD error = GetLastError();
    if (mutex == nullptr) {
        // Denied means it exists, made under other security; any other failure cannot be
        // checked, and the program runs rather than lock the user out.
        first_ = error != ERROR_ACCESS_DENIED;
        return;
    }
    if (error == ERROR_ALREADY_EXISTS) {
        first_ = false;
        CloseHandle(mutex);
        return;
    }
    mutex_ = mutex;
}

MutexSingleInstance::~MutexSingleInstance() {
    if (mutex_ != nullptr) {
        CloseHandle(static_cast<HANDLE>(mutex_));
    }
}

std::unique_ptr<SingleInstance> claimSingleInstance(const std::string& name) {
    return std::make_unique<MutexSingleInstance>(name);
}

}  // namespace platform
