#include "manager/TextNumber.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(TextNumberTest, ReadsLikeAtoiAndClampsWhatOverflows) {
    EXPECT_EQ(ParseTextNumber("12"), 12);
    EXPECT_EQ(ParseTextNumber("3x"), 3);
    EXPECT_EQ(ParseTextNumber("abc"), 0);
    EXPECT_EQ(ParseTextNumber(""), 0);
    EXPECT_EQ(ParseTextNumber(nullptr), 0);
    EXPECT_EQ(ParseTextNumber(" \t-7"), -7);
    EXPECT_EQ(ParseTextNumber("+90"), 90);
    EXPECT_EQ(ParseTextNumber("- 5"), 0);
    EXPECT_EQ(ParseTextNumber("2147483647"), INT_MAX);
    EXPECT_EQ(ParseTextNumber("2147483648"), INT_MAX);
    EXPECT_EQ(ParseTextNumber("99999999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseTextNumber("-2147483648"), INT_MIN);
    EXPECT_EQ(ParseTextNumber("-99999999999999999999999"), INT_MIN);
}

}  // namespace
