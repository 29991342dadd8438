#include "tray/SkinButtonSet.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(SkinButtonSetTest, ButtonLinesKeepDefaultsForMissingFieldsAndRefuseLongNames) {
    const auto full = CSkinButtonSet::ParseButtonLine("222,150,70,22,1,199,1,data\\b.bmp rest");
    EXPECT_EQ(full.x, 222);
    EXPECT_EQ(full.y, 150);
    EXPECT_EQ(full.width, 70);
    EXPECT_EQ(full.height, 22);
    EXPECT_EQ(full.state, 1);
    EXPECT_EQ(full.shape, 199);
    EXPECT_EQ(full.toggle, 1);
    EXPECT_EQ(full.bitmap, "data\\b.bmp");

    const auto shortLine = CSkinButtonSet::ParseButtonLine("5,6");
    EXPECT_EQ(shortLine.x, 5);
    EXPECT_EQ(shortLine.y, 6);
    EXPECT_EQ(shortLine.width, 100);
    EXPECT_EQ(shortLine.height, 20);
    EXPECT_TRUE(shortLine.bitmap.empty());

    const std::string name(259, 'n');
    EXPECT_EQ(CSkinButtonSet::ParseButtonLine(("0,0,1,1,0,0,0," + name).c_str()).bitmap, name);
    EXPECT_TRUE(
        CSkinButtonSet::ParseButtonLine(("0,0,1,1,0,0,0," + name + "n").c_str()).bitmap.empty());
    // Out-of-range numbers are bounded; a state outside the strip is the normal one.
    const auto wild = CSkinButtonSet::ParseButtonLine("99999999999,0,99999999999,1,7,0,0,a.bmp");
    EXPECT_EQ(wild.x, 1000000);
    EXPECT_EQ(wild.width, 1000000);
    EXPECT_EQ(wild.state, 0);
}

}  // namespace
