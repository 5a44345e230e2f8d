#pragma once
// The failures of the mail session, numbered as the Exchange client library numbers its
// own (MAPI error codes), so that a folder browser shows what an Exchange user would see.

#include <cstdint>
#include <string>

#include "platform/Automation.h"

namespace mail {

enum class MailFailure : std::int32_t {
    // The profile does not exist, or a store's directory is missing.
    NotFound = static_cast<std::int32_t>(0x8004010F),  // MAPI_E_NOT_FOUND
    // The server refused the account name or the password.
    LogonFailed = static_cast<std::int32_t>(0x80040111),  // MAPI_E_LOGON_FAILED
    // The server cannot be reached, refused the connection or broke it off.
    NetworkError = static_cast<std::int32_t>(0x80040115),  // MAPI_E_NETWORK_ERROR
    // A stored value of the profile cannot be used (a malformed store URL).
    CorruptData = static_cast<std::int32_t>(0x8004011B),  // MAPI_E_CORRUPT_DATA
    // The server said nothing for longer than the timeout.
    Timeout = static_cast<std::int32_t>(0x80040401),  // MAPI_E_TIMEOUT
    // A member of the session was used before Logon or after Logoff.
    NotInitialized = static_cast<std::int32_t>(0x80040605),  // MAPI_E_NOT_INITIALIZED
};

// The error a script sees; its source names the session and the code's symbol.
platform::AutomationError mailError(MailFailure failure, const std::string& description);

}  // namespace mail
