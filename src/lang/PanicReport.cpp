#include "lang/PanicReport.h"

#include "platform/Prompts.h"

namespace modReadLang {

std::string panicText(std::string_view operation, const LangError& error) {
    // The breaks are LF CR, not CR LF: the text is fixed break for break, since people
    // compare it with reports they have seen before.
    std::string text = "Function ";
    text += operation;
    text += "() panic!\n\r\n\r";
    text += "Error number: #" + std::to_string(error.number()) + "\n\r";
    text += "Error description: \"" + error.description() + "\"";
    return text;
}

void reportPanic(std::string_view operation, const LangError& error) {
    platform::prompts().messageBox(panicText(operation, error), platform::msgbox::kCritical,
                                   std::string());
}

}  // namespace modReadLang
