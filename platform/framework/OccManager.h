// The manager that gives every ActiveX control created in the program its site. A program that
// wants sites of its own derives from it, overrides CreateSite and enables hosting with it:
//
//   class CCustomOccManager : public COccManager {
//   public:
//       COleControlSite* CreateSite(COleControlContainer* pCtrlCont) override {
//           return new CCustomControlSite(pCtrlCont);
//       }
//   };
//   AfxEnableControlContainer(new CCustomOccManager);
#pragma once

class COleControlContainer;
class COleControlSite;

class COccManager {
public:
    virtual ~COccManager() = default;

    // A new site for a control of the container; the container takes its first reference.
    virtual COleControlSite* CreateSite(COleControlContainer* pCtrlCont);
};

// Enables hosting of controls with pManager (the framework's default manager when null), which
// the program keeps alive while controls exist. It also makes the platform's control classes
// (the web browser control among them) creatable, and has dialog templates create the controls
// they name by class id ("{8856F961-...}") through the window's container.
void AfxEnableControlContainer(COccManager* pManager = nullptr);
// The manager enabled last; null while hosting is not enabled.
COccManager* AfxGetOccManager();
