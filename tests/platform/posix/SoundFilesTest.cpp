#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ScopedEnv.h"
#include "platform/Sound.h"
#include "platform/posix/PulseSound.h"
#include "platform/posix/WaveFile.h"
#include "support/ScratchDir.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// `bytes` bytes of `value`, least significant first unless `bigEndian`.
std::string number(std::uint32_t value, int bytes, bool bigEndian = false) {
    std::string text;
    for (int i = 0; i < bytes; ++i) {
        text += static_cast<char>(value >> (8 * (bigEndian ? bytes - 1 - i : i)));
    }
    return text;
}

// `samples` samples of a 440 Hz tone, 16 bits each.
std::string tone(std::uint32_t samples, int rate, bool bigEndian = false) {
    std::string data;
    for (std::uint32_t i = 0; i < samples; ++i) {
        const double sample = 8000 * std::sin(2 * 3.14159265 * 440 * i / rate);
        data += number(static_cast<std::uint16_t>(static_cast<std::int16_t>(sample)), 2, bigEndian);
    }
    return data;
}

// A RIFF WAVE file: the format chunk's fields with `extra` bytes after them, then the data.
std::string wave(int format, int channels, int rate, int blockAlign, int bits,
                 const std::string& data, const std::string& extra = "") {
    const std::string fmt = number(format, 2) + number(channels, 2) + number(rate, 4) +
                            number(rate * blockAlign, 4) + number(blockAlign, 2) + number(bits, 2) +
                            extra;
    const std::string chunks =
        "fmt " + number(fmt.size(), 4) + fmt + "data" + number(data.size(), 4) + data;
    return "RIFF" + number(4 + chunks.size(), 4) + "WAVE" + chunks;
}

class SoundFilesTest : public ::testing::Test {
protected:
    void TearDown() override { fs::remove_all(scratch_); }
    std::string write(const char* name, const std::string& bytes) const {
        std::ofstream(scratch_ / name, std::ios::binary) << bytes;
        return (scratch_ / name).string();
    }
    std::string toneFile(double seconds) const {
        return write("tone.wav", wave(1, 1, 22050, 2, 16,
                                      tone(static_cast<std::uint32_t>(seconds * 22050), 22050)));
    }
    fs::path scratch_ = testsupport::makeScratchDir();
};

TEST_F(SoundFilesTest, WaveFilesDecodeToTheirLastSample) {
    const auto wave16 = platform::WaveFile::open(toneFile(0.5));
    ASSERT_TRUE(wave16);
    EXPECT_EQ(wave16->channels(), 1);
    EXPECT_EQ(wave16->sampleRate(), 22050);
    EXPECT_EQ(wave16->frames(), 11025);
    std::vector<float> samples(4096);
    long long total = 0;
    float loudest = 0;
    while (const long long frames = wave16->read(samples.data(), 4096)) {
        for (long long i = 0; i < frames; ++i) {
            loudest = std::max(loudest, std::abs(samples[static_cast<std::size_t>(i)]));
        }
        total += frames;
    }
    EXPECT_EQ(total, 11025);
    EXPECT_NEAR(loudest, 8000.0 / 32768, 0.01);

    // Stereo mu-law silence: an encoding PlaySound reads through its codecs, not plain PCM.
    const auto muLaw = platform::WaveFile::open(
        write("mulaw.wav", wave(7, 2, 8000, 2, 8, std::string(1600, '\xFF'), number(0, 2))));
    ASSERT_TRUE(muLaw);
    EXPECT_EQ(muLaw->channels(), 2);
    EXPECT_EQ(muLaw->frames(), 800);
}

TEST_F(SoundFilesTest, OnlyReadableRiffWaveFilesOpen) {
    // A Sun/NeXT .au file of 16-bit linear PCM: a sound file, but not one PlaySound reads.
    const std::string au = ".snd" + number(24, 4, true) + number(1600, 4, true) +
                           number(3, 4, true) + number(8000, 4, true) + number(1, 4, true) +
                           tone(800, 8000, true);
    for (const std::string& path :
         {write("garbage.wav", std::string(4000, '\x5A')),
          write("header-only.wav", std::string("RIFF\x24\0\0\0WAVE", 12)), write("empty.wav", ""),
          write("tone.au", au), (scratch_ / "missing.wav").string(), scratch_.string(),
          std::string()}) {
        EXPECT_FALSE(platform::WaveFile::open(path)) << path;
    }
}

TEST_F(SoundFilesTest, PlayingFailsAtOnceForABadFileOrWithoutASoundServer) {
    // No server at this address, so nothing here may wait for a device.
    const platformtest::ScopedEnv nowhere("PULSE_SERVER",
                                          "unix:/nonexistent/quillbell-test/native");
    platform::PulseSound sound;
    const auto start = Clock::now();
    EXPECT_FALSE(sound.playFile((scratch_ / "missing.wav").string()));
    EXPECT_FALSE(sound.playFile(write("garbage.wav", std::string(4000, '\x5A'))));
    EXPECT_FALSE(sound.playFile(toneFile(0.2)));
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));
}

// Real playback needs a sound server, which test machines lack: run it by hand with
// QUILLBELL_SOUND_CHECK=1 (for example against a PulseAudio null sink).
TEST_F(SoundFilesTest, AGoodWaveFilePlaysToItsEndBeforeTheCallReturns) {
    if (std::getenv("QUILLBELL_SOUND_CHECK") == nullptr) {
        GTEST_SKIP() << "set QUILLBELL_SOUND_CHECK=1 with a sound server running";
    }
    const std::string path = toneFile(1.5);
    const auto start = Clock::now();
    EXPECT_TRUE(platform::playSoundFile(path));
    const auto took = std::chrono::duration<double>(Clock::now() - start).count();
    EXPECT_GE(took, 1.45);
    EXPECT_LT(took, 15.0) << "a busy machine slows a null sink down, but not this much";
    EXPECT_FALSE(platform::playSoundFile((scratch_ / "missing.wav").string()));
}

}  // namespace
