// The Windows path of help by context number, on the help files chmcmd compiled for the
// program, read through the platform's own reader (Wine's itss.dll in the test run).
#include <gtest/gtest.h>

#include <string>

#include "platform/win32/ChmStorageTopic.h"

namespace {

// The build directory seen from Windows: Wine shows the Unix root as drive Z.
std::string helpFile(const char* language) {
    return std::string("Z:") + QB_HELP_DIR + "/" + language + ".chm";
}

TEST(ChmStorageTopic, FindsTheTopicOfEveryContextNumberTheWindowsSet) {
    const struct {
        std::uint32_t contextId;
        const char* topic;
    } topics[] = {
        {21050, "/window.htm"},        {21060, "/list.htm"},     {21070, "/name.htm"},
        {21080, "/servertype.htm"},    {21090, "/account.htm"},  {21100, "/password.htm"},
        {21110, "/server.htm"},        {21120, "/port.htm"},     {21130, "/folder.htm"},
        {21140, "/folderbrowser.htm"}, {21150, "/client.htm"},   {21160, "/frequency.htm"},
        {21170, "/signal.htm"},        {21180, "/floating.htm"}, {21190, "/runclient.htm"},
        {21200, "/waitclient.htm"},    {21210, "/language.htm"}, {21220, "/startup.htm"},
    };
    for (const char* language : {"English", "German", "Russian"}) {
        for (const auto& t : topics) {
            EXPECT_EQ(platform::chmTopicOfContext(helpFile(language), t.contextId), t.topic)
                << language << ' ' << t.contextId;
        }
    }
}

TEST(ChmStorageTopic, GivesNothingForAnUnmappedNumberOrAMissingFile) {
    EXPECT_EQ(platform::chmTopicOfContext(helpFile("English"), 99999), std::nullopt);
    EXPECT_EQ(platform::chmTopicOfContext(helpFile("Klingon"), 21050), std::nullopt);
}

}  // namespace
