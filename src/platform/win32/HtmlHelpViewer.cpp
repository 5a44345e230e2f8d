#include "platform/win32/HtmlHelpViewer.h"

#include <windows.h>

#include "platform/CodePage.h"
#include "platform/win32/ChmStorageTopic.h"

namespace platform {

namespace {
// From htmlhelp.h, which mingw-w64 ships without its import library.
constexpr unsigned int kDisplayTopic = 0x0000;  // HH_DISPLAY_TOPIC
constexpr unsigned int kHelpContext = 0x000F;   // HH_HELP_CONTEXT
constexpr unsigned int kCloseAll = 0x0012;      // HH_CLOSE_ALL
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
    // Free Pascal's chmcmd, which compiles our help files, names the topics of the context
    // map by their full source path on the compiling machine, which HTML Help would look for
    // inside the file in vain; the map is therefore read here and the topic opened by name.
    if (const auto topic = chmTopicOfContext(helpFile, static_cast<std::uint32_t>(contextId))) {
        const std::string address = ansiFile + "::" + ansiCodePage().toAnsi(*topic);
        return htmlHelp(ownerWindow, address.c_str(), kDisplayTopic, 0) != 0;
    }
    // Any other file, or one it cannot read: HTML Help finds the topic, or says what it
    // cannot find.
    return htmlHelp(ownerWindow, ansiFile.c_str(), kHelpContext,
                    static_cast<std::uintptr_t>(static_cast<unsigned int>(contextId))) != 0;
}

std::unique_ptr<Help> createPlatformHelp() {
    return std::make_unique<HtmlHelpViewer>();
}

}  // namespace platform
