// Event sink maps: a window lists the handlers of the events that the ActiveX controls it contains
// raise, by control id and dispatch id. The entry names the handler's parameters with VTS_ codes,
// as many as the handler has; the control's arguments are checked and converted to the handler's
// types (see EventArgument) and a mismatch leaves the handler uncalled.
//
//   BEGIN_EVENTSINK_MAP(CPageDlg, CDialog)
//       ON_EVENT(CPageDlg, 1001, 102, OnStatusTextChange, VTS_BSTR)
//       ON_EVENT(CPageDlg, 1001, 251, OnNewWindow2, VTS_PDISPATCH VTS_PBOOL)
//   END_EVENTSINK_MAP()
//
// The first entry that matches, most derived class first, handles the event; several controls
// with the same id all reach it.
#pragma once

#include <array>
#include <cstddef>
#include <utility>

#include "platform/com/Dispatch.h"
#include "platform/framework/EventArgument.h"

class CCmdTarget;

// One event on its way to the container's handler: S_OK in m_hResult once a handler ran,
// DISP_E_BADPARAMCOUNT or DISP_E_TYPEMISMATCH when the arguments did not fit it.
struct AFX_EVENT {
    DISPID m_dispid;
    DISPPARAMS* m_pDispParams;
    HRESULT m_hResult;
};

using AFX_PEVENTHANDLER = HRESULT (*)(CCmdTarget* target, DISPPARAMS* params);

struct AFX_EVENTSINKMAP_ENTRY {
    UINT nCtrlID;
    DISPID dispid;
    // Null ends the entries.
    AFX_PEVENTHANDLER pfnHandler;
};

struct AFX_EVENTSINKMAP {
    const AFX_EVENTSINKMAP* (*pfnGetBaseMap)();
    const AFX_EVENTSINKMAP_ENTRY* lpEntries;
};

namespace platform {

template <typename Result, typename Owner, typename... Parameters>
constexpr std::size_t EventHandlerArity(Result (Owner::*)(Parameters...)) {
    return sizeof...(Parameters);
}

template <typename Target, typename Result, typename Owner, typename... Parameters,
          std::size_t... Index>
HRESULT CallEventHandlerWith(Target* target, Result (Owner::*handler)(Parameters...),
                             [[maybe_unused]] const char* codes,
                             [[maybe_unused]] DISPPARAMS* params, std::index_sequence<Index...>) {
    constexpr std::size_t count = sizeof...(Parameters);
    // Unused by a handler without parameters.
    [[maybe_unused]] std::array<EventArgument, count> arguments;
    // The control passes its arguments last to first.
    const bool bound = (arguments[Index].Bind(static_cast<BYTE>(codes[Index]),
                                              &params->rgvarg[count - 1 - Index]) &&
                        ...);
    if (!bound || !(arguments[Index].template Fits<Parameters>() && ...)) {
        return DISP_E_TYPEMISMATCH;
    }
    (target->*handler)(arguments[Index].template As<Parameters>()...);
    return S_OK;
}

// Calls `handler` on `target` with the event's arguments, first to last, as `codes` (one for each
// parameter of the handler) describes them.
template <typename Target, typename Result, typename Owner, typename... Parameters>
HRESULT CallEventHandler(Target* target, Result (Owner::*handler)(Parameters...), const char* codes,
                         DISPPARAMS* params) {
    if (params == nullptr || params->cArgs != sizeof...(Parameters)) {
        return DISP_E_BADPARAMCOUNT;
    }
    return CallEventHandlerWith(target, handler, codes, params,
                                std::index_sequence_for<Parameters...>{});
}

}  // namespace platform

#define DECLARE_EVENTSINK_MAP()                           \
protected:                                                \
    static const AFX_EVENTSINKMAP* GetThisEventSinkMap(); \
    const AFX_EVENTSINKMAP* GetEventSinkMap() const override;

#define BEGIN_EVENTSINK_MAP(theClass, baseClass)                \
    const AFX_EVENTSINKMAP* theClass::GetEventSinkMap() const { \
        return GetThisEventSinkMap();                           \
    }                                                           \
    const AFX_EVENTSINKMAP* theClass::GetThisEventSinkMap() {   \
        using TheBaseClass = baseClass;                         \
        static const AFX_EVENTSINKMAP_ENTRY eventSinkEntries_[] = {
#define ON_EVENT(theClass, id, dispid, pfnHandler, vtsParams)                                      \
    {static_cast<UINT>(id), static_cast<DISPID>(dispid),                                           \
     [](CCmdTarget* target_, DISPPARAMS* params_) -> HRESULT {                                     \
         static_assert(                                                                            \
             sizeof(vtsParams) - 1 == platform::EventHandlerArity(&theClass::pfnHandler),          \
             "one VTS_ code for each parameter of the handler");                                   \
         return platform::CallEventHandler(static_cast<theClass*>(target_), &theClass::pfnHandler, \
                                           vtsParams, params_);                                    \
     }},

#define END_EVENTSINK_MAP()                                                            \
    { 0, 0, nullptr }                                                                  \
    }                                                                                  \
    ;                                                                                  \
    static const AFX_EVENTSINKMAP eventSinkMap_ = {&TheBaseClass::GetThisEventSinkMap, \
                                                   &eventSinkEntries_[0]};             \
    return &eventSinkMap_;                                                             \
    }
