#pragma once
// Modal questions to the user: message boxes and the file-open dialog.
// The windows install the toolkit's implementation; tests install a scripted fake.

#include <memory>
#include <optional>
#include <string>

namespace platform {

// Message box style numbers (buttons + icon + default button), as Windows numbers them.
namespace msgbox {
constexpr int kOkOnly = 0;
constexpr int kYesNo = 4;
constexpr int kCritical = 16;
constexpr int kQuestion = 32;
constexpr int kExclamation = 48;
constexpr int kDefaultButton2 = 256;
// Answers.
constexpr int kAnswerOk = 1;
constexpr int kAnswerYes = 6;
constexpr int kAnswerNo = 7;
}  // namespace msgbox

class Prompts {
public:
    virtual ~Prompts() = default;
    // Shows a modal message box and returns the answer (kAnswerOk, kAnswerYes, kAnswerNo).
    // An empty title means the application's title.
    virtual int messageBox(const std::string& text, int style, const std::string& title) = 0;
    // Shows a file-open dialog. `filter` is in the "description|patterns|..." form.
    // Returns the chosen full path, or nothing when the user cancelled.
    virtual std::optional<std::string> openFile(const std::string& title,
                                                const std::string& filter) = 0;
};

// The process-wide prompts. Before a window installs its own, boxes are written to
// standard error and answered with their default button.
Prompts& prompts();
void installPrompts(std::unique_ptr<Prompts> replacement);

}  // namespace platform
