#include "platform/posix/PulseSound.h"

#include <pulse/channelmap.h>
#include <pulse/sample.h>
#include <pulse/simple.h>
#include <pulse/timeval.h>

#include <cstdint>
#include <vector>

#include "platform/AppInfo.h"
#include "platform/posix/WaveFile.h"

namespace platform {

namespace {

constexpr long long kFramesPerWrite = 4096;
// The server's default is a two-second buffer, which a quiet null or network sink adds
// to the wait for the end; a fifth of a second still rides out a busy machine.
constexpr pa_usec_t kTargetLatency = 200 * PA_USEC_PER_MSEC;

struct StreamCloser {
    void operator()(pa_simple* stream) const { pa_simple_free(stream); }
};
using PlaybackStream = std::unique_ptr<pa_simple, StreamCloser>;

PlaybackStream openStream(const WaveFile& wave) {
    pa_sample_spec sampleFormat{};
    sampleFormat.format = PA_SAMPLE_FLOAT32NE;
    sampleFormat.rate = static_cast<std::uint32_t>(wave.sampleRate());
    sampleFormat.channels = static_cast<std::uint8_t>(wave.channels());
    // Beyond stereo, WAV files order their channels the WAVEFORMATEXTENSIBLE way.
    pa_channel_map map{};
    pa_channel_map_init_extend(&map, sampleFormat.channels, PA_CHANNEL_MAP_WAVEEX);
    pa_buffer_attr buffering{};
    buffering.maxlength = static_cast<std::uint32_t>(-1);
    buffering.tlength = static_cast<std::uint32_t>(pa_usec_to_bytes(kTargetLatency, &sampleFormat));
    buffering.prebuf = static_cast<std::uint32_t>(-1);
    buffering.minreq = static_cast<std::uint32_t>(-1);
    buffering.fragsize = static_cast<std::uint32_t>(-1);
    int error = 0;
    return PlaybackStream(pa_simple_new(nullptr, kApplicationTitle, PA_STREAM_PLAYBACK, nullptr,
                                        "Alarm sound", &sampleFormat, &map, &buffering, &error));
}

bool playFrames(WaveFile& wave, pa_simple* stream) {
    std::vector<float> buffer(static_cast<std::size_t>(kFramesPerWrite * wave.channels()));
    int error = 0;
    while (const long long frames = wave.read(buffer.data(), kFramesPerWrite)) {
        const auto bytes = static_cast<std::size_t>(frames * wave.channels()) * sizeof(float);
        if (pa_simple_write(stream, buffer.data(), bytes, &error) < 0) {
            return false;
        }
    }
    // Returns once the server has played everything written, as PlaySound does.
    return pa_simple_drain(stream, &error) >= 0;
}

}  // namespace

bool PulseSound::playFile(const std::string& path) {
    const std::unique_ptr<WaveFile> wave = WaveFile::open(path);
    if (!wave) {
        return false;
    }
    const PlaybackStream stream = openStream(*wave);
    return stream && playFrames(*wave, stream.get());
}

std::unique_ptr<Sound> createPlatformSound() {
    return std::make_unique<PulseSound>();
}

}  // namespace platform
