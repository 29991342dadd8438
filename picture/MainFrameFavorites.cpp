#include <cstring>
#include <string>

#include "common/TextLineFile.h"
#include "common/WholeFile.h"
#include "picture/FavoriteAddDlg.h"
#include "picture/KeyedTextFile.h"
#include "picture/MainFrame.h"
#include "platform/text/Gbk.h"

namespace glintora {

namespace {

constexpr char kFavoriteFile[] = "data\\ml2.dat";
constexpr char kClassFile[] = "data\\list\\class.dat";
constexpr char kClassFileKey[] = "583107zxbbw921446";

// An entry becomes one line of its own: line breaks inside it are dropped.
CString OneLine(CString text) {
    text.Remove('\r');
    text.Remove('\n');
    return text;
}

}  // namespace

int CMainFrame::AddFavoriteEntry(CString text, int isUrl) {
    const CString entry = (isUrl != 0 ? "[U]" : "[K]") + OneLine(text);
    const int count = m_wndFavoriteList.GetCount();
    for (int i = 0; i < count; ++i) {
        CString item;
        m_wndFavoriteList.GetText(i, item);
        if (platform::CompareNoCase(item.view(), entry.view()) == 0) {
            return 0;
        }
    }
    const int index = m_wndFavoriteList.AddString(entry);
    if (index >= 0) {
        m_wndFavoriteList.SetItemHeight(index, CFavoriteListBox::kItemHeight);
    }
    SaveFavoriteEntries();
    return 0;
}

bool CMainFrame::SaveFavoriteEntries() {
    std::string bytes;
    const int count = m_wndFavoriteList.GetCount();
    for (int i = 0; i < count; ++i) {
        CString item;
        m_wndFavoriteList.GetText(i, item);
        bytes += item.view();
        bytes += "\r\n";
    }
    return WriteWholeFile(kFavoriteFile, bytes);
}

int CMainFrame::LoadFavoriteEntries() {
    CTextLineFile file;
    if (file.Open(kFavoriteFile) != 0) {
        return 1;
    }
    // Longer lines are cut at the buffer's end, and a two-byte character cut in half there is
    // dropped.
    char line[256];
    while (file.ReadLine(line) == 0) {
        line[platform::CutAtCharBoundary(line, std::strlen(line))] = '\0';
        const int index = m_wndFavoriteList.AddString(line);
        if (index >= 0) {
            m_wndFavoriteList.SetItemHeight(index, CFavoriteListBox::kItemHeight);
        }
    }
    return 0;
}

int CMainFrame::LoadClassList() {
    CKeyedTextFile file;
    if (file.Load(kClassFile, kClassFileKey) != 0) {
        return 1;
    }
    bool entries = false;
    CString line;
    while (file.ReadLine(line) == 0) {
        if (line == "[NAME]") {
            entries = false;
        } else if (line == "[LIST]") {
            entries = true;
        } else if (line.GetLength() >= 2) {
            const int index = m_wndClassList.AddString(entries ? "  " + line : "[" + line + "]");
            if (index >= 0) {
                m_wndClassList.SetItemHeight(index, CFavoriteListBox::kItemHeight);
            }
        }
    }
    return 0;
}

void CMainFrame::TakeFavoriteEntry(const CString& entry, BOOL run) {
    const CString value = entry.Mid(3);
    if (entry.GetLength() >= 2 && entry[1] == 'K') {
        m_wndPictureKeyword.SetWindowText(value);
        if (run) {
            OnButtonMusicSearch();
        }
        return;
    }
    m_wndPictureUrl.SetWindowText(value);
    if (run) {
        OnButtonPictureUrlGo();
    }
}

void CMainFrame::OnAddFavoriteEntry() {
    CFavoriteAddDlg dialog(*this, this);
    dialog.DoModal();
}

void CMainFrame::OnDeleteFavoriteEntry() {
    const int selected = m_wndFavoriteList.GetCurSel();
    if (selected < 0) {
        return;
    }
    m_wndFavoriteList.DeleteString(static_cast<UINT>(selected));
    SaveFavoriteEntries();
}

void CMainFrame::OnToggleFavoriteBar() {
    if (m_nFavoriteBarShown != 0) {
        ShowControlBar(&m_wndFavoriteBar, FALSE, FALSE);
        m_nFavoriteBarShown = 0;
        m_wndFavoriteToggle.SetWindowText("显示收藏");
    } else {
        ShowControlBar(&m_wndFavoriteBar, TRUE, FALSE);
        m_nFavoriteBarShown = 1;
        m_wndFavoriteToggle.SetWindowText("关闭收藏");
    }
}

}  // namespace glintora
