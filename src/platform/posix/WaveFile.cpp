#include "platform/posix/WaveFile.h"

#include <pulse/sample.h>
#include <sndfile.h>

namespace platform {

namespace {

// PlaySound reads RIFF WAVE files only; libsndfile would play AIFF, FLAC, Ogg and more,
// which the notifier on Windows could not.
bool isWaveFile(const SF_INFO& info) {
    const int container = info.format & SF_FORMAT_TYPEMASK;
    return container == SF_FORMAT_WAV || container == SF_FORMAT_WAVEX;
}

bool hasPlayableShape(const SF_INFO& info) {
    return info.channels >= 1 && static_cast<unsigned>(info.channels) <= PA_CHANNELS_MAX &&
           info.samplerate >= 1 && static_cast<unsigned>(info.samplerate) <= PA_RATE_MAX;
}

}  // namespace

std::unique_ptr<WaveFile> WaveFile::open(const std::string& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr) {
        return nullptr;
    }
    if (!isWaveFile(info) || !hasPlayableShape(info)) {
        sf_close(file);
        return nullptr;
    }
    return std::unique_ptr<WaveFile>(
        new WaveFile(file, info.channels, info.samplerate, info.frames));
}

WaveFile::WaveFile(SNDFILE* file, int channels, int sampleRate, long long frames)
    : file_(file), channels_(channels), sampleRate_(sampleRate), frames_(frames) {}

WaveFile::~WaveFile() {
    sf_close(file_);
}

long long WaveFile::read(float* samples, long long frames) {
    const sf_count_t decoded = sf_readf_float(file_, samples, frames);
    return decoded > 0 ? decoded : 0;
}

}  // namespace platform
