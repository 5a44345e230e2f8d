#pragma once
// WAV playback on Windows: PlaySound of winmm with the file name, synchronous.

#include "platform/Sound.h"

namespace platform {

class WinMmSound final : public Sound {
public:
    bool playFile(const std::string& path) override;
};

}  // namespace platform
