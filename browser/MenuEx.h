// The browser's skinned menu. It keeps a record of its own for every item; the items of a pop-up
// menu are owner-drawn from those records in the skin's menu colours, while a menu bar keeps
// plain items and owns a pop-up CMenuEx for each of its pop-ups. Items that the program inserts
// or changes as plain strings are taken in again just before the pop-up opens (RefreshItems,
// through OnInitMenuPopup).
#pragma once

#include <memory>
#include <vector>

#include "browser/MenuExItem.h"
#include "platform/drawing/DC.h"
#include "platform/framework/Menu.h"

class CMenuEx : public CMenu {
    DECLARE_DYNAMIC(CMenuEx)

public:
    static constexpr int kDefaultImageSize = 20;
    // Added to the text width of a command and of a pop-up item.
    static constexpr int kCommandMargin = 10;
    static constexpr int kPopupMargin = 25;
    static constexpr COLORREF kSeparatorColor = RGB(197, 194, 184);

    CMenuEx();
    ~CMenuEx() override;

    // Each replaces what the menu held. 0 when the resource is missing or an item cannot be
    // copied; the menu then keeps the items copied so far. LoadFromHandle takes the menu over
    // and destroys it once its items are copied.
    BOOL LoadMenu(UINT nIDResource);
    BOOL LoadFromHandle(HMENU hMenu);
    // Appends a record and an item for each item of the source; false at the first failure.
    BOOL ImportItems(CMenu* source);
    // flags are MF_ flags; value is the command id, or the sub-menu handle with MF_POPUP, which
    // is copied into a new pop-up CMenuEx. Positions count from 0. 1 inserted, 0 failed.
    BOOL AppendItem(UINT flags, UINT_PTR value, LPCSTR text);
    BOOL InsertItem(UINT position, UINT flags, UINT_PTR value, LPCSTR text);

    CMenuEx* GetSubMenu(int index) const;
    void SetPopup(int flag) { isPopup = flag; }
    int GetItemCount() const { return static_cast<int>(items.size()); }
    MenuExItem* GetItem(int index) const;

    // Brings the records in line with the items the menu holds now.
    void RefreshItems();
    static void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    static void OnMeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    // Destroys the pop-ups' menus first, then the records and the menu.
    virtual BOOL DestroyMenu();

    int isPopup = 0;
    int separatorHeight = 10;
    COLORREF checkTextSelected;
    COLORREF checkTextNormal;
    COLORREF checkBorder = RGB(49, 106, 197);
    COLORREF checkFill = RGB(200, 220, 253);
    int imageWidth = kDefaultImageSize;
    int imageHeight = kDefaultImageSize;
    std::vector<std::unique_ptr<MenuExItem>> items;

private:
    // A record for an item of the given flags; a pop-up's sub-menu is copied into a new pop-up
    // CMenuEx, whose handle the item then holds.
    std::unique_ptr<MenuExItem> MakeRecord(UINT flags, UINT_PTR value, LPCSTR text);
    // Makes the item at `position` owner-drawn with the record as its data.
    BOOL MakeOwnerDrawn(UINT position, UINT stateFlags, const MenuExItem& record);
    void DrawCheck(CDC* dc, const CRect& item, bool selected, bool grayed) const;
};
