#include "platform/posix/mail/MailErrors.h"

#include <cstdio>

namespace mail {

namespace {

const char* symbolOf(MailFailure failure) {
    switch (failure) {
        case MailFailure::NotFound:
            return "MAPI_E_NOT_FOUND";
        case MailFailure::LogonFailed:
            return "MAPI_E_LOGON_FAILED";
        case MailFailure::NetworkError:
            return "MAPI_E_NETWORK_ERROR";
        case MailFailure::CorruptData:
            return "MAPI_E_CORRUPT_DATA";
        case MailFailure::Timeout:
            return "MAPI_E_TIMEOUT";
        case MailFailure::NotInitialized:
            return "MAPI_E_NOT_INITIALIZED";
    }
    return "MAPI_E_CALL_FAILED";
}

}  // namespace

platform::AutomationError mailError(MailFailure failure, const std::string& description) {
    const auto number = static_cast<std::int32_t>(failure);
    char code[16];
    std::snprintf(code, sizeof code, "%08X", static_cast<unsigned>(number));
    return platform::AutomationError(
        number, std::string("MAPI.Session - [") + symbolOf(failure) + "(" + code + ")]",
        description);
}

}  // namespace mail
