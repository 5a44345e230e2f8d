#pragma once
// A failure inside one of the language file routines, with the number and English
// description that its panic message shows. The routine that meets it also catches it.

#include <stdexcept>
#include <string>
#include <system_error>

namespace modReadLang {

class LangError : public std::runtime_error {
public:
    LangError(int number, const std::string& description);

    int number() const { return number_; }
    std::string description() const { return what(); }

    // A value part without its two double quotes.
    static LangError invalidArgument();
    // More lines than a 16-bit line position can count.
    static LangError overflow();
    static LangError outOfMemory();
    // A file that cannot be opened or read, by the operating system's reason.
    static LangError fileError(const std::error_code& reason);
    // Anything unforeseen.
    static LangError internal();

private:
    int number_;
};

}  // namespace modReadLang
