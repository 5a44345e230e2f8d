#include "lang/LangError.h"

namespace modReadLang {

LangError::LangError(int number, const std::string& description)
    : std::runtime_error(description), number_(number) {}

// The numbers and wording are those of the classic Windows runtime, which users of
// language files may already know from other programs.
LangError LangError::invalidArgument() {
    return {5, "Invalid procedure call or argument"};
}

LangError LangError::overflow() {
    return {6, "Overflow"};
}

LangError LangError::outOfMemory() {
    return {7, "Out of memory"};
}

LangError LangError::internal() {
    return {51, "Internal error"};
}

LangError LangError::fileError(const std::error_code& reason) {
    const auto condition = reason.default_error_condition();
    if (condition == std::errc::no_such_file_or_directory ||
        condition == std::errc::not_a_directory) {
        return {53, "File not found"};
    }
    if (condition == std::errc::permission_denied ||
        condition == std::errc::operation_not_permitted) {
        return {70, "Permission denied"};
    }
    if (condition == std::errc::io_error) {
        return {57, "Device I/O error"};
    }
    return {75, "Path/File access error"};
}

}  // namespace modReadLang
