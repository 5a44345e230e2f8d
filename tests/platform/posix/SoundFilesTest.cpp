#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "platform/Sound.h"
#include "platform/posix/PulseSound.h"
#include "platform/posix/WaveFile.h"
#include "support/ScratchDir.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

void putLittle(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

void putBig(std::ofstream& out, std::uint32_t value) {
    for (int i = 3; i >= 0; --i) {
        out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

std::int16_t toneSample(int i, int rate) {
    return static_cast<std::int16_t>(8000 * std::sin(2 * 3.14159265 * 440 * i / rate));
}

// A 16-bit PCM mono RIFF WAVE file of a 440 Hz tone.
void writeWav(const fs::path& path, double seconds, int rate = 22050) {
    const auto samples = static_cast<std::uint32_t>(seconds * rate);
    std::ofstream out(path, std::ios::binary);
    out.write("RIFF", 4);
    putLittle(out, 36 + samples * 2, 4);
    out.write("WAVEfmt ", 8);
    putLittle(out, 16, 4);
    putLittle(out, 1, 2);  // PCM
    putLittle(out, 1, 2);  // mono
    putLittle(out, rate, 4);
    putLittle(out, rate * 2, 4);
    putLittle(out, 2, 2);
    putLittle(out, 16, 2);
    out.write("data", 4);
    putLittle(out, samples * 2, 4);
    for (std::uint32_t i = 0; i < samples; ++i) {
        putLittle(out, static_cast<std::uint16_t>(toneSample(static_cast<int>(i), rate)), 2);
    }
}

// A stereo mu-law RIFF WAVE file (format tag 7) of silence: an encoding PlaySound reads
// through its codecs, not plain PCM.
void writeMuLawWav(const fs::path& path, std::uint32_t frames, int rate = 8000) {
    std::ofstream out(path, std::ios::binary);
    out.write("RIFF", 4);
    putLittle(out, 4 + 26 + 12 + 8 + frames * 2, 4);
    out.write("WAVEfmt ", 8);
    putLittle(out, 18, 4);
    putLittle(out, 7, 2);  // mu-law
    putLittle(out, 2, 2);
    putLittle(out, rate, 4);
    putLittle(out, rate * 2, 4);
    putLittle(out, 2, 2);
    putLittle(out, 8, 2);
    putLittle(out, 0, 2);
    out.write("fact", 4);
    putLittle(out, 4, 4);
    putLittle(out, frames, 4);
    out.write("data", 4);
    putLittle(out, frames * 2, 4);
    for (std::uint32_t i = 0; i < frames * 2; ++i) {
        out.put(static_cast<char>(0xFF));  // mu-law zero
    }
}

// The same tone as a Sun/NeXT .au file: a sound file, but not one PlaySound reads.
void writeAu(const fs::path& path, int samples, int rate = 8000) {
    std::ofstream out(path, std::ios::binary);
    out.write(".snd", 4);
    putBig(out, 24);
    putBig(out, samples * 2);
    putBig(out, 3);  // 16-bit linear PCM
    putBig(out, rate);
    putBig(out, 1);
    for (int i = 0; i < samples; ++i) {
        const auto sample = static_cast<std::uint16_t>(toneSample(i, rate));
        out.put(static_cast<char>(sample >> 8));
        out.put(static_cast<char>(sample & 0xFF));
    }
}

class ScopedPulseServer {
public:
    explicit ScopedPulseServer(const char* server) {
        if (const char* old = std::getenv("PULSE_SERVER")) {
            old_ = old;
        }
        setenv("PULSE_SERVER", server, 1);
    }
    ~ScopedPulseServer() {
        if (old_) {
            setenv("PULSE_SERVER", old_->c_str(), 1);
        } else {
            unsetenv("PULSE_SERVER");
        }
    }

private:
    std::optional<std::string> old_;
};

class SoundFilesTest : public ::testing::Test {
protected:
    void TearDown() override { fs::remove_all(scratch_); }
    std::string path(const char* name) const { return (scratch_ / name).string(); }
    fs::path scratch_ = testsupport::makeScratchDir();
};

TEST_F(SoundFilesTest, WaveFilesDecodeToTheirLastSample) {
    writeWav(scratch_ / "tone.wav", 0.5, 22050);
    const auto wave = platform::WaveFile::open(path("tone.wav"));
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->channels(), 1);
    EXPECT_EQ(wave->sampleRate(), 22050);
    EXPECT_EQ(wave->frames(), 11025);
    std::vector<float> samples(4096);
    long long total = 0;
    float loudest = 0;
    while (const long long frames = wave->read(samples.data(), 4096)) {
        for (long long i = 0; i < frames; ++i) {
            loudest = std::max(loudest, std::abs(samples[static_cast<std::size_t>(i)]));
        }
        total += frames;
    }
    EXPECT_EQ(total, 11025);
    EXPECT_NEAR(loudest, 8000.0 / 32768, 0.01);

    writeMuLawWav(scratch_ / "mulaw.wav", 800);
    const auto muLaw = platform::WaveFile::open(path("mulaw.wav"));
    ASSERT_TRUE(muLaw);
    EXPECT_EQ(muLaw->channels(), 2);
    EXPECT_EQ(muLaw->frames(), 800);
}

TEST_F(SoundFilesTest, OnlyReadableRiffWaveFilesOpen) {
    std::ofstream(scratch_ / "garbage.wav", std::ios::binary) << std::string(4000, '\x5A');
    std::ofstream(scratch_ / "header-only.wav", std::ios::binary) << "RIFF\x24\0\0\0WAVE";
    std::ofstream(scratch_ / "empty.wav", std::ios::binary);
    writeAu(scratch_ / "tone.au", 800);
    EXPECT_FALSE(platform::WaveFile::open(path("missing.wav")));
    EXPECT_FALSE(platform::WaveFile::open(scratch_.string())) << "a directory";
    EXPECT_FALSE(platform::WaveFile::open(path("garbage.wav")));
    EXPECT_FALSE(platform::WaveFile::open(path("header-only.wav")));
    EXPECT_FALSE(platform::WaveFile::open(path("empty.wav")));
    EXPECT_FALSE(platform::WaveFile::open(""));
    EXPECT_FALSE(platform::WaveFile::open(path("tone.au")))
        << "a sound file, but not one PlaySound reads";
}

TEST_F(SoundFilesTest, PlayingFailsAtOnceForABadFileOrWithoutASoundServer) {
    // No server at this address, so nothing here may wait for a device.
    const ScopedPulseServer nowhere("unix:/nonexistent/quillbell-test/native");
    writeWav(scratch_ / "tone.wav", 0.2);
    std::ofstream(scratch_ / "garbage.wav", std::ios::binary) << std::string(4000, '\x5A');
    platform::PulseSound sound;
    const auto start = Clock::now();
    EXPECT_FALSE(sound.playFile(path("missing.wav")));
    EXPECT_FALSE(sound.playFile(path("garbage.wav")));
    EXPECT_FALSE(sound.playFile(path("tone.wav")));
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));
}

// Real playback needs a sound server, which test machines lack: run it by hand with
// QUILLBELL_SOUND_CHECK=1 (for example against a PulseAudio null sink).
TEST_F(SoundFilesTest, AGoodWaveFilePlaysToItsEndBeforeTheCallReturns) {
    if (std::getenv("QUILLBELL_SOUND_CHECK") == nullptr) {
        GTEST_SKIP() << "set QUILLBELL_SOUND_CHECK=1 with a sound server running";
    }
    writeWav(scratch_ / "tone.wav", 1.5);
    const auto start = Clock::now();
    EXPECT_TRUE(platform::playSoundFile(path("tone.wav")));
    const auto took = std::chrono::duration<double>(Clock::now() - start).count();
    EXPECT_GE(took, 1.45);
    EXPECT_LT(took, 15.0) << "a busy machine slows a null sink down, but not this much";
    EXPECT_FALSE(platform::playSoundFile(path("missing.wav")));
}

}  // namespace
