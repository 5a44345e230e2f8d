#pragma once
// Help on Linux: our own viewer of the compiled help file (.chm), opened at the topic its
// context map gives for the number asked. One viewer serves the whole program.

#include <QPointer>

#include "platform/Help.h"
#include "platform/qt/HelpViewer.h"

namespace platform {

class ChmHelp final : public Help {
public:
    ~ChmHelp() override;

    // A missing or damaged help file, or a number the file does not map, is reported in a
    // message box (style 48) and gives false.
    bool showTopic(const std::string& helpFile, int contextId, std::uintptr_t ownerWindow) override;

    // The viewer, once help has been shown (for the tests).
    HelpViewer* viewer() const { return viewer_; }

private:
    HelpViewer& viewerFor(std::uintptr_t ownerWindow);

    QPointer<HelpViewer> viewer_;
};

}  // namespace platform
