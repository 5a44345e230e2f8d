#pragma once
// Opens the help file with the desktop's handler for its file type, for platforms whose
// own help viewer cannot be called by topic.

#include "platform/Help.h"

namespace platform {

class DesktopHelp final : public Help {
public:
    // The desktop's handler opens a file, not a topic: the context number cannot be
    // honoured here, and the file opens at its start.
    bool showTopic(const std::string& helpFile, int contextId, std::uintptr_t ownerWindow) override;
};

}  // namespace platform
