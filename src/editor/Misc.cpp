#include "editor/Misc.h"

#include "editor/EventWait.h"

namespace Misc {

namespace {

constexpr int kPlayAttempts = 4;
constexpr double kSecondsPerDay = 86400.0;

// The time that passed between two readings of the time-of-day clock. Passing midnight
// makes the second reading smaller by almost a day; a small step back (the clock being
// corrected) counts as no time, so that the wait neither ends early nor hangs.
double stepBetween(double earlier, double later) {
    const double step = later - earlier;
    if (step >= 0) {
        return step;
    }
    if (step < -kSecondsPerDay / 2) {
        return step + kSecondsPerDay;
    }
    return 0;
}

}  // namespace

void PauseSeconds(double seconds) {
    auto& wait = editor::eventWait();
    double last = wait.secondsOfDay();
    double elapsed = 0;
    while (elapsed < seconds) {
        wait.processEvents();
        const double now = wait.secondsOfDay();
        elapsed += stepBetween(last, now);
        last = now;
    }
}

void PlayWavFile(const std::string& path, const PlaySoundFunction& playSound) {
    for (int attempt = 0; attempt < kPlayAttempts; ++attempt) {
        if (playSound(path)) {
            return;
        }
        PauseSeconds(1);
    }
}

}  // namespace Misc
