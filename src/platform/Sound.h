#pragma once
// Playing an audio file for the alarm's test button the way PlaySound(path, 0, SND_FILENAME)
// does: synchronously, to the end of the sound.

#include <memory>
#include <string>

namespace platform {

class Sound {
public:
    virtual ~Sound() = default;
    // Plays the WAV file at `path` (UTF-8) and returns once the last sample has been heard.
    // False when the file is missing, is not a WAV file the platform can decode, or no
    // sound device can play it. Blocks the calling thread meanwhile, window events included.
    virtual bool playFile(const std::string& path) = 0;
};

// The process-wide sound output, created on first use by the platform's factory.
Sound& sound();
// Replaces it (tests install a fake; null brings the platform's own back).
void installSound(std::unique_ptr<Sound> replacement);
// The platform's own implementation, freshly created.
std::unique_ptr<Sound> createPlatformSound();

// sound().playFile(path): fits where a plain function is wanted.
bool playSoundFile(const std::string& path);

}  // namespace platform
