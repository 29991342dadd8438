// The picture collector's view: its first update opens a blank tab and then the program's start
// page data\main.htm in it; there is no start-page mode and no first run.
#pragma once

#include "browser/QuorView.h"

class CPictureView : public CQuorView {
    DECLARE_DYNCREATE(CPictureView)

protected:
    CPictureView() = default;
    void OpenFirstPages() override;
};
