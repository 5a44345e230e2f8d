#pragma once
// Records every attempt to play a file and answers with the result set (at first: played).

#include <string>
#include <vector>

#include "platform/Sound.h"
#include "support/FakeHelp.h"

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

using ScopedFakeSound = ScopedFake<FakeSound, platform::installSound>;

}  // namespace testsupport
