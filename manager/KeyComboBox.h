// The key list of the hot-key pickers: the key names in table order, and a key pressed while the
// list or its edit part has the focus selects that key's name ("无" for a key the table does not
// have) instead of being typed, so that Enter and Esc are chosen rather than acted on.
#pragma once

#include "platform/framework/ComboBox.h"

class CKeyComboBox : public CComboBox {
public:
    // Adds every key name in table order; returns the number added.
    int FillKeyNames();

    BOOL PreTranslateMessage(MSG* pMsg) override;
};
