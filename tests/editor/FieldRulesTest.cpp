#include "editor/FieldRules.h"

#include <gtest/gtest.h>

namespace {

using editor::FieldEnabling;

// What each server type enables, written out: profile buttons, password, Internet server
// and port, Exchange folder. A type outside 0 to 3 governs nothing: those follow E alone.
const struct {
    int type;
    bool buttons, password, server, folder;
} kTypes[] = {{-1, true, true, true, true},   {0, true, false, false, true},
              {1, true, false, false, false}, {2, true, true, false, false},
              {3, false, true, true, false},  {4, true, true, true, true}};

// Every combination of E, T, A, S, P and R; a paused configuration enables nothing.
TEST(FieldRules, EveryCombinationFollowsTheTable) {
    for (const auto& t : kTypes) {
        for (int bits = 0; bits < 32; ++bits) {
            const bool e = bits & 1, a = bits & 2, s = bits & 4, p = bits & 8, r = bits & 16;
            SCOPED_TRACE(testing::Message() << "T=" << t.type << " E,A,S,P,R bits=" << bits);
            const FieldEnabling expected{true, t.buttons, t.password, t.server, t.folder,
                                         a,    a && s,    !r,         !p};
            EXPECT_EQ(editor::EnabledFields({e, t.type, a, s, p, r}),
                      e ? expected : FieldEnabling{});
        }
    }
}

}  // namespace
