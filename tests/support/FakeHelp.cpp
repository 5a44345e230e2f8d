#include "support/FakeHelp.h"

namespace testsupport {

bool FakeHelp::showTopic(const std::string& helpFile, int contextId, std::uintptr_t ownerWindow) {
    shown_.push_back({helpFile, contextId, ownerWindow});
    return true;
}

ScopedFakeHelp::ScopedFakeHelp() {
    auto owned = std::make_unique<FakeHelp>();
    help_ = owned.get();
    platform::installHelp(std::move(owned));
}

ScopedFakeHelp::~ScopedFakeHelp() {
    platform::installHelp(nullptr);
}

}  // namespace testsupport
