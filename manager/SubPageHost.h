// A page of the main window that shows one of its own child pages at a time below its title: the
// system tools page and the lookup page. Each child is made from its dialog template on first use
// and kept until the host is destroyed; the host paints its title and the background around the
// child area, which the child covers once one is shown.
#pragma once

#include <memory>
#include <vector>

#include "manager/SkinnedPage.h"

class CSubPageHost : public CSkinnedPage {
public:
    // The child area lies this far below the client's top, 1 pixel in from every edge.
    static constexpr int kChildTop = 40;

    // `title` is drawn as "  ::title::"; `skinKey` names the background in data\config.dat;
    // `children` is the number of child slots.
    CSubPageHost(UINT nIDTemplate, const char* title, const char* skinKey, int children);

    // Loads the skin: TRUE when it loaded, FALSE otherwise (nothing is reported).
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The children in DestroySlot order first, then the page.
    BOOL DestroyWindow() override;

    // Shows the child of the slot (made first when needed) in place of the current one; other
    // indices change nothing. Returns 0.
    int OnButton(int index) override;
    // Hides the current child, so that the page shows its own front again. Returns 0.
    int HideSubPage() override;
    // Always 0: the host has no controls of its own.
    int RecalcLayout() override;

    CDialog* Child(int index) const;
    CDialog* CurrentChild() const { return current_; }
    const CRect& ChildRect() const { return childRect_; }

protected:
    // A new child object for the slot and its template, or null for an empty slot.
    virtual std::unique_ptr<CDialog> CreateChild(int index, UINT& templateId) = 0;
    // The slot destroyed `n`-th: slot order unless the host keeps another.
    virtual int DestroySlot(int n) const { return n; }
    void DrawContent(CDC* buffer, const CRect& client) override;

private:
    const char* title_;
    const char* skinKey_;
    std::vector<std::unique_ptr<CDialog>> children_;
    CDialog* current_ = nullptr;
    CRect childRect_;
};
