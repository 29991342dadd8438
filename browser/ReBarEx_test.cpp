#include "browser/ReBarEx.h"

#include "browser/ChromeTestFixture.h"

namespace {

using namespace chrome_test;

TEST_F(ChromeTest, TheRebarBackgroundIsTheSkinsToolColour) {
    CReBarEx rebar;
    ASSERT_TRUE(rebar.Create(frame));
    rebar.MoveWindow(0, 0, 300, 30);
    rebar.Invalidate();
    platform::PumpUntilIdle();
    EXPECT_EQ(PixelAt(rebar, 150, 15), kToolBackground);
    EXPECT_EQ(PixelAt(rebar, 299, 29), kToolBackground);
}

}  // namespace
