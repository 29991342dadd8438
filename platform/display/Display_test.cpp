#include "platform/display/Display.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(DisplayTest, EnvironmentChoosesTheDisplay) {
    EXPECT_EQ(ChooseDisplay(nullptr, nullptr), DisplayKind::kHeadless);
    EXPECT_EQ(ChooseDisplay(nullptr, ""), DisplayKind::kHeadless);
    EXPECT_EQ(ChooseDisplay(nullptr, ":0"), DisplayKind::kDesktop);
    EXPECT_EQ(ChooseDisplay("headless", ":0"), DisplayKind::kHeadless);
    EXPECT_EQ(ChooseDisplay("desktop", nullptr), DisplayKind::kDesktop);
    EXPECT_EQ(ChooseDisplay("bogus", ":1"), DisplayKind::kDesktop);
}

}  // namespace
}  // namespace platform
