// Help by context number through Windows' own reader (Wine's itss.dll in the test run).
#include <gtest/gtest.h>

#include <string>

#include "platform/win32/ChmStorageTopic.h"

namespace {

// The build directory seen from Windows: Wine shows the Unix root as drive Z.
std::string helpFile(const char* language) {
    return std::string("Z:") + QB_HELP_DIR + "/" + language + ".chm";
}

TEST(ChmStorageTopic, FindsTheTopicOfEachContextNumberAndNothingForAnUnknownOneOrFile) {
    const std::pair<std::uint32_t, const char*> topics[] = {{21050, "/window.htm"},
                                                            {21160, "/frequency.htm"}};
    for (const char* language : {"English", "German", "Russian"}) {
        for (const auto& [contextId, topic] : topics) {
            EXPECT_EQ(platform::chmTopicOfContext(helpFile(language), contextId), topic)
                << language << ' ' << contextId;
        }
    }
    EXPECT_EQ(platform::chmTopicOfContext(helpFile("English"), 99999), std::nullopt);
    EXPECT_EQ(platform::chmTopicOfContext(helpFile("Klingon"), 21050), std::nullopt);
}

}  // namespace
