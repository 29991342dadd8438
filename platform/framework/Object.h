// The root of the framework's class tree: run-time class information and a virtual destructor.
// Objects are not copyable, as in the framework.
#pragma once

#include "platform/framework/RuntimeClass.h"

class CObject {
public:
    virtual ~CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

    virtual CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    static CRuntimeClass classCObject;

protected:
    CObject() = default;
};
