#pragma once
// The Windows help viewer: HtmlHelpA of hhctrl.ocx, loaded when help is first asked for,
// so that the program starts also where HTML Help is not installed.

#include "platform/Help.h"

namespace platform {

class HtmlHelpViewer final : public Help {
public:
    HtmlHelpViewer() = default;
    // Closes the help windows this process opened: HTML Help may crash a process that
    // ends with its windows still open.
    ~HtmlHelpViewer() override;
    HtmlHelpViewer(const HtmlHelpViewer&) = delete;
    HtmlHelpViewer& operator=(const HtmlHelpViewer&) = delete;

    bool showTopic(const std::string& helpFile, int contextId, std::uintptr_t ownerWindow) override;

private:
    using HtmlHelpFunction = std::uintptr_t(__stdcall*)(std::uintptr_t owner, const char* file,
                                                        unsigned int command, std::uintptr_t data);
    HtmlHelpFunction load();

    HtmlHelpFunction htmlHelp_ = nullptr;
    bool used_ = false;
};

}  // namespace platform
