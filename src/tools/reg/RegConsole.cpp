#include "tools/reg/RegConsole.h"

#include "platform/TextCase.h"

namespace regtool {

bool RegConsole::confirm(const std::string& question) {
    out << question << " (Yes/No)? " << std::flush;
    std::string answer;
    if (!std::getline(in, answer)) {
        out << '\n';
        return false;
    }
    if (!answer.empty() && answer.back() == '\r') {
        answer.pop_back();
    }
    return platform::equalsIgnoreCase(answer, "y") || platform::equalsIgnoreCase(answer, "yes");
}

}  // namespace regtool
