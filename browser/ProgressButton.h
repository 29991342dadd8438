// The progress bar of the status bar: an owner-drawn button that fills the share of its width
// given by a percentage in the skin's two progress colours.
#pragma once

#include "platform/framework/Button.h"

class CProgressButton : public CButton {
    DECLARE_DYNAMIC(CProgressButton)

public:
    CProgressButton() = default;

    // Values outside 0..100 show an empty bar. The value stored.
    int SetProgress(int percent);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    int position = 0;
};
