#include "browser/SkinDlg.h"

#include "browser/BrowserApp.h"
#include "browser/BrowserFrame.h"
#include "browser/MakerSite.h"
#include "common/AppFolder.h"
#include "platform/files/FileApi.h"
#include "resources/quorra/resource.h"

namespace {

constexpr char kSkinFile[] = "data\\skin.ini";
constexpr char kBackupFile[] = "data\\skin_back.ini";

}  // namespace

void ReloadSkin() {
    if (CBrowserApp* app = GetBrowserApp()) {
        app->LoadSkin();
    }
    if (CBrowserFrame* frame = GetBrowserFrame()) {
        frame->RedrawSkin();
    }
}

void ListSkins(CListBox& list) {
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA("data\\skin\\*.ini", &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            continue;
        }
        CString title = found.cFileName;
        const int dot = title.ReverseFind('.');
        if (dot >= 0) {
            title = title.Left(dot);
        }
        list.AddString(title);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

bool ApplySelectedSkin(CListBox& list) {
    const int selected = list.GetCurSel();
    if (selected < 0) {
        return false;
    }
    CString name;
    list.GetText(selected, name);
    CString source;
    source.Format("data\\skin\\%s.ini", static_cast<LPCSTR>(name));
    CopyFileA(source, kSkinFile, FALSE);
    ReloadSkin();
    return true;
}

BEGIN_MESSAGE_MAP(CSkinDlg, CDialog)
ON_BN_CLICKED(IDC_PREVIEW_SKIN, OnPreviewSkin)
ON_BN_CLICKED(IDC_SELECT_SKIN, OnSelectSkin)
ON_BN_CLICKED(IDC_MAKE_SKIN, OnMakeSkin)
END_MESSAGE_MAP()

CSkinDlg::CSkinDlg(CWnd* pParent) : CDialog(IDD_SKIN, pParent) {}

void CSkinDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SKIN_LIST, m_skinList);
}

BOOL CSkinDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    GetAppFolder();
    ListSkins(m_skinList);
    CopyFileA(kSkinFile, kBackupFile, FALSE);
    return TRUE;
}

void CSkinDlg::OnPreviewSkin() {
    ApplySelectedSkin(m_skinList);
}

void CSkinDlg::OnSelectSkin() {
    if (ApplySelectedSkin(m_skinList)) {
        EndDialog(IDOK);
    }
}

void CSkinDlg::OnCancel() {
    CopyFileA(kBackupFile, kSkinFile, FALSE);
    ReloadSkin();
    CDialog::OnCancel();
}

void CSkinDlg::OnMakeSkin() {
    if (CBrowserFrame* frame = GetBrowserFrame()) {
        frame->OpenUrl(CString(kMakerSite) + "/quorra/skin.asp", 1, 1);
    }
    OnCancel();
}
