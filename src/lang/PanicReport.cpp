#include "lang/PanicReport.h"

#include "platform/Prompts.h"

namespace modReadLang {

std::string panicText(std::string_view operation, const LangError& error) {
    // Every line break is LF then CR, in that order: that is how the message has always
    // been assembled, and what anybody comparing reports will see.
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
