#include "platform/time/OleDateTimeSpan.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void ExpectParts(const COleDateTimeSpan& span, LONG days, LONG hours, LONG minutes, LONG seconds) {
    ASSERT_EQ(span.GetStatus(), COleDateTimeSpan::valid);
    EXPECT_EQ(span.GetDays(), days);
    EXPECT_EQ(span.GetHours(), hours);
    EXPECT_EQ(span.GetMinutes(), minutes);
    EXPECT_EQ(span.GetSeconds(), seconds);
}

TEST(OleDateTimeSpanTest, PartsAndTotals) {
    const COleDateTimeSpan span(1, 2, 5, 0);
    ExpectParts(span, 1, 2, 5, 0);
    EXPECT_DOUBLE_EQ(span.GetTotalDays(), 93900.0 / 86400);
    EXPECT_DOUBLE_EQ(span.GetTotalHours(), 26.0 + 5.0 / 60);
    EXPECT_EQ(span.GetTotalMinutes(), 1565.0);
    EXPECT_EQ(span.GetTotalSeconds(), 93900.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(span), span.GetTotalDays());

    ExpectParts(COleDateTimeSpan(), 0, 0, 0, 0);
    // The parts are summed, so out-of-range parts carry.
    ExpectParts(COleDateTimeSpan(0, 25, 61, 61), 1, 2, 2, 1);
    ExpectParts(COleDateTimeSpan(1, -1, 0, 0), 0, 23, 0, 0);
}

TEST(OleDateTimeSpanTest, NegativeSpansCarryTheSignInEveryPart) {
    const COleDateTimeSpan span(-1, -12, 0, 0);
    ExpectParts(span, -1, -12, 0, 0);
    EXPECT_EQ(span.GetTotalDays(), -1.5);
    ExpectParts(COleDateTimeSpan(-1.5), -1, -12, 0, 0);
    ExpectParts(COleDateTimeSpan(0, 0, 0, -61), 0, 0, -1, -1);
    ExpectParts(-COleDateTimeSpan(2, 3, 4, 5), -2, -3, -4, -5);
}

TEST(OleDateTimeSpanTest, DoubleDaysRoundToTheNearestSecond) {
    ExpectParts(COleDateTimeSpan(1.5), 1, 12, 0, 0);
    ExpectParts(COleDateTimeSpan(0.6 / 86400), 0, 0, 0, 1);
    ExpectParts(COleDateTimeSpan(0.4 / 86400), 0, 0, 0, 0);
    ExpectParts(COleDateTimeSpan(-0.6 / 86400), 0, 0, 0, -1);
    EXPECT_EQ(COleDateTimeSpan(std::nan("")).GetStatus(), COleDateTimeSpan::invalid);
    EXPECT_EQ(COleDateTimeSpan(3615898.0).GetStatus(), COleDateTimeSpan::invalid);
    EXPECT_EQ(COleDateTimeSpan(-3615897.0).GetStatus(), COleDateTimeSpan::valid);
    EXPECT_EQ(COleDateTimeSpan(3615898, 0, 0, 0).GetStatus(), COleDateTimeSpan::invalid);
}

TEST(OleDateTimeSpanTest, ArithmeticAndStatus) {
    COleDateTimeSpan span(1, 0, 0, 0);
    span += COleDateTimeSpan(0, 12, 0, 0);
    EXPECT_EQ(span, COleDateTimeSpan(1.5));
    span -= COleDateTimeSpan(2, 0, 0, 0);
    EXPECT_EQ(span, COleDateTimeSpan(-0.5));
    EXPECT_EQ(COleDateTimeSpan(1.0) - COleDateTimeSpan(1.0), COleDateTimeSpan());

    COleDateTimeSpan bad;
    bad.SetStatus(COleDateTimeSpan::invalid);
    COleDateTimeSpan empty;
    empty.SetStatus(COleDateTimeSpan::null);
    EXPECT_EQ((span + bad).GetStatus(), COleDateTimeSpan::invalid);
    EXPECT_EQ((bad - span).GetStatus(), COleDateTimeSpan::invalid);
    EXPECT_EQ((bad + empty).GetStatus(), COleDateTimeSpan::null);
    EXPECT_EQ((empty - span).GetStatus(), COleDateTimeSpan::null);
    EXPECT_EQ((COleDateTimeSpan(3615897.0) + COleDateTimeSpan(0, 0, 0, 1)).GetStatus(),
              COleDateTimeSpan::invalid);
    // Negation keeps the status.
    EXPECT_EQ((-empty).GetStatus(), COleDateTimeSpan::null);

    // Equality needs the same status; the orderings look at the lengths.
    EXPECT_FALSE(bad == COleDateTimeSpan());
    EXPECT_TRUE(COleDateTimeSpan(0, 0, 0, 1) > COleDateTimeSpan());
    EXPECT_TRUE(COleDateTimeSpan(-1.0) < COleDateTimeSpan());
    EXPECT_TRUE(COleDateTimeSpan(1.0) >= COleDateTimeSpan(1, 0, 0, 0));
    EXPECT_FALSE(COleDateTimeSpan(1.0) <= COleDateTimeSpan(0, 23, 59, 59));
}

}  // namespace
