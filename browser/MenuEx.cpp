#include "browser/MenuEx.h"

#include <algorithm>
#include <cstring>

#include "browser/SkinColors.h"
#include "platform/framework/WinApp.h"

IMPLEMENT_DYNAMIC(CMenuEx, CMenu)

namespace {

constexpr int kMaxItemText = 256;

// Measured in the main window's device context, as the items are drawn there.
int TextWidth(LPCSTR text) {
    CWnd* main = AfxGetMainWnd();
    HWND window = main != nullptr ? main->m_hWnd : nullptr;
    HDC dc = ::GetDC(window);
    SIZE size{};
    if (text != nullptr) {
        ::GetTextExtentPoint32A(dc, text, static_cast<int>(strlen(text)), &size);
    }
    ::ReleaseDC(window, dc);
    return size.cx;
}

CString ItemText(HMENU menu, UINT position) {
    char text[kMaxItemText] = {};
    ::GetMenuStringA(menu, position, text, kMaxItemText, MF_BYPOSITION);
    return text;
}

void DrawEmbossed(CDC* dc, const CString& text, int x, int y) {
    ::DrawStateA(dc->GetSafeHdc(), nullptr, nullptr,
                 reinterpret_cast<LPARAM>(static_cast<LPCSTR>(text)),
                 static_cast<WPARAM>(text.GetLength()), x, y, 0, 0, DST_PREFIXTEXT | DSS_DISABLED);
}

}  // namespace

CMenuEx::CMenuEx()
    : checkTextSelected(::GetSysColor(COLOR_MENUTEXT)),
      checkTextNormal(::GetSysColor(COLOR_MENUTEXT)) {}

CMenuEx::~CMenuEx() {
    DestroyMenu();
}

BOOL CMenuEx::LoadMenu(UINT nIDResource) {
    HMENU loaded = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
    if (loaded == nullptr) {
        return FALSE;
    }
    return LoadFromHandle(loaded);
}

BOOL CMenuEx::LoadFromHandle(HMENU hMenu) {
    CMenu source;
    source.Attach(hMenu);
    DestroyMenu();
    BOOL created = isPopup != 0 ? CreatePopupMenu() : CreateMenu();
    BOOL result = created && ImportItems(&source);
    source.DestroyMenu();
    return result;
}

BOOL CMenuEx::ImportItems(CMenu* source) {
    int count = static_cast<int>(source->GetMenuItemCount());
    for (int position = 0; position < count; ++position) {
        UINT id = source->GetMenuItemID(position);
        UINT state = source->GetMenuState(position, MF_BYPOSITION);
        CString text = ItemText(source->m_hMenu, position);
        BOOL appended;
        if (id == 0) {
            appended = AppendItem(MF_SEPARATOR, 0, nullptr);
        } else if (id == static_cast<UINT>(-1)) {
            HMENU subMenu = ::GetSubMenu(source->m_hMenu, position);
            appended =
                AppendItem((state & 0xFF) | MF_POPUP, reinterpret_cast<UINT_PTR>(subMenu), text);
        } else {
            appended = AppendItem(state, id, text);
        }
        if (!appended) {
            return FALSE;
        }
    }
    return TRUE;
}

BOOL CMenuEx::AppendItem(UINT flags, UINT_PTR value, LPCSTR text) {
    return InsertItem(static_cast<UINT>(::GetMenuItemCount(m_hMenu)), flags, value, text);
}

std::unique_ptr<MenuExItem> CMenuEx::MakeRecord(UINT flags, UINT_PTR value, LPCSTR text) {
    auto record = std::make_unique<MenuExItem>();
    if (flags & MF_SEPARATOR) {
        record->height = separatorHeight;
        return record;
    }
    record->text = text;
    record->height = 2;
    if (flags & MF_POPUP) {
        record->subMenu = std::make_unique<CMenuEx>();
        record->subMenu->SetPopup(1);
        record->subMenu->LoadFromHandle(reinterpret_cast<HMENU>(value));
        record->id = -1;
        record->width = TextWidth(text) + kPopupMargin;
        record->isPopup = 1;
        return record;
    }
    record->id = static_cast<int>(value);
    record->width = TextWidth(text) + kCommandMargin;
    return record;
}

BOOL CMenuEx::MakeOwnerDrawn(UINT position, UINT stateFlags, const MenuExItem& record) {
    auto data = reinterpret_cast<LPCSTR>(&record);
    if (record.isPopup) {
        return ModifyMenu(position, stateFlags | MF_BYPOSITION | MF_POPUP | MF_OWNERDRAW,
                          reinterpret_cast<UINT_PTR>(record.subMenu->m_hMenu), data);
    }
    if (record.id == 0) {
        return ModifyMenu(position, MF_BYPOSITION | MF_SEPARATOR | MF_OWNERDRAW, 0, data);
    }
    return ModifyMenu(position, stateFlags | MF_BYPOSITION | MF_OWNERDRAW,
                      static_cast<UINT_PTR>(record.id), data);
}

BOOL CMenuEx::InsertItem(UINT position, UINT flags, UINT_PTR value, LPCSTR text) {
    std::unique_ptr<MenuExItem> record = MakeRecord(flags, value, text);
    UINT_PTR inserted =
        record->isPopup ? reinterpret_cast<UINT_PTR>(record->subMenu->m_hMenu) : value;
    if (!InsertMenu(position, flags | MF_BYPOSITION, inserted, record->id == 0 ? nullptr : text)) {
        return FALSE;
    }
    // Only the state flags of a pop-up item survive the change: a command is checked or
    // grayed again by the framework when its pop-up opens.
    if (isPopup && !MakeOwnerDrawn(position, record->isPopup ? flags & 0xFF : 0, *record)) {
        return FALSE;
    }
    size_t at = std::min<size_t>(position, items.size());
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(at), std::move(record));
    return TRUE;
}

CMenuEx* CMenuEx::GetSubMenu(int index) const {
    MenuExItem* record = GetItem(index);
    return record != nullptr && record->isPopup ? record->subMenu.get() : nullptr;
}

MenuExItem* CMenuEx::GetItem(int index) const {
    if (index < 0 || index >= GetItemCount()) {
        return nullptr;
    }
    return items[static_cast<size_t>(index)].get();
}

void CMenuEx::RefreshItems() {
    if (!isPopup) {
        return;
    }
    int count = ::GetMenuItemCount(m_hMenu);
    for (int position = 0; position < count; ++position) {
        auto at = static_cast<UINT>(position);
        UINT id = GetMenuItemID(position);
        UINT state = GetMenuState(at, MF_BYPOSITION);
        CString text = ItemText(m_hMenu, at);
        MenuExItem* record = GetItem(position);
        if (record == nullptr || record->id != static_cast<int>(id)) {
            UINT flags = id == 0 ? MF_SEPARATOR : 0;
            UINT_PTR value = id;
            if (id == static_cast<UINT>(-1)) {
                flags = MF_POPUP;
                value = reinterpret_cast<UINT_PTR>(::GetSubMenu(m_hMenu, position));
            }
            std::unique_ptr<MenuExItem> fresh = MakeRecord(flags, value, text);
            MakeOwnerDrawn(at, state & (MF_GRAYED | MF_DISABLED | MF_CHECKED), *fresh);
            items.insert(items.begin() + position, std::move(fresh));
        } else if (!record->isPopup && ((state & MF_OWNERDRAW) == 0 || text == record->text)) {
            record->text = text;
            MakeOwnerDrawn(at, state & (MF_GRAYED | MF_DISABLED | MF_CHECKED), *record);
        }
    }
    while (GetItemCount() > std::max(count, 0)) {
        if (items.back()->subMenu != nullptr) {
            items.back()->subMenu->DestroyMenu();
        }
        items.pop_back();
    }
}

void CMenuEx::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu) {
    auto* menu = dynamic_cast<CMenuEx*>(pPopupMenu);
    if (!bSysMenu && menu != nullptr) {
        menu->RefreshItems();
    }
}

void CMenuEx::OnMeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
    if (lpMeasureItemStruct->CtlType != ODT_MENU || lpMeasureItemStruct->itemData == 0) {
        return;
    }
    const auto* record = reinterpret_cast<const MenuExItem*>(lpMeasureItemStruct->itemData);
    lpMeasureItemStruct->itemWidth = static_cast<UINT>(record->width);
    lpMeasureItemStruct->itemHeight = static_cast<UINT>(record->height);
    if (record->id != 0) {
        lpMeasureItemStruct->itemWidth += kDefaultImageSize;
        lpMeasureItemStruct->itemHeight += kDefaultImageSize;
    }
}

void CMenuEx::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    if (lpDrawItemStruct->CtlType != ODT_MENU || lpDrawItemStruct->itemData == 0) {
        return;
    }
    const auto* record = reinterpret_cast<const MenuExItem*>(lpDrawItemStruct->itemData);
    CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect rect(lpDrawItemStruct->rcItem);
    UINT itemState = lpDrawItemStruct->itemState;
    bool selected = (itemState & ODS_SELECTED) != 0;
    bool grayed = (itemState & ODS_GRAYED) != 0;
    const SkinColors& skin = Skin();

    dc->FillSolidRect(&rect, skin.menuBackgroundRight);
    dc->FillSolidRect(CRect(rect.left, rect.top, rect.left + imageWidth + 2, rect.bottom),
                      skin.menuBackgroundLeft);

    if (record->id != 0 && selected && !grayed && (itemState & ODS_DISABLED) == 0) {
        CPen pen(PS_SOLID, 1, skin.menuSelectedBorder);
        CBrush brush(skin.menuSelectedBackground);
        CPen* oldPen = dc->SelectObject(&pen);
        CBrush* oldBrush = dc->SelectObject(&brush);
        dc->Rectangle(&rect);
        dc->SelectObject(oldBrush);
        dc->SelectObject(oldPen);
    }

    int textLeft = rect.left + imageWidth + 10;
    dc->SetBkMode(TRANSPARENT);
    if (record->id == 0) {
        dc->FillSolidRect(textLeft, rect.top + rect.Height() / 2, rect.right - textLeft, 1,
                          kSeparatorColor);
    } else {
        CSize extent = dc->GetTextExtent(record->text);
        int top = rect.top + (rect.Height() - extent.cy) / 2;
        if (grayed) {
            DrawEmbossed(dc, record->text, textLeft, top);
        } else {
            dc->SetTextColor(selected ? skin.menuSelectedText : skin.menuText);
            CRect textRect(textLeft, top, rect.right, rect.bottom);
            dc->DrawText(record->text, &textRect, DT_EXPANDTABS | DT_VCENTER);
        }
    }

    if (itemState & ODS_CHECKED) {
        DrawCheck(dc, rect, selected, grayed);
    }
}

void CMenuEx::DrawCheck(CDC* dc, const CRect& item, bool selected, bool grayed) const {
    CRect box(item.left + 1, item.top + 1, item.left + imageWidth + 1, item.top + imageHeight + 1);
    CPen pen(PS_SOLID, 1, checkBorder);
    CBrush brush(checkFill);
    CPen* oldPen = dc->SelectObject(&pen);
    CBrush* oldBrush = dc->SelectObject(&brush);
    dc->Rectangle(&box);
    dc->SelectObject(oldBrush);
    dc->SelectObject(oldPen);

    const CString mark = "√";
    CSize extent = dc->GetTextExtent(mark);
    int x = box.left + (box.Width() - extent.cx) / 2;
    int y = box.top + (box.Height() - extent.cy) / 2 - 4;
    dc->SetBkMode(TRANSPARENT);
    if (grayed) {
        DrawEmbossed(dc, mark, x, y);
        return;
    }
    dc->SetTextColor(selected ? checkTextSelected : checkTextNormal);
    dc->TextOut(x, y, mark);
}

BOOL CMenuEx::DestroyMenu() {
    for (auto& record : items) {
        if (record->subMenu != nullptr) {
            record->subMenu->DestroyMenu();
        }
    }
    items.clear();
    return m_hMenu != nullptr ? CMenu::DestroyMenu() : FALSE;
}
