// The favourites bar's two lists (keywords and addresses, classes). A click puts the entry into
// the frame's picture keyword box when it reads "[K]..." (its second byte is "K") and into the
// picture address box otherwise, without the first three bytes; a double click also starts the
// keyword search or the address's collection.
#pragma once

#include "platform/framework/ListBox.h"

class CFavoriteListBox : public CListBox {
public:
    static constexpr int kItemHeight = 18;

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    // Hands the selected entry to the frame; run starts its search or collection too.
    void TakeSelection(BOOL run);
};
