#pragma once
// WAV playback on Linux desktops: libsndfile decodes the file (WaveFile), PulseAudio's
// simple API (also served by PipeWire) plays it and says when the last sample was heard.

#include "platform/Sound.h"

namespace platform {

class PulseSound final : public Sound {
public:
    bool playFile(const std::string& path) override;
};

}  // namespace platform
