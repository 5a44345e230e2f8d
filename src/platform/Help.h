#pragma once
// Opening the program's help file at the topic of a help context number (the F1 key).

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

class Help {
public:
    virtual ~Help() = default;
    // Opens `helpFile` (UTF-8 full path) at the topic of `contextId` and returns without
    // waiting for the viewer. `ownerWindow` is the native handle of the window asking (its
    // HWND on Windows, where the viewer stays above it), or 0. False when no viewer could
    // be started.
    virtual bool showTopic(const std::string& helpFile, int contextId,
                           std::uintptr_t ownerWindow) = 0;
};

// The process-wide help. Before one is installed: the platform's own viewer, or where
// there is none, a line on standard error.
Help& help();
// Replaces it (the windows install a viewer of their own where the platform has none;
// tests install a fake; null brings the default back).
void installHelp(std::unique_ptr<Help> replacement);
// The platform's own help viewer (HTML Help on Windows), or null where it has none.
std::unique_ptr<Help> createPlatformHelp();

}  // namespace platform
