#include "platform/com/ConnectionPoint.h"

namespace platform {

ConnectionPoint::ConnectionPoint(IConnectionPointContainer* container, REFIID eventInterface)
    : container_(container), eventInterface_(eventInterface) {}

ConnectionPoint::~ConnectionPoint() {
    for (const Sink& sink : sinks_) {
        sink.dispatch->Release();
    }
}

HRESULT ConnectionPoint::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IConnectionPoint)) {
        return E_NOINTERFACE;
    }
    *object = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
}

ULONG ConnectionPoint::AddRef() {
    return container_->AddRef();
}

ULONG ConnectionPoint::Release() {
    return container_->Release();
}

HRESULT ConnectionPoint::GetConnectionInterface(IID* iid) {
    if (iid == nullptr) {
        return E_POINTER;
    }
    *iid = eventInterface_;
    return S_OK;
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
    if (container == nullptr) {
        return E_POINTER;
    }
    container_->AddRef();
    *container = container_;
    return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (sink == nullptr || cookie == nullptr) {
        return E_POINTER;
    }
    *cookie = 0;
    IUnknown* events = nullptr;
    if (FAILED(sink->QueryInterface(eventInterface_, reinterpret_cast<void**>(&events)))) {
        return CONNECT_E_CANNOTCONNECT;
    }
    IDispatch* dispatch = nullptr;
    HRESULT result = events->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    events->Release();
    if (FAILED(result)) {
        return CONNECT_E_CANNOTCONNECT;
    }
    if (nextCookie_ == 0) {
        dispatch->Release();
        return CONNECT_E_ADVISELIMIT;
    }
    *cookie = nextCookie_++;
    sinks_.push_back({*cookie, dispatch});
    return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie) {
    for (auto sink = sinks_.begin(); sink != sinks_.end(); ++sink) {
        if (sink->cookie == cookie) {
            IDispatch* dispatch = sink->dispatch;
            sinks_.erase(sink);
            dispatch->Release();
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

HRESULT ConnectionPoint::EnumConnections(IEnumConnections** connections) {
    if (connections != nullptr) {
        *connections = nullptr;
    }
    return E_NOTIMPL;
}

void ConnectionPoint::Raise(DISPID member, DISPPARAMS* parameters) {
    std::vector<Sink> current = sinks_;
    for (const Sink& sink : current) {
        sink.dispatch->AddRef();
    }
    for (const Sink& sink : current) {
        sink.dispatch->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, parameters,
                              nullptr, nullptr, nullptr);
        sink.dispatch->Release();
    }
}

}  // namespace platform
