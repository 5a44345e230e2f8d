// The window's own table of typed texts is in tests/app.
#include "editor/CheckFrequency.h"

#include <gtest/gtest.h>

namespace {

using editor::CheckedFrequencyText;
using editor::ToInt16;

TEST(CheckFrequency, RejectedTextsBecomeThirtyAcceptedOnesStayExactlyAsTyped) {
    for (const char* typed : {"-5", "30", "30.5", "40000"}) {
        EXPECT_EQ(CheckedFrequencyText(typed), "30") << '"' << typed << '"';
    }
    for (const char* typed : {"31", "+120", "0031", "32767", "31.", "\t60\t", "32767.49"}) {
        EXPECT_EQ(CheckedFrequencyText(typed), typed) << '"' << typed << '"';
    }
}

// Exact halves go to the even neighbour, anything past one rounds up; 16 bits after rounding.
TEST(CheckFrequency, ConversionRoundsHalvesToEvenWithinSixteenBits) {
    const std::pair<const char*, int> numbers[] = {
        {"30.5", 30},       {"31.5", 32},           {"-2.5", -2},          {"-3.5", -4},
        {".5", 0},          {"30.50000000001", 31}, {"30.4999999999", 30}, {"32767", 32767},
        {"-32768", -32768}, {"-32768.5", -32768},   {" -5 ", -5},          {"0000000000300", 300}};
    for (const auto& [typed, expected] : numbers) {
        EXPECT_EQ(ToInt16(typed), expected) << '"' << typed << '"';
    }
    // Out of range, or not made of sign, digits and a point fraction.
    for (const char* typed : {"32768", "-32769", "32767.5", "99999999999999999999", "", " ", "+",
                              ".", "1e3", "&H1F", "30,5", "- 5", "30s", "++5", "1.2.3", "٣٠"}) {
        EXPECT_EQ(ToInt16(typed), std::nullopt) << '"' << typed << '"';
    }
}

}  // namespace
