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

}  // namespace editor
