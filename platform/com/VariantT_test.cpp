#include "platform/com/VariantT.h"

#include <gtest/gtest.h>

#include "platform/com/ComError.h"
#include "platform/com/ComObject.h"

namespace {

TEST(VariantTTest, ValuesGetTheOriginalTags) {
    EXPECT_EQ(VT_EMPTY, _variant_t().vt);
    EXPECT_EQ(VT_I4, _variant_t(5).vt);
    EXPECT_EQ(VT_I4, _variant_t(5L).vt);
    EXPECT_EQ(VT_I2, _variant_t(static_cast<short>(5)).vt);
    EXPECT_EQ(VT_R8, _variant_t(1.5).vt);
    EXPECT_EQ(VT_DATE, _variant_t(45356.0, VT_DATE).vt);
    EXPECT_EQ(VT_R4, _variant_t(1.5f).vt);
    EXPECT_EQ(VT_UI1, _variant_t(static_cast<BYTE>(1)).vt);
    EXPECT_EQ(VT_I8, _variant_t(5LL).vt);
    _variant_t yes(true);
    EXPECT_EQ(VT_BOOL, yes.vt);
    EXPECT_EQ(VARIANT_TRUE, yes.boolVal);
    _variant_t error(static_cast<int>(DISP_E_PARAMNOTFOUND), VT_ERROR);
    EXPECT_EQ(VT_ERROR, error.vt);
    EXPECT_EQ(DISP_E_PARAMNOTFOUND, error.scode);
    _variant_t text("数据");
    EXPECT_EQ(VT_BSTR, text.vt);
    EXPECT_EQ(std::u16string(u"数据"), platform::ViewOfBstr(text.bstrVal));
    EXPECT_THROW(_variant_t(1, VT_R8), _com_error);
}

TEST(VariantTTest, ReadsConvertOrThrow) {
    _variant_t text(" 42 ");
    EXPECT_EQ(42L, static_cast<long>(text));
    EXPECT_EQ(42.0, static_cast<double>(text));
    EXPECT_TRUE(static_cast<bool>(text));
    EXPECT_STREQ(" 42 ", static_cast<const char*>(static_cast<_bstr_t>(text)));
    _variant_t word("abc");
    try {
        static_cast<void>(static_cast<long>(word));
        FAIL() << "no exception";
    } catch (const _com_error& error) {
        EXPECT_EQ(DISP_E_TYPEMISMATCH, error.Error());
    }
    _variant_t big(3000000000.0);
    EXPECT_THROW(static_cast<void>(static_cast<long>(big)), _com_error);
    // The value itself stays as it was.
    EXPECT_EQ(VT_BSTR, word.vt);
}

TEST(VariantTTest, ChangeTypeAndStringsReplaceTheValue) {
    _variant_t value(12.5);
    value.ChangeType(VT_BSTR);
    EXPECT_EQ(std::u16string(u"12.5"), platform::ViewOfBstr(value.bstrVal));
    value.SetString("新");
    EXPECT_EQ(std::u16string(u"新"), platform::ViewOfBstr(value.bstrVal));
    EXPECT_THROW(value.ChangeType(VT_I4), _com_error);
    VARIANT detached = value.Detach();
    EXPECT_EQ(VT_EMPTY, value.vt);
    value.Attach(detached);
    EXPECT_EQ(VT_BSTR, value.vt);
    EXPECT_EQ(VT_EMPTY, detached.vt);
    _variant_t copy = value;
    EXPECT_NE(copy.bstrVal, value.bstrVal);
    VARIANT* slot = value.GetAddress();
    EXPECT_EQ(VT_EMPTY, slot->vt);
}

class Object : public platform::ComObject<IDispatch> {
public:
    explicit Object(bool* gone) : gone_(gone) {}
    ~Object() override { *gone_ = true; }
    HRESULT GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    bool* gone_;
};

TEST(VariantTTest, ObjectsAreReferenceCounted) {
    bool gone = false;
    auto* object = new Object(&gone);
    {
        _variant_t held(static_cast<IDispatch*>(object));
        object->Release();
        EXPECT_FALSE(gone);
        IDispatch* out = held;
        EXPECT_EQ(object, out);
        out->Release();
        EXPECT_FALSE(gone);
    }
    EXPECT_TRUE(gone);
}

}  // namespace
