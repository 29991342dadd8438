// Interface maps of control sites: a site answers QueryInterface for the interfaces its class and
// its bases list. Each interface is a nested object declared with BEGIN_INTERFACE_PART and
// END_INTERFACE_PART; its methods reach the site with METHOD_PROLOGUE and hand reference counting
// and QueryInterface to it (ExternalAddRef, ExternalRelease, ExternalQueryInterface).
//
//   class CMySite : public COleControlSite {
//       BEGIN_INTERFACE_PART(CommandTarget, IOleCommandTarget)
//           STDMETHOD(QueryStatus)(const GUID*, ULONG, OLECMD[], OLECMDTEXT*);
//           STDMETHOD(Exec)(const GUID*, DWORD, DWORD, VARIANT*, VARIANT*);
//       END_INTERFACE_PART(CommandTarget)
//       DECLARE_INTERFACE_MAP()
//   };
//   BEGIN_INTERFACE_MAP(CMySite, COleControlSite)
//       INTERFACE_PART(CMySite, IID_IOleCommandTarget, CommandTarget)
//   END_INTERFACE_MAP()
//
//   STDMETHODIMP_(ULONG) CMySite::XCommandTarget::AddRef() {
//       METHOD_PROLOGUE(CMySite, CommandTarget)
//       return pThis->ExternalAddRef();
//   }
//
// A nested object keeps a pointer to the object that contains it, set when that object is built,
// so that METHOD_PROLOGUE needs no arithmetic on the class layout.
#pragma once

#include "platform/com/Unknown.h"

class COleControlSite;

struct AFX_INTERFACEMAP_ENTRY {
    // Null ends the entries.
    const IID* piid;
    // The nested object of the site that implements the interface.
    IUnknown* (*pfnGetInterface)(COleControlSite* pSite);
};

struct AFX_INTERFACEMAP {
    // The base class's map; null for the first class with a map.
    const AFX_INTERFACEMAP* pBaseMap;
    const AFX_INTERFACEMAP_ENTRY* pEntry;
};

#define BEGIN_INTERFACE_PART(localClass, baseClass)                \
    class X##localClass : public baseClass {                       \
    public:                                                        \
        explicit X##localClass(void* pOuter) : m_pOuter(pOuter) {} \
        X##localClass(const X##localClass&) = delete;              \
        X##localClass& operator=(const X##localClass&) = delete;   \
        STDMETHOD_(ULONG, AddRef)();                               \
        STDMETHOD_(ULONG, Release)();                              \
        STDMETHOD(QueryInterface)(REFIID iid, void** ppvObj);      \
        void* m_pOuter;

#define END_INTERFACE_PART(localClass) \
    }                                  \
    m_x##localClass{this};             \
    friend class X##localClass;

// Inside a method of a nested interface object: `pThis` is the object that contains it.
#define METHOD_PROLOGUE(theClass, localClass) \
    [[maybe_unused]] theClass* pThis = static_cast<theClass*>(m_pOuter);

#define DECLARE_INTERFACE_MAP()                              \
protected:                                                   \
    static const AFX_INTERFACEMAP_ENTRY _interfaceEntries[]; \
    virtual const AFX_INTERFACEMAP* GetInterfaceMap() const; \
                                                             \
public:                                                      \
    static const AFX_INTERFACEMAP interfaceMap;              \
                                                             \
protected:

#define BEGIN_INTERFACE_MAP(theClass, baseClass)                                       \
    const AFX_INTERFACEMAP* theClass::GetInterfaceMap() const {                        \
        return &theClass::interfaceMap;                                                \
    }                                                                                  \
    const AFX_INTERFACEMAP theClass::interfaceMap = {&baseClass::interfaceMap,         \
                                                     &theClass::_interfaceEntries[0]}; \
    const AFX_INTERFACEMAP_ENTRY theClass::_interfaceEntries[] = {
#define INTERFACE_PART(theClass, iid, localClass)                 \
    {&(iid), [](COleControlSite* pSite_) -> IUnknown* {           \
         return &static_cast<theClass*>(pSite_)->m_x##localClass; \
     }},

#define END_INTERFACE_MAP() \
    { nullptr, nullptr }    \
    }                       \
    ;
