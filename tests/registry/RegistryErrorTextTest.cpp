#include "registry/RegistryErrorText.h"

#include <gtest/gtest.h>

namespace {

TEST(RegistryErrorText, KnownCodesHaveTheirSentencesAndOthersAreSpelledOutWithTheirSign) {
    EXPECT_EQ(RegistryErrorText(1010), "Bad Key Name!");
    EXPECT_EQ(RegistryErrorText(4), "Can't Read Key");
    EXPECT_EQ(RegistryErrorText(1012), "Can't Read Key");
    EXPECT_EQ(RegistryErrorText(5), "Access to this key is denied.");
    EXPECT_EQ(RegistryErrorText(8), "Out of memory");
    EXPECT_EQ(RegistryErrorText(14), "Out of memory");
    EXPECT_EQ(RegistryErrorText(87), "Invalid Parameter");
    EXPECT_EQ(RegistryErrorText(1009), "The Registry Database is corrupt!");
    EXPECT_EQ(RegistryErrorText(1015), "The Registry Database is corrupt!");
    EXPECT_EQ(RegistryErrorText(1013), "Can't Write Key");
    EXPECT_EQ(RegistryErrorText(0), "Undefined Key Error Code 0!");
    EXPECT_EQ(RegistryErrorText(-1), "Undefined Key Error Code-1!");
}

}  // namespace
