#include "browser/CustomOccManager.h"

#include "browser/CustomControlSite.h"

CCustomOccManager::CCustomOccManager(IDispatch* pExternal) : m_pExternal(pExternal) {}

COleControlSite* CCustomOccManager::CreateSite(COleControlContainer* pCtrlCont) {
    return new CCustomControlSite(pCtrlCont, m_pExternal);
}
