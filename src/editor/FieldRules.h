#pragma once
// Which editor fields may be edited, as a pure function of the editor's state. The
// window applies the rules step by step as its controls change; this is the table
// those steps must always arrive at.

#include <optional>

namespace editor {

// Server types as stored in EServType.
enum ServerType : int {
    kExchangeFolder = 0,    // MAPI profile and an Exchange folder
    kExchangeProfile = 1,   // MAPI profile alone
    kExchangePassword = 2,  // MAPI profile and a password
    kInternetMail = 3,      // account name, password, server and port
};

struct RuleInputs {
    bool enabled = false;     // E: the configuration is checked, not paused
    int serverType = -1;      // T: 0 to 3, -1 when nothing is chosen
    bool alarm = false;       // A: cbAlarm checked
    bool soundCard = false;   // S: "Use sound card" selected
    bool popupWin = false;    // P: cbPopupWin checked
    bool runEClient = false;  // R: cbRunEClient checked
};

// The enabled state of every governed control, by group.
struct FieldEnabling {
    bool general = false;         // name, type, account, client, frequency, alarm, wait
    bool profileButtons = false;  // keySelectProf, keyDefProf
    bool password = false;        // lblUserPassword, txtUserPassword
    bool internetServer = false;  // server and port labels and fields
    bool exchangeFolder = false;  // lblExFolder, txtExFolder, keyExFolder
    bool soundOptions = false;    // both obSoundOption elements
    bool wavFields = false;       // lblWavFile, txtWavName, keySelectWav, keyPlayWav
    bool popupWin = false;        // cbPopupWin
    bool runEClient = false;      // cbRunEClient

    bool operator==(const FieldEnabling&) const = default;
};

// A type outside 0 to 3 governs nothing: the type-dependent controls then follow E.
FieldEnabling EnabledFields(const RuleInputs& in);

// The part of the table that depends on the server type alone, and which caption the
// account label takes.
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
