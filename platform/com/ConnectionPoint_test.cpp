#include "platform/com/ConnectionPoint.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/com/ComObject.h"

namespace {

DEFINE_GUID(kEventsIid, 0x34A715A0, 0x6587, 0x11D0, 0x92, 0x4A, 0x00, 0x20, 0xAF, 0xC7, 0xAC, 0x4D);

struct ITestEvents : IDispatch {
    static constexpr const IID& kIid = kEventsIid;
    using Base = IDispatch;
};

class Source : public platform::ComObject<IConnectionPointContainer> {
public:
    explicit Source(bool* gone) : gone_(gone) {}
    ~Source() override { *gone_ = true; }

    HRESULT EnumConnectionPoints(IEnumConnectionPoints** points) override {
        *points = nullptr;
        return E_NOTIMPL;
    }
    HRESULT FindConnectionPoint(REFIID iid, IConnectionPoint** point) override {
        *point = nullptr;
        if (!IsEqualIID(iid, kEventsIid)) {
            return CONNECT_E_NOCONNECTION;
        }
        return events.QueryInterface(IID_IConnectionPoint, reinterpret_cast<void**>(point));
    }

    platform::ConnectionPoint events{this, kEventsIid};

private:
    bool* gone_;
};

// Appends its name and the event's dispatch id to a shared log; optionally unadvises a cookie
// from inside the call.
class Sink : public platform::ComObject<ITestEvents> {
public:
    Sink(std::string* log, char name) : log_(log), name_(name) {}
    HRESULT GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*, EXCEPINFO*,
                   UINT*) override {
        *log_ += name_ + std::to_string(member) + ":" +
                 platform::GbkFromBstr(parameters->rgvarg[0].bstrVal) + " ";
        if (point != nullptr) {
            point->Unadvise(cookieToDrop);
        }
        return S_OK;
    }

    IConnectionPoint* point = nullptr;
    DWORD cookieToDrop = 0;

private:
    std::string* log_;
    char name_;
};

class Plain : public platform::ComObject<IDispatch> {
public:
    HRESULT GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }
};

void RaiseStatus(platform::ConnectionPoint& point, const char16_t* text) {
    VARIANT argument;
    argument.vt = VT_BSTR;
    argument.bstrVal = SysAllocString(text);
    DISPPARAMS parameters = {&argument, nullptr, 1, 0};
    point.Raise(102, &parameters);
    VariantClear(&argument);
}

TEST(ConnectionPointTest, SinksHearEventsInTheOrderAdvised) {
    bool gone = false;
    auto* source = new Source(&gone);
    std::string log;
    auto* first = new Sink(&log, 'a');
    auto* second = new Sink(&log, 'b');

    IConnectionPoint* point = nullptr;
    EXPECT_EQ(CONNECT_E_NOCONNECTION, source->FindConnectionPoint(IID_IDispatch, &point));
    ASSERT_EQ(S_OK, source->FindConnectionPoint(kEventsIid, &point));
    DWORD firstCookie = 0;
    DWORD secondCookie = 0;
    ASSERT_EQ(S_OK, point->Advise(static_cast<ITestEvents*>(first), &firstCookie));
    ASSERT_EQ(S_OK, point->Advise(static_cast<ITestEvents*>(second), &secondCookie));
    EXPECT_EQ(1u, firstCookie);
    EXPECT_EQ(2u, secondCookie);
    first->Release();
    second->Release();

    RaiseStatus(source->events, u"");
    RaiseStatus(source->events, u"qrplay:1:x");
    EXPECT_EQ("a102: b102: a102:qrplay:1:x b102:qrplay:1:x ", log);

    // The first sink drops the second while the event is being delivered: the second still
    // hears this event, and no later one.
    first->point = point;
    first->cookieToDrop = secondCookie;
    log.clear();
    RaiseStatus(source->events, u"x");
    RaiseStatus(source->events, u"y");
    EXPECT_EQ("a102:x b102:x a102:y ", log);
    first->point = nullptr;

    EXPECT_EQ(CONNECT_E_NOCONNECTION, point->Unadvise(secondCookie));
    EXPECT_EQ(S_OK, point->Unadvise(firstCookie));
    EXPECT_EQ(0u, source->events.SinkCount());

    // A client holding the connection point keeps the object alive.
    source->Release();
    EXPECT_FALSE(gone);
    IConnectionPointContainer* container = nullptr;
    ASSERT_EQ(S_OK, point->GetConnectionPointContainer(&container));
    EXPECT_EQ(static_cast<IConnectionPointContainer*>(source), container);
    container->Release();
    point->Release();
    EXPECT_TRUE(gone);
}

TEST(ConnectionPointTest, SinksWithoutTheEventInterfaceAreRefused) {
    bool gone = false;
    auto* source = new Source(&gone);
    auto* plain = new Plain;
    DWORD cookie = 99;
    EXPECT_EQ(CONNECT_E_CANNOTCONNECT, source->events.Advise(plain, &cookie));
    EXPECT_EQ(0u, cookie);
    EXPECT_EQ(0u, plain->Release());
    IID iid{};
    EXPECT_EQ(S_OK, source->events.GetConnectionInterface(&iid));
    EXPECT_TRUE(iid == kEventsIid);

    // Sinks still advised are released with the object.
    std::string log;
    auto* sink = new Sink(&log, 'a');
    ASSERT_EQ(S_OK, source->events.Advise(static_cast<ITestEvents*>(sink), &cookie));
    source->Release();
    EXPECT_TRUE(gone);
    EXPECT_EQ(0u, sink->Release());
}

}  // namespace
