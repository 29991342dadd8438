#include "platform/framework/TreeCtrl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/framework/WrapperTest.h"
#include "platform/windows/WindowPlatform.h"

namespace {

class TreeCtrlWrapperTest : public platform::testing::WrapperTest {
protected:
    TreeCtrlWrapperTest() {
        host.notify = [this](const NMHDR* header, LRESULT*) {
            if (header->code == TVN_SELCHANGED) {
                const auto* tree = reinterpret_cast<const NMTREEVIEW*>(header);
                selected.push_back(tree->itemNew.hItem != nullptr ? tree->itemNew.lParam : -1);
            }
            return false;
        };
    }
    void SetUp() override {
        WrapperTest::SetUp();
        ASSERT_TRUE(tree.Create(
            WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
            CRect(0, 0, 250, 250), &host, 1050));
    }
    void TearDown() override {
        tree.DestroyWindow();
        WrapperTest::TearDown();
    }

    HTREEITEM Add(const char* text, LPARAM data, HTREEITEM parent = TVI_ROOT) {
        return tree.InsertItem(TVIF_TEXT | TVIF_PARAM, text, 0, 0, 0, 0, data, parent, TVI_LAST);
    }

    std::vector<LPARAM> selected;
    CTreeCtrl tree;
};

TEST_F(TreeCtrlWrapperTest, ItemsCarryTextAndDataAndAreWalkedInOrder) {
    HTREEITEM music = Add("音乐", 1);
    HTREEITEM films = Add("电影", 2);
    HTREEITEM song = Add("歌", 11, music);
    HTREEITEM first = tree.InsertItem("最前", TVI_ROOT, TVI_FIRST);
    ASSERT_NE(music, nullptr);
    ASSERT_NE(song, nullptr);
    EXPECT_EQ(tree.GetCount(), 4u);

    EXPECT_EQ(tree.GetRootItem(), first);
    EXPECT_EQ(tree.GetNextSiblingItem(first), music);
    EXPECT_EQ(tree.GetNextSiblingItem(music), films);
    EXPECT_EQ(tree.GetNextSiblingItem(films), nullptr);
    EXPECT_EQ(tree.GetPrevSiblingItem(music), first);
    EXPECT_EQ(tree.GetChildItem(music), song);
    EXPECT_EQ(tree.GetParentItem(song), music);
    EXPECT_TRUE(tree.ItemHasChildren(music));
    EXPECT_FALSE(tree.ItemHasChildren(films));

    EXPECT_STREQ(tree.GetItemText(music), "音乐");
    EXPECT_EQ(tree.GetItemData(song), 11u);
    EXPECT_EQ(tree.GetItemData(first), 0u);
    EXPECT_TRUE(tree.SetItemText(films, "影片"));
    EXPECT_STREQ(tree.GetItemText(films), "影片");
    const std::string longText(600, 'y');
    EXPECT_TRUE(tree.SetItemText(films, longText.c_str()));
    EXPECT_EQ(std::string(static_cast<LPCSTR>(tree.GetItemText(films))), longText);
    EXPECT_TRUE(tree.SetItemData(films, 22));
    EXPECT_EQ(tree.GetItemData(films), 22u);

    EXPECT_TRUE(tree.DeleteItem(music));
    EXPECT_EQ(tree.GetCount(), 2u);
    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(tree.GetCount(), 0u);
    EXPECT_EQ(tree.GetRootItem(), nullptr);
}

TEST_F(TreeCtrlWrapperTest, SelectionNotifiesAndExpansionShowsChildren) {
    HTREEITEM folder = Add("目录", 5);
    HTREEITEM file = Add("文件", 6, folder);
    HTREEITEM other = Add("其他", 7);

    EXPECT_EQ(tree.GetItemState(folder, TVIS_EXPANDED), 0u);
    EXPECT_TRUE(tree.Expand(folder, TVE_EXPAND));
    EXPECT_EQ(tree.GetItemState(folder, TVIS_EXPANDED), static_cast<UINT>(TVIS_EXPANDED));
    EXPECT_EQ(tree.GetNextVisibleItem(folder), file);

    EXPECT_EQ(tree.GetSelectedItem(), nullptr);
    EXPECT_TRUE(tree.SelectItem(file));
    EXPECT_EQ(tree.GetSelectedItem(), file);
    EXPECT_EQ(tree.GetItemState(file, TVIS_SELECTED), static_cast<UINT>(TVIS_SELECTED));
    EXPECT_TRUE(tree.SelectItem(other));
    EXPECT_TRUE(tree.SelectItem(nullptr));
    EXPECT_EQ(tree.GetSelectedItem(), nullptr);
    EXPECT_EQ(selected, (std::vector<LPARAM>{6, 7, -1}));

    CRect rect;
    ASSERT_TRUE(tree.GetItemRect(other, &rect, TRUE));
    UINT flags = 0;
    EXPECT_EQ(tree.HitTest(rect.CenterPoint(), &flags), other);
    EXPECT_NE(flags & TVHT_ONITEMLABEL, 0u);
    EXPECT_FALSE(tree.GetItemRect(nullptr, &rect, TRUE));

    EXPECT_TRUE(tree.Expand(folder, TVE_COLLAPSE));
    EXPECT_EQ(tree.GetNextVisibleItem(folder), other);
}

}  // namespace
