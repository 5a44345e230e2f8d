#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "editor/EventWait.h"
#include "editor/Misc.h"

namespace {

// A clock that moves only when the window would handle events, by a fixed step; every
// round of events is noted in the log.
class SteppingWait final : public editor::EventWait {
public:
    SteppingWait(double start, double step) : now(start), step(step) {}
    double secondsOfDay() override { return now; }
    void processEvents() override {
        now = std::fmod(now + step, 86400.0);
        log.push_back("events");
    }

    double now;
    double step;
    std::vector<std::string> log;
};

class MiscTest : public testing::Test {
protected:
    SteppingWait& useClock(double start, double step) {
        auto wait = std::make_unique<SteppingWait>(start, step);
        SteppingWait& clock = *wait;
        editor::installEventWait(std::move(wait));
        return clock;
    }
    void TearDown() override { editor::installEventWait(nullptr); }
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
        SteppingWait& clock = useClock(c.start, c.step);
        Misc::PauseSeconds(c.seconds);
        EXPECT_EQ(clock.log.size(), c.rounds);
    }
}

TEST_F(MiscTest, PlayTriesFourTimesWithASecondAfterEachFailureAndStopsAtSuccess) {
    SteppingWait& clock = useClock(43200.0, 0.5);
    const std::string path = "C:\\WINDOWS\\MEDIA\\CHIMES.WAV";
    Misc::PlayWavFile(path, [&](const std::string& played) {
        clock.log.push_back("play " + played);
        return false;
    });
    std::vector<std::string> expected;
    for (int attempt = 0; attempt < 4; ++attempt) {
        expected.insert(expected.end(), {"play " + path, "events", "events"});
    }
    EXPECT_EQ(clock.log, expected);

    clock.log.clear();
    int attempts = 0;
    Misc::PlayWavFile("a.wav", [&](const std::string&) {
        clock.log.push_back("play");
        return ++attempts == 2;
    });
    EXPECT_EQ(clock.log, (std::vector<std::string>{"play", "events", "events", "play"}));
}

}  // namespace
