// The manager that gives every ActiveX control created in the program its site. The control
// container layer derives from it; the framework only records which manager the program enabled.
#pragma once

class COccManager {
public:
    virtual ~COccManager() = default;
};

// Enables hosting of controls with pManager (the framework's default manager when null).
void AfxEnableControlContainer(COccManager* pManager = nullptr);
// The manager enabled last; null while hosting is not enabled.
COccManager* AfxGetOccManager();
