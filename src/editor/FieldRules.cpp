#include "editor/FieldRules.h"

namespace editor {

std::optional<ServerTypeFields> ServerTypeRules(int serverType) {
    switch (serverType) {
        case kExchangeFolder:
            return ServerTypeFields{true, false, false, true, false};
        case kExchangeProfile:
            return ServerTypeFields{true, false, false, false, false};
        case kExchangePassword:
            return ServerTypeFields{true, true, false, false, false};
        case kInternetMail:
            return ServerTypeFields{false, true, true, false, true};
        default:
            return std::nullopt;
    }
}

FieldEnabling EnabledFields(const RuleInputs& in) {
    const bool e = in.enabled;
    // Without a valid type the type-dependent controls stay as the editor's own switch
    // left them.
    const auto type =
        ServerTypeRules(in.serverType).value_or(ServerTypeFields{true, true, true, true, false});
    FieldEnabling out;
    out.general = e;
    out.profileButtons = e && type.profileButtons;
    out.password = e && type.password;
    out.internetServer = e && type.internetServer;
    out.exchangeFolder = e && type.exchangeFolder;
    out.soundOptions = e && in.alarm;
    out.wavFields = e && in.alarm && in.soundCard;
    out.popupWin = e && !in.runEClient;
    out.runEClient = e && !in.popupWin;
    return out;
}

}  // namespace editor
