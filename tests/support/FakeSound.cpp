#include "support/FakeSound.h"

namespace testsupport {

bool FakeSound::playFile(const std::string& path) {
    attempts_.push_back(path);
    if (results_.empty()) {
        return fallback_;
    }
    const bool played = results_.front();
    results_.pop_front();
    return played;
}

ScopedFakeSound::ScopedFakeSound() {
    auto owned = std::make_unique<FakeSound>();
    sound_ = owned.get();
    platform::installSound(std::move(owned));
}

ScopedFakeSound::~ScopedFakeSound() {
    platform::installSound(nullptr);
}

}  // namespace testsupport
