#pragma once
// The sound device for tests: records every attempt to play a file and answers from a
// script of results, or with the fallback result when the script is used up.

#include <deque>
#include <string>
#include <vector>

#include "platform/Sound.h"

namespace testsupport {

class FakeSound final : public platform::Sound {
public:
    bool playFile(const std::string& path) override;

    // The next attempt returns this result.
    void queueResult(bool played) { results_.push_back(played); }
    // What attempts return once the queued results are used up (at first: true).
    void setFallbackResult(bool played) { fallback_ = played; }

    // The paths of every attempt, in order.
    const std::vector<std::string>& attempts() const { return attempts_; }

private:
    std::deque<bool> results_;
    bool fallback_ = true;
    std::vector<std::string> attempts_;
};

// Makes a FakeSound the process-wide sound output for the lifetime of this object;
// afterwards the platform's own comes back.
class ScopedFakeSound {
public:
    ScopedFakeSound();
    ~ScopedFakeSound();
    ScopedFakeSound(const ScopedFakeSound&) = delete;
    ScopedFakeSound& operator=(const ScopedFakeSound&) = delete;

    FakeSound& operator*() const { return *sound_; }
    FakeSound* operator->() const { return sound_; }

private:
    FakeSound* sound_;  // owned by the platform layer while installed
};

}  // namespace testsupport
