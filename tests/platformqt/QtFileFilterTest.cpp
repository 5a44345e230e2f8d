#include <gtest/gtest.h>

#include "platform/qt/QtFileFilter.h"

namespace {

TEST(QtFileFilter, TheCataloguesFiltersBecomeQtFiltersAndBrokenOnesLoseOnlyTheirUnusableParts) {
    const std::pair<std::string, std::string> cases[] = {
        {"Programs |*.exe;*.com|All files (*.*)|*.*",
         "Programs (*.exe *.com);;All files (*.*) (*)"},
        {"Audio file |*.wav;|All files (*.*)|*.*", "Audio file (*.wav);;All files (*.*) (*)"},
        {"Звуковой файл |*.wav;*.WAV|Alle Dateien (*.*)|*.*",
         "Звуковой файл (*.wav *.WAV);;Alle Dateien (*.*) (*)"},
        {"  Sounds  | *.wav ; *.snd ;", "Sounds (*.wav *.snd)"},
        {"|*.wav", "(*.wav)"},  // no description
        {"", ""},
        {"Programs ", ""},  // a description without patterns
        {"Programs |*.exe|All files", "Programs (*.exe)"},
        {"Nothing |;;|Audio |*.wav", "Audio (*.wav)"},
        {"||||", ""},
        {"Programs |*.exe|", "Programs (*.exe)"},  // a trailing bar
    };
    for (const auto& [filter, qtFilter] : cases) {
        EXPECT_EQ(platform::toQtFileFilter(filter), qtFilter) << filter;
    }
}

}  // namespace
