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

// The windows set help context numbers 21050, 21060 ... 21220.
TEST(ShippedHelpFile, EachLanguageMapsEveryNumberToItsTopicAndListsItsContents) {
    const char* const titleWords[] = {"configuration window", "E-Mail configurations",
                                      "Configuration name",   "server type",
                                      "profile name",         "Password",
                                      "E-Mail server",        "Port",
                                      "Exchange folder",      "Choosing the MS Exchange folder",
                                      "E-Mail client",        "check frequency",
                                      "Play a signal",        "floating window",
                                      "Start E-Mail client",  "Wait while E-Mail client",
                                      "language file",        "Run Quillbell at startup"};
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
        for (std::uint32_t i = 0; i < std::size(titleWords); ++i) {
            const auto path = archive->topicOfContext(21050 + 10 * i);
            const auto page = path ? archive->read(*path) : std::nullopt;
            ASSERT_TRUE(page) << titleWords[i];
            EXPECT_TRUE(language != std::string("English") ||
                        titleOf(*page).contains(titleWords[i], Qt::CaseInsensitive))
                << titleWords[i] << ": " << titleOf(*page).toStdString();
        }
        const auto contents =
            platform::parseContents(*archive->read(archive->contentsFile()), archive->locale());
        ASSERT_EQ(contents.size(), static_cast<qsizetype>(std::size(titleWords) + 1));
        EXPECT_EQ(contents[0].topic, QString::fromStdString(archive->defaultTopic()));
        EXPECT_EQ(contents[1].name, QString::fromUtf8(firstTopicInContents));
        EXPECT_EQ(contents[1].topic, "/window.htm");
    }
}

}  // namespace
