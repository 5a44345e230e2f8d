#include <gtest/gtest.h>

#include "editor/FieldRules.h"

namespace {

using editor::EnabledFields;
using editor::FieldEnabling;
using editor::RuleInputs;
using editor::ServerTypeFields;
using editor::ServerTypeRules;

// The type-dependent columns as the window's table gives them, row by row.
TEST(FieldRules, ServerTypeTable) {
    // profile buttons, password, server and port, Exchange folder, "Name:" caption
    EXPECT_EQ(ServerTypeRules(0), (ServerTypeFields{true, false, false, true, false}));
    EXPECT_EQ(ServerTypeRules(1), (ServerTypeFields{true, false, false, false, false}));
    EXPECT_EQ(ServerTypeRules(2), (ServerTypeFields{true, true, false, false, false}));
    EXPECT_EQ(ServerTypeRules(3), (ServerTypeFields{false, true, true, false, true}));
    EXPECT_EQ(ServerTypeRules(-1), std::nullopt);
    EXPECT_EQ(ServerTypeRules(4), std::nullopt);
}

// Every combination of the six inputs: a paused configuration shows nothing enabled,
// and each rule of the table holds on its own.
TEST(FieldRules, EveryCombinationFollowsTheTable) {
    for (int t = -1; t <= 4; ++t) {
        for (int bits = 0; bits < 32; ++bits) {
            RuleInputs in;
            in.enabled = bits & 1;
            in.serverType = t;
            in.alarm = bits & 2;
            in.soundCard = bits & 4;
            in.popupWin = bits & 8;
            in.runEClient = bits & 16;
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

TEST(FieldRules, SoundCardWithoutAlarmKeepsAudioFileDisabled) {
    RuleInputs in{true, 0, false, true, false, false};
    EXPECT_FALSE(EnabledFields(in).wavFields);
    EXPECT_FALSE(EnabledFields(in).soundOptions);
    in.alarm = true;
    EXPECT_TRUE(EnabledFields(in).wavFields);
    in.soundCard = false;
    EXPECT_FALSE(EnabledFields(in).wavFields);
    EXPECT_TRUE(EnabledFields(in).soundOptions);
}

TEST(FieldRules, BothReactionsCheckedDisableEachOther) {
    const auto f = EnabledFields(RuleInputs{true, 3, true, false, true, true});
    EXPECT_FALSE(f.popupWin);
    EXPECT_FALSE(f.runEClient);
    EXPECT_TRUE(f.general);
}

}  // namespace
