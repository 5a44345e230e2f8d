#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
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
using namespace std::string_literals;

// `bytes` bytes of `value`, least significant first.
std::string number(std::uint32_t value, int bytes) {
    const char text[] = {char(value), char(value >> 8), char(value >> 16), char(value >> 24)};
    return {text, static_cast<std::size_t>(bytes)};
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

// Playback needs the sound server test.sh starts (QUILLBELL_SOUND_CHECK=1).
TEST(SoundFilesTest, OnlyWaveFilesOpenDecodeToTheirLastSampleAndPlayToTheirEndOrFailAtOnce) {
    const fs::path scratch = testsupport::makeScratchDir();
    const auto write = [&](const char* name, const std::string& bytes) {
        std::ofstream(scratch / name, std::ios::binary) << bytes;
        return (scratch / name).string();
    };
    const auto toneFile = [&](double seconds) {
        std::string data;
        for (int i = 0; i < static_cast<int>(seconds * 22050); ++i) {
            data +=
                number(static_cast<std::int16_t>(8000 * std::sin(6.2831853 * 440 * i / 22050)), 2);
        }
        return write("tone.wav", wave(1, 1, 22050, 2, 16, data));
    };
    const std::string missing = (scratch / "missing.wav").string();
    const std::string garbage = write("garbage.wav", std::string(4000, '\x5A'));
    const auto wave16 = platform::WaveFile::open(toneFile(0.5));
    ASSERT_TRUE(wave16);
    EXPECT_EQ(wave16->sampleRate(), 22050);
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

    // Stereo mu-law: an encoding PlaySound reads through its codecs, not plain PCM.
    const auto muLaw = platform::WaveFile::open(
        write("mulaw.wav", wave(7, 2, 8000, 2, 8, std::string(1600, '\xFF'), number(0, 2))));
    ASSERT_TRUE(muLaw);
    EXPECT_EQ(muLaw->channels(), 2);
    EXPECT_EQ(muLaw->frames(), 800);

    // A Sun/NeXT .au file of 16-bit linear PCM: a sound file, but not one PlaySound reads.
    const std::string au =
        ".snd\0\0\0\x18\0\0\x06\x40\0\0\0\x03\0\0\x1F\x40\0\0\0\x01"s + std::string(1600, '\0');
    for (const std::string& path :
         {garbage, write("header-only.wav", std::string("RIFF\x24\0\0\0WAVE", 12)),
          write("tone.au", au), missing, scratch.string()}) {
        EXPECT_FALSE(platform::WaveFile::open(path)) << path;
    }

    if (std::getenv("QUILLBELL_SOUND_CHECK") != nullptr) {
        const auto start = Clock::now();
        EXPECT_TRUE(platform::playSoundFile(toneFile(1.5)));
        const auto took = std::chrono::duration<double>(Clock::now() - start).count();
        EXPECT_GE(took, 1.45);
        EXPECT_LT(took, 15.0) << "a busy machine slows a null sink down, but not this much";
        EXPECT_FALSE(platform::playSoundFile(missing));
    }
    // No server at this address, so nothing here may wait for a device.
    const platformtest::ScopedEnv nowhere("PULSE_SERVER",
                                          "unix:/nonexistent/quillbell-test/native");
    platform::PulseSound sound;
    const auto start = Clock::now();
    EXPECT_FALSE(sound.playFile(garbage));
    EXPECT_FALSE(sound.playFile(toneFile(0.2)));
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));
    fs::remove_all(scratch);
}

}  // namespace
