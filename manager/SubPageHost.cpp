#include "manager/SubPageHost.h"

#include "manager/DialogKeyFilter.h"

CSubPageHost::CSubPageHost(UINT nIDTemplate, const char* title, const char* skinKey, int children)
    : CSkinnedPage(nIDTemplate), title_(title), skinKey_(skinKey), children_(children) {}

BOOL CSubPageHost::OnInitDialog() {
    CDialog::OnInitDialog();
    return painter_.LoadSkin(skinKey_) == 0;
}

BOOL CSubPageHost::PreTranslateMessage(MSG* pMsg) {
    if (FilterDialogKeys(pMsg)) {
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

BOOL CSubPageHost::DestroyWindow() {
    for (int n = 0; n < static_cast<int>(children_.size()); ++n) {
        std::unique_ptr<CDialog>& child = children_[static_cast<std::size_t>(DestroySlot(n))];
        if (child != nullptr) {
            child->DestroyWindow();
            child.reset();
        }
    }
    current_ = nullptr;
    return CDialog::DestroyWindow();
}

CDialog* CSubPageHost::Child(int index) const {
    if (index < 0 || index >= static_cast<int>(children_.size())) {
        return nullptr;
    }
    return children_[index].get();
}

int CSubPageHost::OnButton(int index) {
    if (index < 0 || index >= static_cast<int>(children_.size())) {
        return 0;
    }
    std::unique_ptr<CDialog>& child = children_[index];
    if (child == nullptr) {
        UINT templateId = 0;
        std::unique_ptr<CDialog> made = CreateChild(index, templateId);
        if (made == nullptr || !made->Create(templateId, this)) {
            return 0;
        }
        child = std::move(made);
        child->MoveWindow(&childRect_);
    }
    if (current_ != nullptr) {
        current_->ShowWindow(SW_HIDE);
    }
    const bool first = current_ == nullptr;
    child->ShowWindow(SW_SHOW);
    current_ = child.get();
    // From now on the child covers its area, which the background no longer paints.
    if (first) {
        RecalcLayout();
    }
    return 0;
}

int CSubPageHost::HideSubPage() {
    if (current_ != nullptr) {
        current_->ShowWindow(SW_HIDE);
        current_ = nullptr;
        // The background covers the child area again.
        RecalcLayout();
        Invalidate();
    }
    return 0;
}

int CSubPageHost::RecalcLayout() {
    CRect client;
    GetClientRect(&client);
    childRect_ = client;
    childRect_.top += kChildTop;
    childRect_.DeflateRect(1, 1);
    painter_.ResetRects();
    painter_.AddRect(client);
    if (current_ != nullptr) {
        painter_.AddRect(childRect_);
    }
    painter_.SplitRects();
    for (std::unique_ptr<CDialog>& child : children_) {
        if (child != nullptr) {
            child->MoveWindow(&childRect_, TRUE);
        }
    }
    return 0;
}

void CSubPageHost::DrawContent(CDC* buffer, const CRect& client) {
    CPagePainter::DrawTitle(buffer, client, title_);
}
