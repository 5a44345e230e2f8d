#pragma once
// The help viewer for tests: records every request to open the help file.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Help.h"

namespace testsupport {

struct ShownHelpTopic {
    std::string helpFile;
    int contextId = 0;
    std::uintptr_t ownerWindow = 0;
};

class FakeHelp final : public platform::Help {
public:
    bool showTopic(const std::string& helpFile, int contextId, std::uintptr_t owner) override {
        shown_.push_back({helpFile, contextId, owner});
        return true;
    }
    const std::vector<ShownHelpTopic>& shown() const { return shown_; }

private:
    std::vector<ShownHelpTopic> shown_;
};

// Makes a FakeHelp the process-wide help while it lives.
class ScopedFakeHelp {
public:
    ScopedFakeHelp() { platform::installHelp(std::unique_ptr<FakeHelp>(help_)); }
    ~ScopedFakeHelp() { platform::installHelp(nullptr); }
    ScopedFakeHelp(const ScopedFakeHelp&) = delete;
    FakeHelp* operator->() const { return help_; }

private:
    FakeHelp* help_ = new FakeHelp;  // owned by the platform layer while installed
};

}  // namespace testsupport
