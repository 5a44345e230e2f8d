#include <iostream>

#include "platform/AppInfo.h"
#include "platform/Prompts.h"
#include "platform/ServiceSlot.h"

namespace platform {

namespace {

// Used by programs without windows: nobody can answer, so the default button wins.
class ConsolePrompts final : public Prompts {
public:
    int messageBox(const std::string& text, int style, const std::string& title) override {
        std::cerr << (title.empty() ? kApplicationTitle : title) << ": " << text << '\n';
        const bool yesNo = (style & 7) == msgbox::kYesNo;
        if (!yesNo) {
            return msgbox::kAnswerOk;
        }
        return (style & msgbox::kDefaultButton2) ? msgbox::kAnswerNo : msgbox::kAnswerYes;
    }
    std::optional<std::string> openFile(const std::string&, const std::string&) override {
        return std::nullopt;
    }
};

}  // namespace

Prompts& prompts() {
    return ServiceSlot<Prompts>::process().get([] { return std::make_unique<ConsolePrompts>(); });
}

void installPrompts(std::unique_ptr<Prompts> replacement) {
    ServiceSlot<Prompts>::process().install(std::move(replacement));
}

}  // namespace platform
