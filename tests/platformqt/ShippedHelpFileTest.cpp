// The compiled help files that come with the program, read back through chmlib.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QString>
#include <string>

#include "platform/qt/ChmArchive.h"
#include "platform/qt/ChmContents.h"

namespace {

QString titleOf(const std::string& page) {
    static const QRegularExpression title("<title>(.*)</title>",
                                          QRegularExpression::DotMatchesEverythingOption);
    return title.match(QString::fromUtf8(page.data(), static_cast<qsizetype>(page.size())))
        .captured(1);
}

// Every help context number the windows set opens the topic of its field (words of the
// English title tell), in every language, whose contents list the start page and each topic.
TEST(ShippedHelpFile, EachLanguageMapsEveryNumberToItsTopicAndListsItsContents) {
    const struct {
        int contextId;
        const char* titleWords;
    } topics[] = {
        {21050, "configuration window"}, {21060, "E-Mail configurations"},
        {21070, "Configuration name"},   {21080, "server type"},
        {21090, "profile name"},         {21100, "Password"},
        {21110, "E-Mail server"},        {21120, "Port"},
        {21130, "Exchange folder"},      {21140, "Choosing the MS Exchange folder"},
        {21150, "E-Mail client"},        {21160, "check frequency"},
        {21170, "Play a signal"},        {21180, "floating window"},
        {21190, "Start E-Mail client"},  {21200, "Wait while E-Mail client"},
        {21210, "language file"},        {21220, "Run Quillbell at startup"},
    };
    const std::pair<const char*, const char*> languages[] = {
        {"English", "The configuration window"},  // and the first topic in its contents
        {"German", "Das Konfigurationsfenster"},
        {"Russian", "Окно настройки"},
    };
    for (const auto& [language, firstTopicInContents] : languages) {
        SCOPED_TRACE(language);
        const auto archive =
            platform::ChmArchive::open(std::string(QB_HELP_DIR) + "/" + language + ".chm");
        ASSERT_NE(archive, nullptr);
        for (const auto& topic : topics) {
            const auto path = archive->topicOfContext(static_cast<std::uint32_t>(topic.contextId));
            const auto page = path ? archive->read(*path) : std::nullopt;
            ASSERT_TRUE(page) << topic.contextId;
            EXPECT_TRUE(language != std::string("English") ||
                        titleOf(*page).contains(topic.titleWords, Qt::CaseInsensitive))
                << topic.contextId << ": " << titleOf(*page).toStdString();
        }
        const auto contents =
            platform::parseContents(*archive->read(archive->contentsFile()), archive->locale());
        ASSERT_EQ(contents.size(), static_cast<qsizetype>(std::size(topics) + 1));
        EXPECT_EQ(contents[0].topic, QString::fromStdString(archive->defaultTopic()));
        EXPECT_EQ(contents[1].name, QString::fromUtf8(firstTopicInContents));
        EXPECT_EQ(contents[1].topic, "/window.htm");
    }
}

}  // namespace
