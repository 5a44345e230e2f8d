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

// Makes a Fake the process-wide service that `install` sets while it lives.
template <typename Fake, auto install>
class ScopedFake {
public:
    ScopedFake() { install(std::unique_ptr<Fake>(fake_)); }
    ~ScopedFake() { install(nullptr); }
    ScopedFake(const ScopedFake&) = delete;
    Fake* operator->() const { return fake_; }

private:
    Fake* fake_ = new Fake;  // owned by the platform layer while installed
};

using ScopedFakeHelp = ScopedFake<FakeHelp, platform::installHelp>;

}  // namespace testsupport
