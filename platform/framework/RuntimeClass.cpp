#include "platform/framework/RuntimeClass.h"

CObject* CRuntimeClass::CreateObject() const {
    return m_pfnCreateObject != nullptr ? m_pfnCreateObject() : nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
    for (const CRuntimeClass* runtimeClass = this; runtimeClass != nullptr;
         runtimeClass = runtimeClass->m_pBaseClass) {
        if (runtimeClass == pBaseClass) {
            return TRUE;
        }
    }
    return FALSE;
}
