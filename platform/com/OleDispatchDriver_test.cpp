#include "platform/com/OleDispatchDriver.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/com/ComObject.h"
#include "platform/com/OleDispatchException.h"
#include "platform/text/CString.h"

namespace {

enum : DISPID { kName = 1, kJoin = 2, kFail = 3, kRaise = 4, kSelf = 5, kBump = 6 };

// An automation object that keeps what each call received.
class Recorder : public platform::ComObject<IDispatch> {
public:
    ~Recorder() override { ++*destroyed_; }
    explicit Recorder(int* destroyed) : destroyed_(destroyed) {}

    HRESULT GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        static const std::map<std::u16string, DISPID> known = {{u"Name", kName}, {u"Join", kJoin},
                                                               {u"Fail", kFail}, {u"Raise", kRaise},
                                                               {u"Self", kSelf}, {u"Bump", kBump}};
        HRESULT result = S_OK;
        for (UINT i = 0; i < count; ++i) {
            auto found = known.find(names[i]);
            ids[i] = found != known.end() ? found->second : DISPID_UNKNOWN;
            if (found == known.end()) {
                result = DISP_E_UNKNOWNNAME;
            }
        }
        return result;
    }
    HRESULT Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                   EXCEPINFO* exception, UINT*) override {
        lastFlags = flags;
        lastTypes.clear();
        for (UINT i = 0; i < parameters->cArgs; ++i) {
            lastTypes.push_back(parameters->rgvarg[i].vt);
        }
        lastNamed = parameters->cNamedArgs == 1 ? parameters->rgdispidNamedArgs[0] : 0;
        switch (member) {
            case kName:
                if (flags == DISPATCH_PROPERTYPUT) {
                    name = platform::ViewOfBstr(parameters->rgvarg[0].bstrVal);
                    return S_OK;
                }
                result->vt = VT_BSTR;
                result->bstrVal = platform::BstrFromUtf16(name);
                return S_OK;
            case kJoin: {
                // The first argument is the last one in the array.
                LONG joined = 0;
                for (UINT i = parameters->cArgs; i-- > 0;) {
                    if (parameters->rgvarg[i].vt == VT_I4) {
                        joined = joined * 10 + parameters->rgvarg[i].lVal;
                    }
                }
                result->vt = VT_I4;
                result->lVal = joined;
                return S_OK;
            }
            case kFail:
                return E_ACCESSDENIED;
            case kRaise:
                exception->wCode = 7;
                exception->scode = E_FAIL;
                exception->bstrSource = SysAllocString(u"Recorder");
                exception->bstrDescription = platform::BstrFromGbk("出错了");
                return DISP_E_EXCEPTION;
            case kSelf:
                AddRef();
                result->vt = VT_DISPATCH;
                result->pdispVal = this;
                return S_OK;
            case kBump:
                *parameters->rgvarg[1].plVal += 1;
                VariantClear(parameters->rgvarg[0].pvarVal);
                parameters->rgvarg[0].pvarVal->vt = VT_BOOL;
                parameters->rgvarg[0].pvarVal->boolVal = VARIANT_TRUE;
                return S_OK;
            default:
                return DISP_E_MEMBERNOTFOUND;
        }
    }

    WORD lastFlags = 0;
    std::vector<VARTYPE> lastTypes;
    DISPID lastNamed = 0;
    std::u16string name = u"start";

private:
    int* destroyed_;
};

class OleDispatchDriverTest : public ::testing::Test {
protected:
    OleDispatchDriverTest() : recorder(new Recorder(&destroyed)), driver(recorder) {}

    DISPID IdOf(const char16_t* name) {
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        DISPID id = 0;
        recorder->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        return id;
    }

    int destroyed = 0;
    Recorder* recorder;
    COleDispatchDriver driver;
};

TEST_F(OleDispatchDriverTest, PassesArgumentsLastFirstWithTheirTypes) {
    static const BYTE codes[] = VTS_I4 VTS_I2 VTS_BOOL VTS_BSTR;
    LONG joined = 0;
    driver.InvokeHelper(IdOf(u"Join"), DISPATCH_METHOD, VT_I4, &joined, codes, 1, 2, 3, "中");
    EXPECT_EQ(DISPATCH_METHOD, recorder->lastFlags);
    EXPECT_EQ((std::vector<VARTYPE>{VT_BSTR, VT_BOOL, VT_I2, VT_I4}), recorder->lastTypes);
    EXPECT_EQ(0, recorder->lastNamed);
    EXPECT_EQ(1, joined);
    static const BYTE numbers[] = VTS_I4 VTS_I4 VTS_I4;
    driver.InvokeHelper(kJoin, DISPATCH_METHOD, VT_I4, &joined, numbers, 1, 2, 3);
    EXPECT_EQ(123, joined);
    enum Option { kSeven = 7 };
    driver.InvokeHelper(kJoin, DISPATCH_METHOD, VT_I4, &joined, numbers, kSeven, 0, 9L);
    EXPECT_EQ(709, joined);
}

TEST_F(OleDispatchDriverTest, PropertiesRoundTripAsGbkText) {
    driver.SetProperty(IdOf(u"Name"), VT_BSTR, "标题 one");
    EXPECT_EQ(DISPATCH_PROPERTYPUT, recorder->lastFlags);
    EXPECT_EQ(DISPID_PROPERTYPUT, recorder->lastNamed);
    EXPECT_EQ(u"标题 one", recorder->name);
    CString name;
    driver.GetProperty(kName, VT_BSTR, &name);
    EXPECT_EQ(DISPATCH_PROPERTYGET, recorder->lastFlags);
    EXPECT_EQ(CString("标题 one"), name);
}

TEST_F(OleDispatchDriverTest, ConvertsTheResultToTheTypeAskedFor) {
    static const BYTE numbers[] = VTS_I4 VTS_I4;
    CString text;
    driver.InvokeHelper(kJoin, DISPATCH_METHOD, VT_BSTR, &text, numbers, 4, 2);
    EXPECT_EQ(CString("42"), text);
    double real = 0;
    driver.InvokeHelper(kJoin, DISPATCH_METHOD, VT_R8, &real, numbers, 4, 2);
    EXPECT_EQ(42.0, real);
    BOOL flag = FALSE;
    driver.InvokeHelper(kJoin, DISPATCH_METHOD, VT_BOOL, &flag, numbers, 0, 0);
    EXPECT_EQ(FALSE, flag);
    VARIANT any;
    VariantInit(&any);
    driver.InvokeHelper(kJoin, DISPATCH_METHOD, VT_VARIANT, &any, numbers, 4, 2);
    EXPECT_EQ(VT_I4, any.vt);
    EXPECT_EQ(42, any.lVal);

    recorder->name = u"not a number";
    LONG number = 5;
    try {
        driver.GetProperty(kName, VT_I4, &number);
        FAIL() << "no exception";
    } catch (COleException* exception) {
        EXPECT_EQ(DISP_E_TYPEMISMATCH, exception->m_sc);
        exception->Delete();
    }
    EXPECT_EQ(5, number);
}

TEST_F(OleDispatchDriverTest, ReferenceParametersAreWrittenThrough) {
    static const BYTE codes[] = VTS_PI4 VTS_PVARIANT;
    LONG counter = 41;
    VARIANT flag;
    VariantInit(&flag);
    driver.InvokeHelper(kBump, DISPATCH_METHOD, VT_EMPTY, nullptr, codes, &counter, &flag);
    EXPECT_EQ((std::vector<VARTYPE>{VT_BYREF | VT_VARIANT, VT_BYREF | VT_I4}), recorder->lastTypes);
    EXPECT_EQ(42, counter);
    EXPECT_EQ(VT_BOOL, flag.vt);
    EXPECT_EQ(VARIANT_TRUE, flag.boolVal);
}

TEST_F(OleDispatchDriverTest, ObjectResultsCarryTheirOwnReference) {
    IDispatch* self = nullptr;
    driver.InvokeHelper(kSelf, DISPATCH_PROPERTYGET, VT_DISPATCH, &self, nullptr);
    EXPECT_EQ(static_cast<IDispatch*>(recorder), self);
    driver.ReleaseDispatch();
    EXPECT_EQ(0, destroyed);
    self->Release();
    EXPECT_EQ(1, destroyed);
    // Without an object nothing is called and nothing is thrown.
    LONG untouched = 9;
    driver.GetProperty(kJoin, VT_I4, &untouched);
    EXPECT_EQ(9, untouched);
}

TEST_F(OleDispatchDriverTest, FailuresArriveAsFrameworkExceptions) {
    try {
        driver.InvokeHelper(kFail, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
        FAIL() << "no exception";
    } catch (COleException* exception) {
        EXPECT_EQ(E_ACCESSDENIED, exception->m_sc);
        EXPECT_EQ(E_ACCESSDENIED, COleException::Process(exception));
        exception->Delete();
    }
    try {
        driver.InvokeHelper(kRaise, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
        FAIL() << "no exception";
    } catch (COleDispatchException* exception) {
        EXPECT_EQ(7, exception->m_wCode);
        EXPECT_EQ(E_FAIL, exception->m_scError);
        EXPECT_EQ(CString("出错了"), exception->m_strDescription);
        EXPECT_EQ(CString("Recorder"), exception->m_strSource);
        EXPECT_EQ(E_FAIL, COleException::Process(exception));
        exception->Delete();
    }
}

TEST_F(OleDispatchDriverTest, MismatchedArgumentsAreRefusedBeforeTheCall) {
    static const BYTE two[] = VTS_I4 VTS_I4;
    static const BYTE text[] = VTS_BSTR;
    static const BYTE place[] = VTS_PI4;
    LONG result = 0;
    SHORT small = 0;
    const std::pair<HRESULT, std::function<void()>> cases[] = {
        {DISP_E_BADPARAMCOUNT,
         [&] { driver.InvokeHelper(kJoin, DISPATCH_METHOD, VT_I4, &result, two, 1); }},
        {DISP_E_TYPEMISMATCH,
         [&] { driver.InvokeHelper(kJoin, DISPATCH_METHOD, VT_I4, &result, two, 1, "2"); }},
        {DISP_E_TYPEMISMATCH,
         [&] { driver.InvokeHelper(kJoin, DISPATCH_METHOD, VT_I4, &result, text, 3); }},
        {DISP_E_TYPEMISMATCH,
         [&] { driver.InvokeHelper(kBump, DISPATCH_METHOD, VT_EMPTY, nullptr, place, &small); }},
        {DISP_E_BADVARTYPE,
         [&] { driver.InvokeHelper(kJoin, DISPATCH_METHOD, VT_NULL, &result, nullptr); }},
    };
    for (const auto& [expected, call] : cases) {
        recorder->lastFlags = 0;
        try {
            call();
            ADD_FAILURE() << "no exception";
        } catch (COleException* exception) {
            EXPECT_EQ(expected, exception->m_sc);
            exception->Delete();
        }
        EXPECT_EQ(0, recorder->lastFlags);
    }
}

}  // namespace
