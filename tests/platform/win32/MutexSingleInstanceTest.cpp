#include <gtest/gtest.h>

#include <string>

#include "platform/SingleInstance.h"

namespace {

TEST(MutexSingleInstance, ASecondClaimSeesTheFirstUntilItEndsAndOtherNamesDoNotMeet) {
    // A name of this test run alone, so that a running program cannot meet it.
    const std::string name =
        "Quillbell-Test-" + std::to_string(reinterpret_cast<std::uintptr_t>(&name));
    auto first = platform::claimSingleInstance(name);
    EXPECT_TRUE(first->isFirst());
    EXPECT_TRUE(platform::claimSingleInstance(name + "-other")->isFirst());
    EXPECT_FALSE(platform::claimSingleInstance(name)->isFirst());
    EXPECT_FALSE(platform::claimSingleInstance(name)->isFirst())
        << "a refused claim must not release the first one's";
    first.reset();
    EXPECT_TRUE(platform::claimSingleInstance(name)->isFirst());
}

}  // namespace
