// A connection point that lives inside the object raising the events: it shares that object's
// reference count (so a client holding it keeps the object alive, and there is no cycle), keeps
// the advised sinks by cookie, and calls them in the order they were advised.
#pragma once

#include <vector>

#include "platform/com/ConnectionPoints.h"
#include "platform/com/Dispatch.h"

namespace platform {

class ConnectionPoint final : public IConnectionPoint {
public:
    // `container` is the owning object; the connection point must not outlive it.
    ConnectionPoint(IConnectionPointContainer* container, REFIID eventInterface);
    ~ConnectionPoint();
    ConnectionPoint(const ConnectionPoint&) = delete;
    ConnectionPoint& operator=(const ConnectionPoint&) = delete;

    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT GetConnectionInterface(IID* iid) override;
    HRESULT GetConnectionPointContainer(IConnectionPointContainer** container) override;
    // The sink must answer the event interface: CONNECT_E_CANNOTCONNECT otherwise. Cookies are
    // never 0 and never reused.
    HRESULT Advise(IUnknown* sink, DWORD* cookie) override;
    // CONNECT_E_NOCONNECTION for a cookie that is not advised.
    HRESULT Unadvise(DWORD cookie) override;
    // Connections are not listed: E_NOTIMPL.
    HRESULT EnumConnections(IEnumConnections** connections) override;

    // Calls Invoke(member, DISPATCH_METHOD) on every sink advised when the call starts, in the
    // order of advising; a sink may unadvise (or advise another) from inside the call.
    void Raise(DISPID member, DISPPARAMS* parameters);
    size_t SinkCount() const { return sinks_.size(); }

private:
    struct Sink {
        DWORD cookie;
        IDispatch* dispatch;
    };

    IConnectionPointContainer* container_;
    IID eventInterface_;
    std::vector<Sink> sinks_;
    DWORD nextCookie_ = 1;
};

}  // namespace platform
