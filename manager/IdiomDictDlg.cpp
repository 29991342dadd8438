#include "manager/IdiomDictDlg.h"

#include <cstring>

#include "manager/LookupDataFile.h"
#include "manager/ManagerGdi.h"
#include "platform/base/GlobalMemory.h"
#include "platform/controls/Clipboard.h"
#include "resources/deskvane/resource.h"

BEGIN_MESSAGE_MAP(CIdiomDictDlg, CLookupDlg)
ON_WM_CTLCOLOR()
ON_LBN_SELCHANGE(IDC_IDIOM_LIST, ShowEntry)
ON_BN_CLICKED(IDC_FIND_IDIOM, OnQuery)
ON_EN_CHANGE(IDC_IDIOM_INPUT, OnQuery)
ON_BN_CLICKED(IDC_COPY_IDIOM, CopyEntry)
END_MESSAGE_MAP()

namespace {

// The number of leading bytes the two texts share, at most the input's length.
std::size_t CommonPrefix(const std::string& field, const CString& input) {
    const std::size_t limit = std::min(field.size(), static_cast<std::size_t>(input.GetLength()));
    std::size_t count = 0;
    while (count < limit && field[count] == input[static_cast<int>(count)]) {
        ++count;
    }
    return count;
}

}  // namespace

CIdiomDictDlg::CIdiomDictDlg() : CLookupDlg(IDD_IDIOM) {}

void CIdiomDictDlg::DoDataExchange(CDataExchange* pDX) {
    CLookupDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FIND_IDIOM, query_);
    DDX_Control(pDX, IDC_COPY_IDIOM, copy_);
}

BOOL CIdiomDictDlg::OnInitDialog() {
    CLookupDlg::OnInitDialog();
    SendDlgItemMessage(IDC_IDIOM_NAME, WM_SETFONT, reinterpret_cast<WPARAM>(Gdi().font18Underline));
    SendDlgItemMessage(IDC_IDIOM_PINYIN, WM_SETFONT, reinterpret_cast<WPARAM>(Gdi().font24));
    LoadData();
    SetDlgItemText(IDC_IDIOM_NAME, "");
    SetDlgItemText(IDC_IDIOM_PINYIN, "");
    SetDlgItemText(IDC_IDIOM_TEXT, "");
    return TRUE;
}

BOOL CIdiomDictDlg::DestroyWindow() {
    FreeEntries();
    return CLookupDlg::DestroyWindow();
}

void CIdiomDictDlg::FreeEntries() {
    // The rows point at the entries: they go first.
    if (m_hWnd != nullptr) {
        SendDlgItemMessage(IDC_IDIOM_LIST, LB_RESETCONTENT);
    }
    entries_.clear();
}

int CIdiomDictDlg::LoadData(const char* path) {
    FreeEntries();
    return ReadDataFileLines(path, IdiomRecord::kLineSize, [this](const char* line) {
        auto entry = std::make_unique<IdiomRecord>(IdiomRecord::Parse(line));
        const auto row = SendDlgItemMessage(IDC_IDIOM_LIST, LB_ADDSTRING, 0,
                                            reinterpret_cast<LPARAM>(entry->idiom.c_str()));
        if (row >= 0) {
            SendDlgItemMessage(IDC_IDIOM_LIST, LB_SETITEMDATA, static_cast<WPARAM>(row),
                               reinterpret_cast<LPARAM>(entry.get()));
        }
        entries_.push_back(std::move(entry));
    });
}

void CIdiomDictDlg::ShowEntry() {
    const auto row = SendDlgItemMessage(IDC_IDIOM_LIST, LB_GETCURSEL);
    if (row < 0) {
        return;
    }
    const auto* entry = reinterpret_cast<const IdiomRecord*>(
        SendDlgItemMessage(IDC_IDIOM_LIST, LB_GETITEMDATA, static_cast<WPARAM>(row)));
    if (entry == nullptr || reinterpret_cast<LRESULT>(entry) == LB_ERR) {
        return;
    }
    SetDlgItemText(IDC_IDIOM_NAME, entry->idiom.c_str());
    SetDlgItemText(IDC_IDIOM_PINYIN, ("【" + entry->pinyin + "】").c_str());
    const std::string text = "【解释】\r\n    " + entry->explanation + "\r\n\r\n【出处】\r\n    " +
                             entry->source + "\r\n\r\n【例】\r\n    " + entry->example;
    SetDlgItemText(IDC_IDIOM_TEXT, text.c_str());
    clipboardText_ = entry->idiom + "\r\n" + entry->pinyin + "\r\n" + entry->explanation + "\r\n" +
                     entry->source + "\r\n" + entry->example;
}

void CIdiomDictDlg::OnQuery() {
    CString input = TrimmedText(IDC_IDIOM_INPUT);
    input.MakeLower();
    if (input.IsEmpty()) {
        return;
    }
    // Latin letters search the initials; a Chinese character's lead byte, the idioms.
    const bool initials = static_cast<unsigned char>(input[0]) <= 'z';
    const auto rows = SendDlgItemMessage(IDC_IDIOM_LIST, LB_GETCOUNT);
    LRESULT best = -1;
    std::size_t bestCount = 0;
    for (LRESULT row = 0; row < rows; ++row) {
        const auto* entry = reinterpret_cast<const IdiomRecord*>(
            SendDlgItemMessage(IDC_IDIOM_LIST, LB_GETITEMDATA, static_cast<WPARAM>(row)));
        if (entry == nullptr || reinterpret_cast<LRESULT>(entry) == LB_ERR) {
            continue;
        }
        const std::size_t count = CommonPrefix(initials ? entry->initials : entry->idiom, input);
        if (count > bestCount) {
            bestCount = count;
            best = row;
        }
    }
    if (bestCount > 0) {
        SendDlgItemMessage(IDC_IDIOM_LIST, LB_SETCURSEL, static_cast<WPARAM>(best));
        ShowEntry();
    }
}

void CIdiomDictDlg::CopyEntry() {
    if (!::OpenClipboard(nullptr)) {
        return;
    }
    ::EmptyClipboard();
    if (HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, clipboardText_.size() + 1)) {
        if (void* bytes = ::GlobalLock(memory)) {
            std::memcpy(bytes, clipboardText_.c_str(), clipboardText_.size() + 1);
            ::GlobalUnlock(memory);
            ::SetClipboardData(CF_TEXT, memory);
        } else {
            ::GlobalFree(memory);
        }
    }
    ::CloseClipboard();
}

HBRUSH CIdiomDictDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    const int id = pWnd != nullptr ? pWnd->GetDlgCtrlID() : 0;
    if (id == IDC_IDIOM_NAME) {
        pDC->SetTextColor(RGB(0, 0, 255));
    } else if (id == IDC_IDIOM_PINYIN) {
        pDC->SetTextColor(RGB(255, 0, 0));
    }
    return CLookupDlg::OnCtlColor(pDC, pWnd, nCtlColor);
}
