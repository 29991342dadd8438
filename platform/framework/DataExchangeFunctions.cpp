#include "platform/framework/DataExchangeFunctions.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/Edit.h"
#include "platform/controls/ListBox.h"
#include "platform/framework/AfxMessageBox.h"
#include "platform/framework/Wnd.h"
#include "platform/text/Gbk.h"

namespace {

constexpr DWORD kComboTypeMask = CBS_SIMPLE | CBS_DROPDOWN | CBS_DROPDOWNLIST;

// The framework's prompts for refused input.
constexpr const char* kPromptInteger = "请输入一个整数。";
constexpr const char* kPromptUnsigned = "请输入一个正整数。";
constexpr const char* kPromptNumber = "请输入一个数字。";
constexpr const char* kPromptIntegerRange = "请输入一个介于 %d 和 %d 之间的整数。";

CString WindowText(HWND hwnd) {
    CString text;
    CWnd(hwnd).GetWindowText(text);
    return text;
}

void SetWindowTextIfChanged(HWND hwnd, const CString& value) {
    if (WindowText(hwnd) != value) {
        ::SetWindowTextA(hwnd, value);
    }
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// One decimal number filling the text (blanks aside) and in T's range [low, high].
template <typename T>
std::optional<T> ParseWhole(std::string_view text, T low, T high) {
    text = TrimBlanks(text);
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') {
        text.remove_prefix(1);
    }
    if (text.empty() || (low == 0 && text.front() == '-')) {
        return std::nullopt;
    }
    using Wide = std::conditional_t<std::is_signed_v<T>, long long, unsigned long long>;
    Wide value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() ||
        value < static_cast<Wide>(low) || value > static_cast<Wide>(high)) {
        return std::nullopt;
    }
    return static_cast<T>(value);
}

std::optional<double> ParseWholeDouble(const CString& text) {
    const std::string trimmed(
        TrimBlanks(std::string_view(text, static_cast<size_t>(text.GetLength()))));
    if (trimmed.empty()) {
        return std::nullopt;
    }
    char* end = nullptr;
    const double value = std::strtod(trimmed.c_str(), &end);
    if (end != trimmed.c_str() + trimmed.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

[[noreturn]] void Refuse(CDataExchange* pDX, const char* prompt) {
    AfxMessageBox(prompt, MB_OK);
    pDX->Fail();
}

template <typename T>
void ExchangeNumber(CDataExchange* pDX, int nIDC, T& value, T low, T high, const char* prompt) {
    HWND edit = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        const CString text = WindowText(edit);
        const auto parsed =
            ParseWhole<T>(std::string_view(text, static_cast<size_t>(text.GetLength())), low, high);
        if (!parsed) {
            Refuse(pDX, prompt);
        }
        value = *parsed;
    } else {
        CString text;
        if constexpr (std::is_signed_v<T>) {
            text.Format("%lld", static_cast<long long>(value));
        } else {
            text.Format("%llu", static_cast<unsigned long long>(value));
        }
        SetWindowTextIfChanged(edit, text);
    }
}

bool IsComboBox(HWND hwnd) {
    char name[16] = {};
    ::GetClassNameA(hwnd, name, sizeof(name));
    return platform::CompareNoCase(name, "ComboBox") == 0;
}

CString ItemText(HWND control, UINT lengthMessage, UINT textMessage, LRESULT index) {
    CString text;
    const LRESULT length = ::SendMessageA(control, lengthMessage, static_cast<WPARAM>(index), 0);
    if (length <= 0) {
        return text;
    }
    char* buffer = text.GetBuffer(static_cast<int>(length) + 1);
    const LRESULT copied = ::SendMessageA(control, textMessage, static_cast<WPARAM>(index),
                                          reinterpret_cast<LPARAM>(buffer));
    text.ReleaseBuffer(copied > 0 ? static_cast<int>(copied) : 0);
    return text;
}

}  // namespace

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.m_hWnd != nullptr) {
        return;
    }
    HWND control = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(control)) {
        pDX->Fail();
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    HWND control = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = WindowText(control);
    } else {
        SetWindowTextIfChanged(control, value);
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
    ExchangeNumber<int>(pDX, nIDC, value, std::numeric_limits<int>::min(),
                        std::numeric_limits<int>::max(), kPromptInteger);
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) {
    ExchangeNumber<UINT>(pDX, nIDC, value, 0, std::numeric_limits<UINT>::max(), kPromptUnsigned);
}

void DDX_Text(CDataExchange* pDX, int nIDC, long& value) {
    ExchangeNumber<long>(pDX, nIDC, value, std::numeric_limits<LONG>::min(),
                         std::numeric_limits<LONG>::max(), kPromptInteger);
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value) {
    HWND edit = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        const auto parsed = ParseWholeDouble(WindowText(edit));
        if (!parsed) {
            Refuse(pDX, kPromptNumber);
        }
        value = *parsed;
    } else {
        CString text;
        text.Format("%.*g", DBL_DIG, value);
        SetWindowTextIfChanged(edit, text);
    }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
    HWND button = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessageA(button, BM_GETCHECK, 0, 0));
    } else {
        const bool known =
            value == BST_UNCHECKED || value == BST_CHECKED || value == BST_INDETERMINATE;
        ::SendMessageA(button, BM_SETCHECK, known ? static_cast<WPARAM>(value) : BST_UNCHECKED, 0);
    }
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
    HWND control = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = -1;
    }
    int index = 0;
    do {
        if (::SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (pDX->m_bSaveAndValidate) {
                if (value == -1 && ::SendMessageA(control, BM_GETCHECK, 0, 0) != BST_UNCHECKED) {
                    value = index;
                }
            } else {
                ::SendMessageA(control, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED,
                               0);
            }
            ++index;
        }
        control = ::GetWindow(control, GW_HWNDNEXT);
    } while (control != nullptr && (::GetWindowLongA(control, GWL_STYLE) & WS_GROUP) == 0);
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
    HWND combo = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        index = static_cast<int>(::SendMessageA(combo, CB_GETCURSEL, 0, 0));
    } else {
        ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index) {
    HWND list = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        index = static_cast<int>(::SendMessageA(list, LB_GETCURSEL, 0, 0));
    } else {
        ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) {
    HWND combo = pDX->PrepareCtrl(nIDC);
    const bool hasEdit = (static_cast<DWORD>(::GetWindowLongA(combo, GWL_STYLE)) &
                          kComboTypeMask) != CBS_DROPDOWNLIST;
    if (pDX->m_bSaveAndValidate) {
        if (hasEdit) {
            value = WindowText(combo);
        } else {
            const LRESULT selected = ::SendMessageA(combo, CB_GETCURSEL, 0, 0);
            value = selected == CB_ERR ? CString()
                                       : ItemText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, selected);
        }
        return;
    }
    const LRESULT found = ::SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(static_cast<LPCSTR>(value)));
    if (found == CB_ERR && hasEdit) {
        SetWindowTextIfChanged(combo, value);
    }
}

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value) {
    HWND list = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        const LRESULT selected = ::SendMessageA(list, LB_GETCURSEL, 0, 0);
        value =
            selected == LB_ERR ? CString() : ItemText(list, LB_GETTEXTLEN, LB_GETTEXT, selected);
        return;
    }
    const LRESULT found = ::SendMessageA(list, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(static_cast<LPCSTR>(value)));
    if (found == LB_ERR) {
        ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    }
}

void DDV_MaxChars(CDataExchange* pDX, CString& value, int nChars) {
    if (nChars < 0) {
        nChars = 0;
    }
    if (pDX->m_bSaveAndValidate) {
        const size_t keep = platform::CutAtCharBoundary(
            std::string_view(value, static_cast<size_t>(value.GetLength())),
            static_cast<size_t>(nChars));
        if (keep < static_cast<size_t>(value.GetLength())) {
            value = value.Left(static_cast<int>(keep));
        }
        return;
    }
    if (pDX->m_idLastControl == 0) {
        return;
    }
    HWND control = ::GetDlgItem(AfxHwndOf(pDX->m_pDlgWnd), static_cast<int>(pDX->m_idLastControl));
    ::SendMessageA(control, IsComboBox(control) ? CB_LIMITTEXT : EM_LIMITTEXT,
                   static_cast<WPARAM>(nChars), 0);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) {
        return;
    }
    CString prompt;
    prompt.Format(kPromptIntegerRange, minVal, maxVal);
    Refuse(pDX, prompt);
}
