#pragma once
// A RIFF WAVE file opened for decoding with libsndfile: the files PlaySound accepts, in
// every encoding libsndfile reads from them (PCM, float, ADPCM, mu-law, A-law, GSM).

#include <memory>
#include <string>

typedef struct sf_private_tag SNDFILE;

namespace platform {

class WaveFile {
public:
    // Null when `path` is missing, unreadable, not a RIFF WAVE file, or of a channel count
    // or sample rate that no sound server takes.
    static std::unique_ptr<WaveFile> open(const std::string& path);
    ~WaveFile();
    WaveFile(const WaveFile&) = delete;
    WaveFile& operator=(const WaveFile&) = delete;

    int channels() const { return channels_; }
    int sampleRate() const { return sampleRate_; }
    long long frames() const { return frames_; }

    // Decodes up to `frames` frames into `samples` as interleaved floats in -1..1 and
    // returns how many it decoded; 0 at the end of the sound.
    long long read(float* samples, long long frames);

private:
    WaveFile(SNDFILE* file, int channels, int sampleRate, long long frames);

    SNDFILE* file_;
    int channels_;
    int sampleRate_;
    long long frames_;
};

}  // namespace platform
