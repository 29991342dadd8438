// The main frame's rebar, its background in the skin's tool colour.
#pragma once

#include "platform/framework/ReBar.h"

class CReBarEx : public CReBar {
    DECLARE_DYNAMIC(CReBarEx)

public:
    CReBarEx() = default;

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};
