#include <gtest/gtest.h>

#include <string>

#include "platform/com/ComObject.h"
#include "platform/com/Dispatch.h"
#include "platform/com/Variant.h"

namespace {

// Owns a VARIANT for the length of a test.
struct Value {
    Value() { VariantInit(&v); }
    ~Value() { VariantClear(&v); }
    VARIANT v;
};

Value Text(const char16_t* text) {
    Value value;
    value.v.vt = VT_BSTR;
    value.v.bstrVal = SysAllocString(text);
    return value;
}

Value Real(double number) {
    Value value;
    value.v.vt = VT_R8;
    value.v.dblVal = number;
    return value;
}

// The text VariantChangeType makes of `value`, or the failure code as text.
std::u16string AsText(const Value& value, USHORT flags = 0) {
    Value result;
    HRESULT hr = VariantChangeType(&result.v, &value.v, flags, VT_BSTR);
    if (FAILED(hr)) {
        return u"error " + std::u16string(1, static_cast<char16_t>(hr & 0xFFFF));
    }
    return std::u16string(platform::ViewOfBstr(result.v.bstrVal));
}

TEST(VariantConversionTest, NumbersBecomeTextInTheCLocale) {
    Value i4;
    i4.v.vt = VT_I4;
    i4.v.lVal = -2147483647 - 1;
    EXPECT_EQ(u"-2147483648", AsText(i4));
    Value ui8;
    ui8.v.vt = VT_UI8;
    ui8.v.ullVal = 18446744073709551615ull;
    EXPECT_EQ(u"18446744073709551615", AsText(ui8));
    EXPECT_EQ(u"3.14159265358979", AsText(Real(3.14159265358979323)));
    EXPECT_EQ(u"0.1", AsText(Real(0.1)));
    EXPECT_EQ(u"-12.5", AsText(Real(-12.5)));
    EXPECT_EQ(u"1E+20", AsText(Real(1e20)));
    EXPECT_EQ(u"123456789012345", AsText(Real(123456789012345.0)));
    Value r4;
    r4.v.vt = VT_R4;
    r4.v.fltVal = 0.1f;
    EXPECT_EQ(u"0.1", AsText(r4));
    Value cy;
    cy.v.vt = VT_CY;
    cy.v.cyVal.int64 = -123450;
    EXPECT_EQ(u"-12.345", AsText(cy));
    Value empty;
    EXPECT_EQ(u"", AsText(empty));
}

TEST(VariantConversionTest, BooleansAndDatesHaveOneFixedForm) {
    Value yes;
    yes.v.vt = VT_BOOL;
    yes.v.boolVal = VARIANT_TRUE;
    EXPECT_EQ(u"-1", AsText(yes));
    EXPECT_EQ(u"True", AsText(yes, VARIANT_ALPHABOOL));
    yes.v.boolVal = VARIANT_FALSE;
    EXPECT_EQ(u"False", AsText(yes, VARIANT_ALPHABOOL));

    Value date;
    date.v.vt = VT_DATE;
    date.v.date = 45356.5 + 7.0 / 1440 + 9.0 / 86400;  // 2024-3-5 12:07:09
    EXPECT_EQ(u"2024-3-5 12:07:09", AsText(date));
    date.v.date = 45356;
    EXPECT_EQ(u"2024-3-5", AsText(date));
    date.v.date = 0.25;
    EXPECT_EQ(u"6:00:00", AsText(date));
    date.v.date = 0;
    EXPECT_EQ(u"0:00:00", AsText(date));
    date.v.date = 1e7;
    EXPECT_EQ(u"error \x000A", AsText(date));
}

TEST(VariantConversionTest, TextParsesIntoNumbers) {
    Value result;
    Value text = Text(u"  -42 ");
    ASSERT_EQ(S_OK, VariantChangeType(&result.v, &text.v, 0, VT_I4));
    EXPECT_EQ(VT_I4, result.v.vt);
    EXPECT_EQ(-42, result.v.lVal);

    Value real = Text(u"2.5e1");
    ASSERT_EQ(S_OK, VariantChangeType(&result.v, &real.v, 0, VT_R8));
    EXPECT_DOUBLE_EQ(25.0, result.v.dblVal);

    Value big = Text(u"9223372036854775807");
    ASSERT_EQ(S_OK, VariantChangeType(&result.v, &big.v, 0, VT_I8));
    EXPECT_EQ(9223372036854775807LL, result.v.llVal);
    EXPECT_EQ(DISP_E_OVERFLOW, VariantChangeType(&result.v, &big.v, 0, VT_I4));
    Value huge = Text(u"99999999999999999999999");
    EXPECT_EQ(DISP_E_OVERFLOW, VariantChangeType(&result.v, &huge.v, 0, VT_I8));

    Value truth = Text(u"TRUE");
    ASSERT_EQ(S_OK, VariantChangeType(&result.v, &truth.v, 0, VT_BOOL));
    EXPECT_EQ(VARIANT_TRUE, result.v.boolVal);
    Value two = Text(u"2");
    ASSERT_EQ(S_OK, VariantChangeType(&result.v, &two.v, 0, VT_BOOL));
    EXPECT_EQ(VARIANT_TRUE, result.v.boolVal);

    Value date = Text(u"2024/3/5 14:07");
    ASSERT_EQ(S_OK, VariantChangeType(&result.v, &date.v, 0, VT_DATE));
    EXPECT_EQ(u"2024-3-5 14:07:00", AsText(result));
}

TEST(VariantConversionTest, TextThatIsNotANumberIsATypeMismatch) {
    const char16_t* bad[] = {u"",    u"abc", u"12abc", u"1,000", u"0x10",
                             u"inf", u"--1", u"１２",  u"+-1",   u"1e"};
    for (const char16_t* text : bad) {
        Value source = Text(text);
        Value result;
        result.v.vt = VT_I4;
        result.v.lVal = 77;
        EXPECT_EQ(DISP_E_TYPEMISMATCH, VariantChangeType(&result.v, &source.v, 0, VT_R8))
            << std::string(text, text + std::char_traits<char16_t>::length(text));
        EXPECT_EQ(VT_I4, result.v.vt);
        EXPECT_EQ(77, result.v.lVal);
    }
    Value date = Text(u"2024-2-30");
    Value result;
    EXPECT_EQ(DISP_E_TYPEMISMATCH, VariantChangeType(&result.v, &date.v, 0, VT_DATE));
}

TEST(VariantConversionTest, FloatingValuesRoundHalfToEvenAndCheckTheRange) {
    Value result;
    const std::pair<double, LONG> cases[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {2.4999, 2}, {-0.6, -1}};
    for (auto [number, expected] : cases) {
        Value source = Real(number);
        ASSERT_EQ(S_OK, VariantChangeType(&result.v, &source.v, 0, VT_I4));
        EXPECT_EQ(expected, result.v.lVal) << number;
    }
    Value big = Real(40000);
    EXPECT_EQ(DISP_E_OVERFLOW, VariantChangeType(&result.v, &big.v, 0, VT_I2));
    Value negative = Real(-1);
    EXPECT_EQ(DISP_E_OVERFLOW, VariantChangeType(&result.v, &negative.v, 0, VT_UI4));
    Value edge = Real(255.4);
    ASSERT_EQ(S_OK, VariantChangeType(&result.v, &edge.v, 0, VT_UI1));
    EXPECT_EQ(255, result.v.bVal);
    Value money = Real(1.23456);
    ASSERT_EQ(S_OK, VariantChangeType(&result.v, &money.v, 0, VT_CY));
    EXPECT_EQ(12346, result.v.cyVal.int64);
}

TEST(VariantConversionTest, NullAndErrorsConvertToNothingElse) {
    Value null;
    null.v.vt = VT_NULL;
    Value result;
    EXPECT_EQ(DISP_E_TYPEMISMATCH, VariantChangeType(&result.v, &null.v, 0, VT_BSTR));
    EXPECT_EQ(DISP_E_TYPEMISMATCH, VariantChangeType(&result.v, &null.v, 0, VT_I4));
    ASSERT_EQ(S_OK, VariantChangeType(&result.v, &null.v, 0, VT_NULL));
    EXPECT_EQ(VT_NULL, result.v.vt);
    Value empty;
    ASSERT_EQ(S_OK, VariantChangeType(&result.v, &empty.v, 0, VT_I4));
    EXPECT_EQ(0, result.v.lVal);
    Value error;
    error.v.vt = VT_ERROR;
    error.v.scode = DISP_E_PARAMNOTFOUND;
    EXPECT_EQ(DISP_E_TYPEMISMATCH, VariantChangeType(&result.v, &error.v, 0, VT_I4));
    EXPECT_EQ(DISP_E_BADVARTYPE, VariantChangeType(&result.v, &empty.v, 0, 15));
}

TEST(VariantConversionTest, ConvertsInPlaceAndThroughReferences) {
    Value value = Text(u"17");
    ASSERT_EQ(S_OK, VariantChangeType(&value.v, &value.v, 0, VT_I2));
    EXPECT_EQ(VT_I2, value.v.vt);
    EXPECT_EQ(17, value.v.iVal);

    LONG number = 9;
    Value reference;
    reference.v.vt = VT_BYREF | VT_I4;
    reference.v.plVal = &number;
    EXPECT_EQ(u"9", AsText(reference));
}

class ValueObject : public platform::ComObject<IDispatch> {
public:
    HRESULT GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                   EXCEPINFO*, UINT*) override {
        if (member != DISPID_VALUE || (flags & DISPATCH_PROPERTYGET) == 0) {
            return DISP_E_MEMBERNOTFOUND;
        }
        result->vt = VT_I4;
        result->lVal = 314;
        return S_OK;
    }
};

TEST(VariantConversionTest, ObjectsConvertThroughTheirValueProperty) {
    Value object;
    object.v.vt = VT_DISPATCH;
    object.v.pdispVal = new ValueObject;
    EXPECT_EQ(u"314", AsText(object));
    Value result;
    EXPECT_EQ(DISP_E_TYPEMISMATCH,
              VariantChangeType(&result.v, &object.v, VARIANT_NOVALUEPROP, VT_BSTR));
    ASSERT_EQ(S_OK, VariantChangeType(&result.v, &object.v, 0, VT_UNKNOWN));
    EXPECT_EQ(VT_UNKNOWN, result.v.vt);
    EXPECT_NE(nullptr, result.v.punkVal);
}

TEST(VariantConversionTest, DecimalsKeepEveryDigit) {
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"79228162514264337593543950335", u"79228162514264337593543950335"},
        {u"-0.0000000000000000000000000001", u"-0.0000000000000000000000000001"},
        {u"1.50", u"1.5"},
        {u"-0", u"0"},
        {u"12.5e2", u"1250"},
        {u"1e-30", u"0"},
        {u"0.00000000000000000000000000025", u"0.0000000000000000000000000002"},
        {u"0.00000000000000000000000000035", u"0.0000000000000000000000000004"},
        {u"1.23456789012345678901234567891", u"1.2345678901234567890123456789"},
    };
    for (auto [text, expected] : cases) {
        Value source = Text(text);
        Value decimal;
        ASSERT_EQ(S_OK, VariantChangeType(&decimal.v, &source.v, 0, VT_DECIMAL))
            << std::string(text, text + std::char_traits<char16_t>::length(text));
        EXPECT_EQ(VT_DECIMAL, decimal.v.vt);
        EXPECT_EQ(std::u16string(expected), AsText(decimal));
    }
    Value tooBig = Text(u"79228162514264337593543950336");
    Value result;
    EXPECT_EQ(DISP_E_OVERFLOW, VariantChangeType(&result.v, &tooBig.v, 0, VT_DECIMAL));
    Value notNumber = Text(u"1.2.3");
    EXPECT_EQ(DISP_E_TYPEMISMATCH, VariantChangeType(&result.v, &notNumber.v, 0, VT_DECIMAL));

    Value number;
    number.v.vt = VT_I8;
    number.v.llVal = -9223372036854775807LL - 1;
    ASSERT_EQ(S_OK, VariantChangeType(&result.v, &number.v, 0, VT_DECIMAL));
    EXPECT_EQ(u"-9223372036854775808", AsText(result));
    Value real = Real(0.1);
    ASSERT_EQ(S_OK, VariantChangeType(&result.v, &real.v, 0, VT_DECIMAL));
    EXPECT_EQ(u"0.1", AsText(result));
    Value back;
    ASSERT_EQ(S_OK, VariantChangeType(&back.v, &result.v, 0, VT_I4));
    EXPECT_EQ(0, back.v.lVal);
    Value half = Text(u"2.5");
    ASSERT_EQ(S_OK, VariantChangeType(&result.v, &half.v, 0, VT_DECIMAL));
    ASSERT_EQ(S_OK, VariantChangeType(&back.v, &result.v, 0, VT_I4));
    EXPECT_EQ(2, back.v.lVal);
}

}  // namespace
