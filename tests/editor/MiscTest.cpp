#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "editor/EventWait.h"
#include "editor/Misc.h"

namespace {

// A clock that moves only when the window would handle events, by a fixed step.
class SteppingWait final : public editor::EventWait {
public:
    SteppingWait(double start, double step, std::vector<std::string>* log)
        : now_(start), step_(step), log_(log) {}
    double secondsOfDay() override { return now_; }
    void processEvents() override {
        ++pumps;
        now_ += step_;
        if (now_ >= 86400.0) {
            now_ -= 86400.0;
        }
        if (log_) {
            log_->push_back("events");
        }
    }
    int pumps = 0;
    double now() const { return now_; }

private:
    double now_;
    double step_;
    std::vector<std::string>* log_;
};

class MiscTest : public testing::Test {
protected:
    SteppingWait& useClock(double start, double step) {
        auto wait = std::make_unique<SteppingWait>(start, step, &log);
        auto* raw = wait.get();
        editor::installEventWait(std::move(wait));
        return *raw;
    }
    void TearDown() override { editor::installEventWait(nullptr); }

    std::vector<std::string> log;
};

TEST_F(MiscTest, PauseHandlesEventsUntilTheSecondsHavePassed) {
    auto& clock = useClock(1000.0, 0.25);
    Misc::PauseSeconds(1);
    EXPECT_EQ(clock.pumps, 4);
    EXPECT_DOUBLE_EQ(clock.now(), 1001.0);
}

TEST_F(MiscTest, PauseEndsAcrossMidnight) {
    auto& clock = useClock(86399.5, 0.25);
    Misc::PauseSeconds(1);
    EXPECT_EQ(clock.pumps, 4);
    EXPECT_DOUBLE_EQ(clock.now(), 0.5);
}

TEST_F(MiscTest, PauseLongerThanADayStillEnds) {
    auto& clock = useClock(80000.0, 3600.0);
    Misc::PauseSeconds(2 * 86400.0);
    EXPECT_EQ(clock.pumps, 48);
}

TEST_F(MiscTest, PauseOfNothingReturnsAtOnce) {
    auto& clock = useClock(10.0, 1.0);
    Misc::PauseSeconds(0);
    Misc::PauseSeconds(-3);
    Misc::PauseSeconds(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(clock.pumps, 0);
}

TEST_F(MiscTest, FourFailedAttemptsEachFollowedByAOneSecondPause) {
    auto& clock = useClock(43200.0, 0.5);
    int attempts = 0;
    Misc::PlayWavFile("C:\\WINDOWS\\MEDIA\\CHIMES.WAV", [&](const std::string& path) {
        EXPECT_EQ(path, "C:\\WINDOWS\\MEDIA\\CHIMES.WAV");
        ++attempts;
        log.push_back("play");
        return false;
    });
    EXPECT_EQ(attempts, 4);
    EXPECT_DOUBLE_EQ(clock.now(), 43204.0);
    const std::vector<std::string> expected{"play", "events", "events", "play", "events", "events",
                                            "play", "events", "events", "play", "events", "events"};
    EXPECT_EQ(log, expected);
}

TEST_F(MiscTest, SuccessfulAttemptEndsWithoutPause) {
    auto& clock = useClock(5.0, 0.5);
    int attempts = 0;
    Misc::PlayWavFile("a.wav", [&](const std::string&) { return ++attempts == 2; });
    EXPECT_EQ(attempts, 2);
    EXPECT_EQ(clock.pumps, 2);  // one pause, after the first failure
}

}  // namespace
