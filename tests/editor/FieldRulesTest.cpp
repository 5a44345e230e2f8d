#include <gtest/gtest.h>

#include "editor/FieldRules.h"

namespace {

using editor::EnabledFields;
using editor::FieldEnabling;
using editor::RuleInputs;

// Every combination of the six inputs, server types outside 0 to 3 included: a paused
// configuration shows nothing enabled, and each rule of the table holds on its own (for
// example the audio file needs both the alarm and the sound card, and the two reactions
// checked together disable each other).
TEST(FieldRules, EveryCombinationFollowsTheTable) {
    for (int t = -1; t <= 4; ++t) {
        for (int bits = 0; bits < 32; ++bits) {
            const RuleInputs in{(bits & 1) != 0, t,
                                (bits & 2) != 0, (bits & 4) != 0,
                                (bits & 8) != 0, (bits & 16) != 0};
            const FieldEnabling f = EnabledFields(in);
            SCOPED_TRACE(testing::Message() << "T=" << t << " bits=" << bits);
            if (!in.enabled) {
                EXPECT_EQ(f, FieldEnabling{});
                continue;
            }
            const bool validType = t >= 0 && t <= 3;
            EXPECT_TRUE(f.general);
            EXPECT_EQ(f.profileButtons, !validType || t != 3);
            EXPECT_EQ(f.password, !validType || t == 2 || t == 3);
            EXPECT_EQ(f.internetServer, !validType || t == 3);
            EXPECT_EQ(f.exchangeFolder, !validType || t == 0);
            EXPECT_EQ(f.soundOptions, in.alarm);
            EXPECT_EQ(f.wavFields, in.alarm && in.soundCard);
            EXPECT_EQ(f.popupWin, !in.runEClient);
            EXPECT_EQ(f.runEClient, !in.popupWin);
        }
    }
}

}  // namespace
