#include "editor/Misc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "editor/EventWait.h"

namespace {

using Log = std::vector<std::string>;

// A clock that moves by a fixed step only when the window handles events, which are logged.
struct SteppingWait final : editor::EventWait {
    SteppingWait(double start, double step, Log& log) : now(start), step(step), log(log) {}
    double secondsOfDay() override { return now; }
    void processEvents() override {
        now = std::fmod(now + step, 86400.0);
        log.push_back("events");
    }
    double now, step;
    Log& log;
};

class MiscTest : public testing::Test {
protected:
    void useClock(double start, double step) {
        log.clear();
        editor::installEventWait(std::make_unique<SteppingWait>(start, step, log));
    }
    void TearDown() override { editor::installEventWait(nullptr); }
    Log log;
};

// Across midnight too, and longer than a day; nothing to wait returns at once.
TEST_F(MiscTest, PauseHandlesEventsUntilTheSecondsHavePassed) {
    const struct {
        double start, step, seconds;
        std::size_t rounds;
    } cases[] = {{1000.0, 0.25, 1, 4},
                 {86399.5, 0.25, 1, 4},
                 {80000.0, 3600.0, 2 * 86400.0, 48},
                 {10.0, 1.0, 0, 0},
                 {10.0, 1.0, -3, 0},
                 {10.0, 1.0, std::numeric_limits<double>::quiet_NaN(), 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << c.start << " for " << c.seconds);
        useClock(c.start, c.step);
        Misc::PauseSeconds(c.seconds);
        EXPECT_EQ(log.size(), c.rounds);
    }
}

// Four failed attempts, each followed by a second, are counted in tests/app.
TEST_F(MiscTest, PlayWaitsASecondAfterAFailureAndStopsAtSuccess) {
    useClock(43200.0, 0.5);
    Misc::PlayWavFile("a.wav", [&](const std::string&) {
        log.push_back("play");
        return log.size() == 4;
    });
    EXPECT_EQ(log, (Log{"play", "events", "events", "play"}));
}

}  // namespace
