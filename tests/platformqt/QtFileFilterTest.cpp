#include <gtest/gtest.h>

#include "platform/qt/QtFileFilter.h"

namespace {

using platform::toQtFileFilter;

TEST(QtFileFilter, TheCataloguesFiltersBecomeQtFilters) {
    EXPECT_EQ(toQtFileFilter("Programs |*.exe;*.com|All files (*.*)|*.*"),
              "Programs (*.exe *.com);;All files (*.*) (*)");
    EXPECT_EQ(toQtFileFilter("Audio file |*.wav;|All files (*.*)|*.*"),
              "Audio file (*.wav);;All files (*.*) (*)");
}

TEST(QtFileFilter, TranslatedDescriptionsAndPatternsKeepTheirText) {
    EXPECT_EQ(toQtFileFilter("Звуковой файл |*.wav;*.WAV|Alle Dateien (*.*)|*.*"),
              "Звуковой файл (*.wav *.WAV);;Alle Dateien (*.*) (*)");
    EXPECT_EQ(toQtFileFilter("  Sounds  | *.wav ; *.snd ;"), "Sounds (*.wav *.snd)");
    EXPECT_EQ(toQtFileFilter("|*.wav"), "(*.wav)") << "no description";
}

TEST(QtFileFilter, BrokenFiltersLoseOnlyTheirUnusableParts) {
    EXPECT_EQ(toQtFileFilter(""), "");
    EXPECT_EQ(toQtFileFilter("Programs "), "") << "a description without patterns";
    EXPECT_EQ(toQtFileFilter("Programs |*.exe|All files"), "Programs (*.exe)");
    EXPECT_EQ(toQtFileFilter("Nothing |;;|Audio |*.wav"), "Audio (*.wav)");
    EXPECT_EQ(toQtFileFilter("||||"), "");
    EXPECT_EQ(toQtFileFilter("Programs |*.exe|"), "Programs (*.exe)") << "a trailing bar";
}

}  // namespace
