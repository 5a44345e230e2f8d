#include "platform/win32/HtmlHelpViewer.h"

#include <windows.h>

#include "platform/CodePage.h"

namespace platform {

namespace {
// From htmlhelp.h, which mingw-w64 ships without its import library.
constexpr unsigned int kHelpContext = 0x000F;  // HH_HELP_CONTEXT
constexpr unsigned int kCloseAll = 0x0012;     // HH_CLOSE_ALL
}  // namespace

HtmlHelpViewer::~HtmlHelpViewer() {
    if (used_ && htmlHelp_ != nullptr) {
        htmlHelp_(0, nullptr, kCloseAll, 0);
    }
}

HtmlHelpViewer::HtmlHelpFunction HtmlHelpViewer::load() {
    if (htmlHelp_ == nullptr) {
        // Stays loaded for the process's life: its windows run on its code.
        if (HMODULE module = LoadLibraryA("hhctrl.ocx")) {
            // Through the generic function type, which the compiler accepts as a go-between.
            const auto entry = reinterpret_cast<void (*)()>(GetProcAddress(module, "HtmlHelpA"));
            htmlHelp_ = reinterpret_cast<HtmlHelpFunction>(entry);
        }
    }
    return htmlHelp_;
}

bool HtmlHelpViewer::showTopic(const std::string& helpFile, int contextId,
                               std::uintptr_t ownerWindow) {
    const HtmlHelpFunction htmlHelp = load();
    if (htmlHelp == nullptr) {
        return false;
    }
    used_ = true;
    const std::string ansiFile = ansiCodePage().toAnsi(helpFile);
    return htmlHelp(ownerWindow, ansiFile.c_str(), kHelpContext,
                    static_cast<std::uintptr_t>(static_cast<unsigned int>(contextId))) != 0;
}

std::unique_ptr<Help> createPlatformHelp() {
    return std::make_unique<HtmlHelpViewer>();
}

}  // namespace platform
