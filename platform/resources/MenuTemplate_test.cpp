#include "platform/resources/MenuTemplate.h"

#include <gtest/gtest.h>

#include "platform/resources/AcceleratorTable.h"
#include "platform/resources/DialogInit.h"
#include "platform/resources/StringBlock.h"

namespace platform {
namespace {

MenuItem Popup(std::string text, std::vector<MenuItem> children) {
    return MenuItem{MF_POPUP, 0, std::move(text), std::move(children)};
}

TEST(MenuTemplateTest, RoundTripsNestedPopups) {
    MenuTemplate menu;
    menu.items = {Popup("菜单", {Popup("屏捕", {MenuItem{0, 32787, "捕捉整 个屏幕", {}}}),
                                 MenuItem{MF_SEPARATOR, 0, "", {}},
                                 MenuItem{MF_DEFAULT, 32778, "打开管理中心", {}}})};
    std::vector<std::uint8_t> bytes = EncodeMenuTemplate(menu);
    std::optional<MenuTemplate> decoded = DecodeMenuTemplate(bytes);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(EncodeMenuTemplate(*decoded), bytes);
    ASSERT_EQ(decoded->items[0].children.size(), 3u);
    EXPECT_EQ(decoded->items[0].children[0].children[0].text, "捕捉整 个屏幕");
    EXPECT_EQ(decoded->items[0].children[2].flags, static_cast<DWORD>(MF_DEFAULT));

    for (size_t length = 0; length < bytes.size(); ++length) {
        EXPECT_FALSE(DecodeMenuTemplate(std::span(bytes.data(), length))) << length;
    }
}

TEST(MenuTemplateTest, RefusesNestingBeyondTheLimit) {
    MenuItem item{0, 1, "a", {}};
    for (int depth = 0; depth < kMaxMenuDepth; ++depth) {
        item = Popup("p", {item});
    }
    MenuTemplate menu;
    menu.items = {item};
    EXPECT_FALSE(DecodeMenuTemplate(EncodeMenuTemplate(menu)));
    menu.items = {item.children[0]};
    EXPECT_TRUE(DecodeMenuTemplate(EncodeMenuTemplate(menu)));
}

TEST(ResourceLayoutTest, AcceleratorsNeedTheirLastMark) {
    std::vector<AcceleratorEntry> entries = {{FVIRTKEY, 0x74, 32779}, {0, 26, 57643}};
    std::vector<std::uint8_t> bytes = EncodeAcceleratorTable(entries);
    ASSERT_EQ(bytes.size(), 16u);
    EXPECT_EQ(bytes[0], FVIRTKEY);
    EXPECT_EQ(bytes[8], 0x80);
    EXPECT_EQ(DecodeAcceleratorTable(bytes), entries);
    bytes[8] = 0;
    EXPECT_FALSE(DecodeAcceleratorTable(bytes));
    EXPECT_FALSE(DecodeAcceleratorTable(std::span(bytes.data(), 12)));
    EXPECT_FALSE(DecodeAcceleratorTable({}));
}

TEST(ResourceLayoutTest, DialogInitEndsAtAZeroId) {
    std::vector<DialogInitEntry> entries = {{1001, 0x403, std::string("秒\0", 3)}};
    std::vector<std::uint8_t> bytes = EncodeDialogInit(entries);
    const std::vector<std::uint8_t> expected = {0xE9, 0x03, 0x03, 0x04, 3, 0, 0,
                                                0,    0xC3, 0xEB, 0,    0, 0};
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(DecodeDialogInit(bytes), entries);
    for (size_t length = 0; length < bytes.size(); ++length) {
        EXPECT_FALSE(DecodeDialogInit(std::span(bytes.data(), length))) << length;
    }
    bytes[4] = 0xFF;  // a count past the end
    EXPECT_FALSE(DecodeDialogInit(bytes));
}

TEST(ResourceLayoutTest, StringBlockSlotsAndBrokenBlocks) {
    std::array<std::string, kStringsPerBlock> slots;
    slots[0] = "a";
    slots[15] = "列2";
    std::vector<std::uint8_t> block = EncodeStringBlock(slots);
    EXPECT_EQ(block.size(), 16u * 2 + 1 + 3);
    EXPECT_EQ(FindInStringBlock(block, 0), std::optional<std::string_view>("a"));
    EXPECT_EQ(FindInStringBlock(block, 15), std::optional<std::string_view>("列2"));
    EXPECT_FALSE(FindInStringBlock(block, 7));
    EXPECT_FALSE(FindInStringBlock(block, 16));
    EXPECT_FALSE(FindInStringBlock(std::span(block.data(), block.size() - 1), 15));
    EXPECT_EQ(StringBlockId(57344), 3585u);
    EXPECT_EQ(StringBlockId(15), 1u);
    EXPECT_EQ(StringBlockId(16), 2u);
}

}  // namespace
}  // namespace platform
