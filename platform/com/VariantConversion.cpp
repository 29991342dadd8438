// VariantChangeType: every value passes through one of three forms (a number, a text or an
// object reference) on its way to the requested type.
#include <cctype>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>

#include "platform/com/Decimal.h"
#include "platform/com/Dispatch.h"
#include "platform/com/Variant.h"
#include "platform/time/OleDateTime.h"

namespace {

// The range of dates the original accepts: years 100 to 9999.
constexpr double kMinDate = -657434.0;
constexpr double kMaxDate = 2958466.0;

struct Outcome {
    HRESULT result;
    VARIANT value;
};

Outcome Fail(HRESULT result) {
    Outcome outcome{result, {}};
    VariantInit(&outcome.value);
    return outcome;
}

Outcome Succeed(const VARIANT& value) {
    return Outcome{S_OK, value};
}

bool IsNumericType(VARTYPE type) {
    switch (type) {
        case VT_I1:
        case VT_UI1:
        case VT_I2:
        case VT_UI2:
        case VT_I4:
        case VT_UI4:
        case VT_INT:
        case VT_UINT:
        case VT_I8:
        case VT_UI8:
        case VT_R4:
        case VT_R8:
        case VT_CY:
        case VT_DATE:
        case VT_BOOL:
        case VT_DECIMAL:
            return true;
        default:
            return false;
    }
}

// An 80-bit (or wider) long double holds every 64-bit integer and every double exactly.
std::optional<long double> NumberOf(const VARIANT& value) {
    switch (value.vt) {
        case VT_EMPTY:
            return 0.0L;
        case VT_I1:
            return value.cVal;
        case VT_UI1:
            return value.bVal;
        case VT_I2:
            return value.iVal;
        case VT_UI2:
            return value.uiVal;
        case VT_I4:
            return value.lVal;
        case VT_INT:
            return value.intVal;
        case VT_UI4:
            return value.ulVal;
        case VT_UINT:
            return value.uintVal;
        case VT_I8:
            return value.llVal;
        case VT_UI8:
            return value.ullVal;
        case VT_R4:
            return value.fltVal;
        case VT_R8:
            return value.dblVal;
        case VT_CY:
            return static_cast<long double>(value.cyVal.int64) / 10000.0L;
        case VT_DATE:
            return value.date;
        case VT_BOOL:
            return value.boolVal != 0 ? -1.0L : 0.0L;
        case VT_DECIMAL: {
            long double number = 0;
            if (!platform::DecimalToNumber(value.decVal, &number)) {
                return std::nullopt;
            }
            return number;
        }
        default:
            return std::nullopt;
    }
}

template <typename Integer>
std::optional<Integer> RoundToInteger(long double number) {
    if (std::isnan(number)) {
        return std::nullopt;
    }
    // The default rounding mode rounds halves to even, as the original's conversions do.
    const long double rounded = std::nearbyintl(number);
    if (rounded < static_cast<long double>(std::numeric_limits<Integer>::min()) ||
        rounded > static_cast<long double>(std::numeric_limits<Integer>::max())) {
        return std::nullopt;
    }
    return static_cast<Integer>(rounded);
}

// Rounds `number` into `*field`; false when it does not fit.
template <typename Integer>
bool StoreInteger(long double number, Integer* field) {
    std::optional<Integer> integer = RoundToInteger<Integer>(number);
    if (!integer) {
        return false;
    }
    *field = *integer;
    return true;
}

Outcome FromNumber(long double number, VARTYPE type) {
    VARIANT value;
    VariantInit(&value);
    value.vt = type;
    bool fits = true;
    switch (type) {
        case VT_I1:
            fits = StoreInteger(number, &value.cVal);
            break;
        case VT_UI1:
            fits = StoreInteger(number, &value.bVal);
            break;
        case VT_I2:
            fits = StoreInteger(number, &value.iVal);
            break;
        case VT_UI2:
            fits = StoreInteger(number, &value.uiVal);
            break;
        case VT_I4:
            fits = StoreInteger(number, &value.lVal);
            break;
        case VT_INT:
            fits = StoreInteger(number, &value.intVal);
            break;
        case VT_UI4:
            fits = StoreInteger(number, &value.ulVal);
            break;
        case VT_UINT:
            fits = StoreInteger(number, &value.uintVal);
            break;
        case VT_I8:
            fits = StoreInteger(number, &value.llVal);
            break;
        case VT_UI8:
            fits = StoreInteger(number, &value.ullVal);
            break;
        case VT_R4:
            if (std::isfinite(number) && std::fabs(number) > FLT_MAX) {
                return Fail(DISP_E_OVERFLOW);
            }
            value.fltVal = static_cast<float>(number);
            return Succeed(value);
        case VT_R8:
            if (std::isfinite(number) && std::fabs(number) > DBL_MAX) {
                return Fail(DISP_E_OVERFLOW);
            }
            value.dblVal = static_cast<double>(number);
            return Succeed(value);
        case VT_CY: {
            std::optional<LONGLONG> count = RoundToInteger<LONGLONG>(number * 10000.0L);
            if (!count) {
                return Fail(DISP_E_OVERFLOW);
            }
            value.cyVal.int64 = *count;
            return Succeed(value);
        }
        case VT_DATE:
            if (!(number >= kMinDate && number < kMaxDate)) {
                return Fail(DISP_E_OVERFLOW);
            }
            value.date = static_cast<double>(number);
            return Succeed(value);
        case VT_BOOL:
            value.boolVal = number != 0 ? VARIANT_TRUE : VARIANT_FALSE;
            return Succeed(value);
        case VT_DECIMAL: {
            DECIMAL decimal;
            HRESULT result = platform::DecimalFromNumber(number, &decimal);
            if (FAILED(result)) {
                return Fail(result);
            }
            // The DECIMAL covers the tag, which goes back on afterwards.
            value.decVal = decimal;
            value.vt = VT_DECIMAL;
            return Succeed(value);
        }
        default:
            return Fail(DISP_E_TYPEMISMATCH);
    }
    return fits ? Succeed(value) : Fail(DISP_E_OVERFLOW);
}

std::string FormatReal(double number, int digits) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*G", digits, number);
    return buffer;
}

std::string FormatCurrency(LONGLONG count) {
    const bool negative = count < 0;
    const ULONGLONG magnitude =
        negative ? 0 - static_cast<ULONGLONG>(count) : static_cast<ULONGLONG>(count);
    std::string text = (negative ? "-" : "") + std::to_string(magnitude / 10000);
    ULONGLONG fraction = magnitude % 10000;
    if (fraction != 0) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%04llu", static_cast<unsigned long long>(fraction));
        std::string decimals = digits;
        decimals.erase(decimals.find_last_not_of('0') + 1);
        text += "." + decimals;
    }
    return text;
}

std::optional<std::string> FormatDate(DATE date) {
    if (!(date >= kMinDate && date < kMaxDate)) {
        return std::nullopt;
    }
    COleDateTime time(date);
    if (time.GetStatus() != COleDateTime::valid) {
        return std::nullopt;
    }
    char buffer[64];
    const bool dayZero = time.GetYear() == 1899 && time.GetMonth() == 12 && time.GetDay() == 30;
    const bool midnight = time.GetHour() == 0 && time.GetMinute() == 0 && time.GetSecond() == 0;
    if (dayZero) {
        std::snprintf(buffer, sizeof buffer, "%d:%02d:%02d", time.GetHour(), time.GetMinute(),
                      time.GetSecond());
    } else if (midnight) {
        std::snprintf(buffer, sizeof buffer, "%d-%d-%d", time.GetYear(), time.GetMonth(),
                      time.GetDay());
    } else {
        std::snprintf(buffer, sizeof buffer, "%d-%d-%d %d:%02d:%02d", time.GetYear(),
                      time.GetMonth(), time.GetDay(), time.GetHour(), time.GetMinute(),
                      time.GetSecond());
    }
    return std::string(buffer);
}

Outcome ToText(const VARIANT& value, USHORT flags) {
    std::string text;
    switch (value.vt) {
        case VT_EMPTY:
            break;
        case VT_R4:
            text = FormatReal(value.fltVal, 7);
            break;
        case VT_R8:
            text = FormatReal(value.dblVal, 15);
            break;
        case VT_CY:
            text = FormatCurrency(value.cyVal.int64);
            break;
        case VT_DATE: {
            std::optional<std::string> date = FormatDate(value.date);
            if (!date) {
                return Fail(DISP_E_OVERFLOW);
            }
            text = *date;
            break;
        }
        case VT_BOOL:
            if ((flags & (VARIANT_ALPHABOOL | VARIANT_LOCALBOOL)) != 0) {
                text = value.boolVal != 0 ? "True" : "False";
            } else {
                text = value.boolVal != 0 ? "-1" : "0";
            }
            break;
        case VT_UI8:
            text = std::to_string(value.ullVal);
            break;
        case VT_DECIMAL:
            if (value.decVal.scale > 28) {
                return Fail(DISP_E_OVERFLOW);
            }
            text = platform::DecimalToText(value.decVal);
            break;
        default: {
            std::optional<long double> number = NumberOf(value);
            if (!number) {
                return Fail(DISP_E_TYPEMISMATCH);
            }
            text = std::to_string(static_cast<LONGLONG>(*number));
            break;
        }
    }
    VARIANT result;
    VariantInit(&result);
    result.vt = VT_BSTR;
    result.bstrVal = platform::BstrFromGbk(text);
    if (result.bstrVal == nullptr) {
        return Fail(E_OUTOFMEMORY);
    }
    return Succeed(result);
}

// The text without surrounding blanks, or nothing when it holds anything beyond ASCII.
std::optional<std::string> AsciiOf(BSTR text) {
    std::u16string_view view = platform::ViewOfBstr(text);
    std::string ascii;
    for (char16_t c : view) {
        if (c >= 0x80) {
            return std::nullopt;
        }
        ascii.push_back(static_cast<char>(c));
    }
    const size_t first = ascii.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return std::string();
    }
    return ascii.substr(first, ascii.find_last_not_of(" \t\r\n") - first + 1);
}

// The C locale's number syntax: an optional sign, digits with at most one '.', an optional
// exponent. An integer is read exactly; DISP_E_OVERFLOW when the number is out of any range.
HRESULT ParseNumber(const std::string& text, long double* number) {
    size_t at = 0;
    const bool negative = at < text.size() && text[at] == '-';
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        ++at;
    }
    const std::string body = text.substr(at);
    const bool integral =
        !body.empty() && body.find_first_not_of("0123456789") == std::string::npos;
    if (integral) {
        ULONGLONG magnitude = 0;
        auto [end, error] = std::from_chars(body.data(), body.data() + body.size(), magnitude);
        if (error == std::errc::result_out_of_range) {
            return DISP_E_OVERFLOW;
        }
        *number =
            negative ? -static_cast<long double>(magnitude) : static_cast<long double>(magnitude);
        return S_OK;
    }
    if (body.empty() || body.find_first_not_of("0123456789.eE+-") != std::string::npos ||
        !(std::isdigit(static_cast<unsigned char>(body[0])) || body[0] == '.')) {
        return DISP_E_TYPEMISMATCH;
    }
    double real = 0;
    auto [end, error] =
        std::from_chars(body.data(), body.data() + body.size(), real, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        return DISP_E_OVERFLOW;
    }
    if (error != std::errc() || end != body.data() + body.size()) {
        return DISP_E_TYPEMISMATCH;
    }
    *number = negative ? -static_cast<long double>(real) : static_cast<long double>(real);
    return S_OK;
}

// Reads up to `maxDigits` decimal digits at `text[*at]`.
std::optional<int> ReadField(const std::string& text, size_t* at, size_t maxDigits) {
    size_t start = *at;
    int value = 0;
    while (*at < text.size() && *at - start < maxDigits &&
           std::isdigit(static_cast<unsigned char>(text[*at]))) {
        value = value * 10 + (text[*at] - '0');
        ++*at;
    }
    if (*at == start) {
        return std::nullopt;
    }
    return value;
}

// "y-M-d", "y/M/d", either followed by " H:mm[:ss]", or "H:mm[:ss]" alone.
std::optional<DATE> ParseDate(const std::string& text) {
    size_t at = 0;
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    std::optional<int> first = ReadField(text, &at, 4);
    if (!first || at >= text.size()) {
        return std::nullopt;
    }
    bool hasTime = false;
    if (text[at] == '-' || text[at] == '/') {
        const char separator = text[at++];
        std::optional<int> monthField = ReadField(text, &at, 2);
        if (!monthField || at >= text.size() || text[at] != separator) {
            return std::nullopt;
        }
        ++at;
        std::optional<int> dayField = ReadField(text, &at, 2);
        if (!dayField) {
            return std::nullopt;
        }
        year = *first;
        month = *monthField;
        day = *dayField;
        if (at < text.size()) {
            if (text[at] != ' ') {
                return std::nullopt;
            }
            while (at < text.size() && text[at] == ' ') {
                ++at;
            }
            first = ReadField(text, &at, 2);
            if (!first || at >= text.size()) {
                return std::nullopt;
            }
            hasTime = true;
        }
    } else {
        hasTime = true;
    }
    if (hasTime) {
        if (text[at] != ':') {
            return std::nullopt;
        }
        ++at;
        std::optional<int> minuteField = ReadField(text, &at, 2);
        if (!minuteField) {
            return std::nullopt;
        }
        hour = *first;
        minute = *minuteField;
        if (at < text.size() && text[at] == ':') {
            ++at;
            std::optional<int> secondField = ReadField(text, &at, 2);
            if (!secondField) {
                return std::nullopt;
            }
            second = *secondField;
        }
    }
    if (at != text.size()) {
        return std::nullopt;
    }
    COleDateTime time(year, month, day, hour, minute, second);
    if (time.GetStatus() != COleDateTime::valid) {
        return std::nullopt;
    }
    return static_cast<DATE>(time);
}

Outcome FromText(BSTR text, VARTYPE type) {
    std::optional<std::string> ascii = AsciiOf(text);
    if (!ascii) {
        return Fail(DISP_E_TYPEMISMATCH);
    }
    if (type == VT_DECIMAL) {
        VARIANT value;
        VariantInit(&value);
        HRESULT result = platform::DecimalFromText(*ascii, &value.decVal);
        if (FAILED(result)) {
            return Fail(result);
        }
        value.vt = VT_DECIMAL;
        return Succeed(value);
    }
    if (type == VT_DATE) {
        std::optional<DATE> date = ParseDate(*ascii);
        if (!date) {
            return Fail(DISP_E_TYPEMISMATCH);
        }
        return FromNumber(*date, VT_DATE);
    }
    if (type == VT_BOOL) {
        std::string lower = *ascii;
        for (char& c : lower) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        if (lower == "true") {
            return FromNumber(-1, VT_BOOL);
        }
        if (lower == "false") {
            return FromNumber(0, VT_BOOL);
        }
    }
    long double number = 0;
    HRESULT result = ParseNumber(*ascii, &number);
    if (FAILED(result)) {
        return Fail(result);
    }
    return FromNumber(number, type);
}

Outcome Convert(const VARIANT& value, USHORT flags, VARTYPE type);

Outcome FromObject(const VARIANT& value, USHORT flags, VARTYPE type) {
    IUnknown* object = value.punkVal;
    if (object == nullptr) {
        return Fail(DISP_E_TYPEMISMATCH);
    }
    if (type == VT_UNKNOWN || type == VT_DISPATCH) {
        VARIANT result;
        VariantInit(&result);
        result.vt = type;
        const IID& iid = type == VT_UNKNOWN ? IID_IUnknown : IID_IDispatch;
        if (FAILED(object->QueryInterface(iid, reinterpret_cast<void**>(&result.punkVal)))) {
            return Fail(DISP_E_TYPEMISMATCH);
        }
        return Succeed(result);
    }
    if (value.vt != VT_DISPATCH || (flags & VARIANT_NOVALUEPROP) != 0) {
        return Fail(DISP_E_TYPEMISMATCH);
    }
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    VARIANT property;
    VariantInit(&property);
    HRESULT result =
        value.pdispVal->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                               &none, &property, nullptr, nullptr);
    if (FAILED(result)) {
        VariantClear(&property);
        return Fail(DISP_E_TYPEMISMATCH);
    }
    // A value property that is itself an object does not lead to another call.
    Outcome outcome = Convert(property, flags | VARIANT_NOVALUEPROP, type);
    VariantClear(&property);
    return outcome;
}

Outcome Convert(const VARIANT& value, USHORT flags, VARTYPE type) {
    if (value.vt == type) {
        VARIANT copy;
        VariantInit(&copy);
        HRESULT result = VariantCopy(&copy, &value);
        return FAILED(result) ? Fail(result) : Succeed(copy);
    }
    if (type == VT_EMPTY) {
        VARIANT empty;
        VariantInit(&empty);
        return Succeed(empty);
    }
    if (value.vt == VT_UNKNOWN || value.vt == VT_DISPATCH) {
        return FromObject(value, flags, type);
    }
    if (type == VT_BSTR) {
        return ToText(value, flags);
    }
    if (!IsNumericType(type)) {
        return Fail(DISP_E_TYPEMISMATCH);
    }
    if (value.vt == VT_BSTR) {
        return FromText(value.bstrVal, type);
    }
    std::optional<long double> number = NumberOf(value);
    if (!number) {
        return Fail(DISP_E_TYPEMISMATCH);
    }
    return FromNumber(*number, type);
}

bool IsConvertibleTarget(VARTYPE type) {
    return type == VT_EMPTY || type == VT_NULL || type == VT_BSTR || type == VT_DISPATCH ||
           type == VT_UNKNOWN || type == VT_ERROR || type == VT_DECIMAL || IsNumericType(type) ||
           ((type & VT_ARRAY) != 0 && (type & VT_BYREF) == 0);
}

}  // namespace

HRESULT VariantChangeType(VARIANTARG* target, const VARIANTARG* source, USHORT flags,
                          VARTYPE type) {
    if (target == nullptr || source == nullptr) {
        return E_INVALIDARG;
    }
    if (!IsConvertibleTarget(type)) {
        return DISP_E_BADVARTYPE;
    }
    VARIANT input;
    VariantInit(&input);
    HRESULT result = VariantCopyInd(&input, source);
    if (FAILED(result)) {
        return result;
    }
    Outcome outcome = Convert(input, flags, type);
    VariantClear(&input);
    if (FAILED(outcome.result)) {
        return outcome.result;
    }
    result = VariantClear(target);
    if (FAILED(result)) {
        VariantClear(&outcome.value);
        return result;
    }
    *target = outcome.value;
    return S_OK;
}

HRESULT VariantChangeTypeEx(VARIANTARG* target, const VARIANTARG* source, LCID /*locale*/,
                            USHORT flags, VARTYPE type) {
    // Texts have one fixed format whatever the locale asked for.
    return VariantChangeType(target, source, flags, type);
}
