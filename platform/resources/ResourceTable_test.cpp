#include "platform/resources/ResourceTable.h"

#include <gtest/gtest.h>

#include "platform/resources/ResourceKey.h"

namespace platform {
namespace {

TEST(ResourceKeyTest, NumbersAndNamesShareOneForm) {
    EXPECT_EQ(ResourceKey(128u), "#128");
    EXPECT_EQ(ResourceKey("#128"), "#128");
    EXPECT_EQ(ResourceKey("#0128"), "#128");
    EXPECT_EQ(ResourceKey("#65536"), "#65536");  // too large to be a number: a name
    EXPECT_EQ(ResourceKey("#12a"), "#12A");
    EXPECT_EQ(ResourceKey("Skin_Bmp"), "SKIN_BMP");
    EXPECT_EQ(ResourceKey("#"), "#");
}

TEST(ResourceTableTest, KeysByTypeAndNameAndKeepsEntriesInPlace) {
    ResourceTable table;
    table.Add("#2", "#157", {1, 2});
    table.Add("#5", "#157", {3});
    const ResourceTable::Entry* bitmap = table.Find("#2", "#157");
    ASSERT_NE(bitmap, nullptr);
    for (unsigned i = 0; i < 100; ++i) {
        table.Add("#10", ResourceKey(i), {});
    }
    EXPECT_EQ(table.Find("#2", "#157"), bitmap);
    EXPECT_EQ(bitmap->bytes, (std::vector<std::uint8_t>{1, 2}));
    EXPECT_EQ(table.Find("#5", "#157")->bytes, std::vector<std::uint8_t>{3});
    EXPECT_EQ(table.Find("#4", "#157"), nullptr);

    const unsigned char data[] = {9, 8};
    const ResourceData list[] = {{"Html", "page", data, 2}, {"#2", "#157", data, 1}};
    EXPECT_TRUE(table.AddAll(list, 2));
    ASSERT_NE(table.Find("HTML", "PAGE"), nullptr);
    EXPECT_EQ(table.Find("HTML", "PAGE")->bytes, (std::vector<std::uint8_t>{9, 8}));
    EXPECT_EQ(table.Find("#2", "#157")->bytes, std::vector<std::uint8_t>{9});  // replaced
}

}  // namespace
}  // namespace platform
