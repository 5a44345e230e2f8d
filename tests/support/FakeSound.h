#pragma once
// The sound device for tests: records every attempt to play a file and answers with the
// result set (at first: played).

#include <string>
#include <vector>

#include "platform/Sound.h"

namespace testsupport {

class FakeSound final : public platform::Sound {
public:
    bool playFile(const std::string& path) override {
        attempts_.push_back(path);
        return result_;
    }
    void setFallbackResult(bool played) { result_ = played; }
    const std::vector<std::string>& attempts() const { return attempts_; }

private:
    bool result_ = true;
    std::vector<std::string> attempts_;
};

// Makes a FakeSound the process-wide sound output while it lives; then the platform's own.
class ScopedFakeSound {
public:
    ScopedFakeSound() { platform::installSound(std::unique_ptr<FakeSound>(sound_)); }
    ~ScopedFakeSound() { platform::installSound(nullptr); }
    ScopedFakeSound(const ScopedFakeSound&) = delete;
    FakeSound* operator->() const { return sound_; }

private:
    FakeSound* sound_ = new FakeSound;  // owned by the platform layer while installed
};

}  // namespace testsupport
