// The control-container manager the browser enables at start-up: every ActiveX control created
// afterwards is hosted by a CCustomControlSite, which hands page scripts the program's external
// object.
#pragma once

#include "platform/framework/OccManager.h"

struct IDispatch;

class CCustomOccManager : public COccManager {
public:
    // pExternal is the program's external object; the application keeps it alive while controls
    // exist.
    explicit CCustomOccManager(IDispatch* pExternal);

    COleControlSite* CreateSite(COleControlContainer* pCtrlCont) override;

private:
    IDispatch* m_pExternal;
};
