#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/SingleInstance.h"

namespace {

// A name of this test run alone, so that a running program or another test cannot meet it.
std::string uniqueName(const char* tag) {
    return std::string("Quillbell-Test-") + tag + "-" +
           std::to_string(reinterpret_cast<std::uintptr_t>(&uniqueName));
}

TEST(MutexSingleInstance, ASecondClaimSeesTheFirstUntilItEnds) {
    const std::string name = uniqueName("claim");
    auto first = platform::claimSingleInstance(name);
    EXPECT_TRUE(first->isFirst());
    {
        const auto second = platform::claimSingleInstance(name);
        EXPECT_FALSE(second->isFirst());
    }
    EXPECT_FALSE(platform::claimSingleInstance(name)->isFirst())
        << "a refused claim must not release the first one's";
    first.reset();
    EXPECT_TRUE(platform::claimSingleInstance(name)->isFirst());
}

TEST(MutexSingleInstance, ClaimsOfOtherNamesDoNotMeet) {
    const auto a = platform::claimSingleInstance(uniqueName("a"));
    const auto b = platform::claimSingleInstance(uniqueName("b"));
    EXPECT_TRUE(a->isFirst());
    EXPECT_TRUE(b->isFirst());
}

}  // namespace
