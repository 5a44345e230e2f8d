#pragma once
// Which editor fields the server type lets the user edit.

#include <optional>

namespace editor {

// Server types as stored in EServType.
enum ServerType : int {
    kExchangeFolder = 0,    // MAPI profile and an Exchange folder
    kExchangeProfile = 1,   // MAPI profile alone
    kExchangePassword = 2,  // MAPI profile and a password
    kInternetMail = 3,      // account name, password, server and port
};

// What a server type enables, and which caption the account label takes.
struct ServerTypeFields {
    bool profileButtons = false;
    bool password = false;
    bool internetServer = false;
    bool exchangeFolder = false;
    bool accountNameCaption = false;  // "Name:" rather than the Exchange profile caption

    bool operator==(const ServerTypeFields&) const = default;
};

// Nothing for a type outside 0 to 3: such a type changes no control.
std::optional<ServerTypeFields> ServerTypeRules(int serverType);

}  // namespace editor
