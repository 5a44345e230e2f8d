#pragma once
// Message boxes and the file-open dialog with Qt Widgets, laid out as Windows lays out the
// style numbers: buttons, icon and default button.

#include "platform/Prompts.h"

namespace platform {

class QtPrompts final : public Prompts {
public:
    // Modal over the active window. Line breaks written as CR LF or LF CR show as one
    // break; the text is shown as plain text, never as markup.
    int messageBox(const std::string& text, int style, const std::string& title) override;
    // Accepts only an existing file; returns its full path with the platform's separators.
    std::optional<std::string> openFile(const std::string& title,
                                        const std::string& filter) override;
};

}  // namespace platform
