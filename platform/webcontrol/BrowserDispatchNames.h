// The member names of the browser's automation interface and their dispatch ids, for
// GetIDsOfNames on the control and on its frames. Names compare without case.
#pragma once

#include "platform/com/Dispatch.h"

namespace platform::webcontrol {

// DISPID_UNKNOWN and DISP_E_UNKNOWNNAME for each name it does not know.
HRESULT BrowserDispatchIds(LPOLESTR* names, UINT nameCount, DISPID* ids);

}  // namespace platform::webcontrol
