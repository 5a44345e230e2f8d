#include <gtest/gtest.h>

#include "editor/CheckFrequency.h"

namespace {

using editor::CheckedFrequencyText;
using editor::ToInt16;

TEST(CheckFrequency, RejectedTextsBecomeThirty) {
    for (const char* typed : {"10", "-5", "30", "abc", "", "40000", "   ", "30.5", "0", "-40000"}) {
        EXPECT_EQ(CheckedFrequencyText(typed), "30") << '"' << typed << '"';
    }
}

TEST(CheckFrequency, AcceptedTextsStayExactlyAsTyped) {
    for (const char* typed : {"31", "300", "30.6", " 45", "600 ", "+120", "0031", "32767", "31.",
                              "32766.5", "\t60\t", "32767.49"}) {
        EXPECT_EQ(CheckedFrequencyText(typed), typed) << '"' << typed << '"';
    }
}

TEST(CheckFrequency, HalvesRoundToTheEvenNeighbour) {
    EXPECT_EQ(ToInt16("30.5"), 30);
    EXPECT_EQ(ToInt16("31.5"), 32);
    EXPECT_EQ(ToInt16("-2.5"), -2);
    EXPECT_EQ(ToInt16("-3.5"), -4);
    EXPECT_EQ(ToInt16("0.5"), 0);
    EXPECT_EQ(ToInt16(".5"), 0);
    EXPECT_EQ(ToInt16("1.5"), 2);
    // Anything past the half decides, however far out.
    EXPECT_EQ(ToInt16("30.50000000001"), 31);
    EXPECT_EQ(ToInt16("30.4999999999"), 30);
    EXPECT_EQ(ToInt16("30.6"), 31);
}

TEST(CheckFrequency, SixteenBitRangeIsCheckedAfterRounding) {
    EXPECT_EQ(ToInt16("32767"), 32767);
    EXPECT_EQ(ToInt16("-32768"), -32768);
    EXPECT_EQ(ToInt16("32768"), std::nullopt);
    EXPECT_EQ(ToInt16("-32769"), std::nullopt);
    EXPECT_EQ(ToInt16("32767.5"), std::nullopt);  // rounds to 32768
    EXPECT_EQ(ToInt16("-32768.5"), -32768);       // the even neighbour is in range
    EXPECT_EQ(ToInt16("99999999999999999999"), std::nullopt);
    EXPECT_EQ(ToInt16("000000000000000000300"), 300);
}

TEST(CheckFrequency, OnlySignDigitsAndPointFractionAreNumbers) {
    for (const char* typed : {"", " ", "+", "-", ".", "1e3", "&H1F", "0x1F", "1,000", "30,5", "- 5",
                              "5 5", "30s", "++5", "1.2.3", "٣٠", "３０"}) {
        EXPECT_EQ(ToInt16(typed), std::nullopt) << '"' << typed << '"';
    }
    EXPECT_EQ(ToInt16(" -5 "), -5);
    EXPECT_EQ(ToInt16("+7"), 7);
    EXPECT_EQ(ToInt16("8."), 8);
}

}  // namespace
