#include "registry/RegistryErrorText.h"

std::string RegistryErrorText(std::int32_t code) {
    switch (code) {
        case 2:
        case 1010:
            return "Bad Key Name!";
        case 4:
        case 1012:
            return "Can't Read Key";
        case 5:
            return "Access to this key is denied.";
        case 8:
        case 14:
            return "Out of memory";
        case 87:
            return "Invalid Parameter";
        case 234:
            return "Error - There is more data than the buffer can handle!";
        case 1009:
        case 1015:
            return "The Registry Database is corrupt!";
        case 1011:
            return "Can't Open Key";
        case 1013:
            return "Can't Write Key";
        default:
            // A non-negative number is printed with a leading blank, a negative one with its sign.
            return "Undefined Key Error Code" + std::string(code >= 0 ? " " : "") +
                   std::to_string(code) + "!";
    }
}
