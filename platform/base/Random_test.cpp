#include "platform/base/Random.h"

#include <gtest/gtest.h>

namespace {

TEST(RandomTest, FollowsTheOriginalSequence) {
    platform::Random random;
    EXPECT_EQ(random.Next(), 41);
    EXPECT_EQ(random.Next(), 18467);
    EXPECT_EQ(random.Next(), 6334);

    random.Seed(1);
    EXPECT_EQ(random.Next(), 41);
}

TEST(RandomTest, StaysInRange) {
    platform::Random random(0xDEADBEEF);
    for (int i = 0; i < 100000; ++i) {
        int value = random.Next();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, platform::Random::kMax);
    }
}

}  // namespace
