// The picture collector's application object: the browser's start-up with the collector's frame
// and view, an 18-pixel heading font, the address pattern of the start page, its generated pages
// (html\*.htm) deleted first, and no update hand-over.
#pragma once

#include "browser/QuorApp.h"

namespace glintora {

class CQuorApp : public ::CQuorApp {
public:
    CQuorApp();

    BOOL CheckPendingUpdate() override;

protected:
    void CreateSharedFonts() override;
    void PrepareProgramFolder() override;
    CRuntimeClass* FrameClass() const override;
    CRuntimeClass* ViewClass() const override;
};

}  // namespace glintora
