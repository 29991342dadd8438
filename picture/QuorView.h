// The picture collector's view: its first update opens a blank tab and then the program's start
// page data\main.htm in it; there is no start-page mode and no first run.
#pragma once

#include "browser/QuorView.h"

namespace glintora {

class CQuorView : public ::CQuorView {
    DECLARE_DYNCREATE(CQuorView)

protected:
    CQuorView() = default;
    void OpenFirstPages() override;
};

}  // namespace glintora
