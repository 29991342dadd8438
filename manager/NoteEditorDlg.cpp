#include "manager/NoteEditorDlg.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "manager/DiaryPage.h"
#include "platform/drawing/IconApi.h"
#include "platform/framework/WinApp.h"
#include "platform/screen/ClientDC.h"
#include "platform/screen/PaintDC.h"
#include "platform/text/Gbk.h"
#include "resources/deskvane/resource.h"

BEGIN_MESSAGE_MAP(CNoteEditorDlg, CDialog)
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_BN_CLICKED(IDC_BOLD, OnBold)
ON_BN_CLICKED(IDC_ITALIC, OnItalic)
ON_BN_CLICKED(IDC_UNDERLINE, OnUnderline)
ON_BN_CLICKED(IDC_ALIGN_LEFT, OnAlignLeft)
ON_BN_CLICKED(IDC_ALIGN_CENTER, OnAlignCenter)
ON_BN_CLICKED(IDC_ALIGN_RIGHT, OnAlignRight)
ON_BN_CLICKED(IDC_TEXT_COLOR, OnTextColor)
ON_BN_CLICKED(IDC_BACK_COLOR, OnBackColor)
ON_BN_CLICKED(IDC_CUT, OnCut)
ON_BN_CLICKED(IDC_COPY, OnCopy)
ON_BN_CLICKED(IDC_PASTE, OnPaste)
ON_BN_CLICKED(IDC_UNDO, OnUndo)
ON_CBN_SELCHANGE(IDC_FACE, OnSelchangeFace)
ON_CBN_SELCHANGE(IDC_SIZE, OnSelchangeSize)
ON_CBN_EDITCHANGE(IDC_FACE, OnEditchangeFormat)
ON_CBN_EDITCHANGE(IDC_SIZE, OnEditchangeFormat)
ON_EN_CHANGE(IDC_NOTE_TEXT, OnEditorChange)
ON_NOTIFY(EN_SELCHANGE, IDC_NOTE_TEXT, OnEditorSelchange)
ON_COMMAND_RANGE(CColorMenu::kFirstId, CColorMenu::kFirstId + CColorMenu::kColors - 1, OnColor)
END_MESSAGE_MAP()

namespace {

constexpr int kDefaultPoints = 12;
constexpr int kMinPoints = 3;
constexpr int kMaxPoints = 100;
constexpr int kIconSize = 16;
constexpr int kButtonSize = 18;

// The hint shown last, shared by every note editor of the program.
std::string& LastHint() {
    static std::string hint;
    return hint;
}

}  // namespace

int CNoteEditorDlg::CollectFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM lParam) {
    auto* faces = reinterpret_cast<std::vector<std::string>*>(lParam);
    faces->emplace_back(font->lfFaceName);
    return faces->size() < static_cast<std::size_t>(kMaxFaces) ? 1 : 0;
}

CNoteEditorDlg::CNoteEditorDlg(CDiaryPage* owner)
    : CDialog(IDD_NOTE_EDITOR, owner), owner_(owner) {}

CNoteEditorDlg::~CNoteEditorDlg() {
    for (HICON icon : icons_) {
        ::DestroyIcon(icon);
    }
}

void CNoteEditorDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_UNDO, undo_);
    DDX_Control(pDX, IDC_PASTE, paste_);
    DDX_Control(pDX, IDC_CUT, cut_);
    DDX_Control(pDX, IDC_COPY, copy_);
    DDX_Control(pDX, IDC_SIZE, size_);
    DDX_Control(pDX, IDC_TEXT_COLOR, textColorButton_);
    DDX_Control(pDX, IDC_ALIGN_RIGHT, alignRight_);
    DDX_Control(pDX, IDC_ALIGN_LEFT, alignLeft_);
    DDX_Control(pDX, IDC_ALIGN_CENTER, alignCenter_);
    DDX_Control(pDX, IDC_BACK_COLOR, backColor_);
    DDX_Control(pDX, IDC_UNDERLINE, underline_);
    DDX_Control(pDX, IDC_ITALIC, italic_);
    DDX_Control(pDX, IDC_BOLD, bold_);
    DDX_Control(pDX, IDC_NOTE_TEXT, editor_);
    DDX_Control(pDX, IDC_FACE, face_);
}

BOOL CNoteEditorDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetIcon(AfxGetApp()->LoadIcon(IDR_MAINFRAME), TRUE);

    std::vector<std::string> faces;
    CClientDC dc(this);
    ::EnumFontFamiliesA(dc.GetSafeHdc(), nullptr, CollectFace, reinterpret_cast<LPARAM>(&faces));
    for (const std::string& face : faces) {
        face_.AddString(face.c_str());
    }

    const struct {
        CHintButton& button;
        const char* hint;
        const char* icon;
    } buttons[] = {
        {bold_, "粗体", "data\\button_b.ico"},
        {italic_, "斜体", "data\\button_i.ico"},
        {underline_, "下划线", "data\\button_u.ico"},
        {alignLeft_, "左对齐", "data\\button_left.ico"},
        {alignCenter_, "居中", "data\\button_center.ico"},
        {alignRight_, "右对齐", "data\\button_right.ico"},
        {textColorButton_, "字体颜色", "data\\button_textcolor.ico"},
        {backColor_, "背景颜色", "data\\button_bgcolor.ico"},
        {cut_, "剪切", "data\\cut.ico"},
        {copy_, "复制", "data\\copy.ico"},
        {paste_, "粘贴", "data\\paste.ico"},
        {undo_, "取消操作", "data\\undo.ico"},
    };
    for (const auto& entry : buttons) {
        auto icon = static_cast<HICON>(
            ::LoadImageA(nullptr, entry.icon, IMAGE_ICON, kIconSize, kIconSize, LR_LOADFROMFILE));
        if (icon != nullptr) {
            icons_.push_back(icon);
        }
        entry.button.Init(this, entry.hint, icon, kButtonSize, kButtonSize);
    }

    colorMenu_.CreateColorMenu();

    editor_.SetBackgroundColor(FALSE, RGB(255, 255, 255));
    textColor_ = RGB(0, 0, 0);
    editor_.SetWindowText(m_text);
    editor_.SetEventMask(static_cast<DWORD>(editor_.GetEventMask()) | ENM_SELCHANGE | ENM_CHANGE);

    CRect desktop;
    ::GetClientRect(::GetDesktopWindow(), &desktop);
    MoveWindow(0, 0, desktop.Width() - 20, desktop.Height() - 40);

    SetDlgItemText(IDC_DATE_LINE, m_title);
    LayoutEditor();
    editor_.SetFocus();
    // The focus stays in the editor.
    return FALSE;
}

void CNoteEditorDlg::OnColor(UINT nID) {
    ApplyColor(static_cast<int>(nID - CColorMenu::kFirstId));
}

void CNoteEditorDlg::SetHint(const char* text) {
    if (text == nullptr || LastHint() == text) {
        return;
    }
    SetDlgItemText(IDC_HINT_LINE, text);
    LastHint() = text;
}

void CNoteEditorDlg::LayoutEditor() {
    if (editor_.m_hWnd == nullptr) {
        return;
    }
    CRect rect;
    editor_.GetWindowRect(&rect);
    ScreenToClient(&rect);
    CRect client;
    GetClientRect(&client);
    editor_.MoveWindow(client.left, rect.top, client.Width(), client.bottom - rect.top);
}

int CNoteEditorDlg::ApplyCharFormat() {
    CHARFORMAT format{};
    format.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_SIZE | CFM_COLOR | CFM_FACE;
    format.dwEffects = (bold_.IsChecked() != 0 ? CFE_BOLD : 0) |
                       (italic_.IsChecked() != 0 ? CFE_ITALIC : 0) |
                       (underline_.IsChecked() != 0 ? CFE_UNDERLINE : 0);
    CString size;
    size_.GetWindowText(size);
    int points = std::atoi(size);
    if (points < kMinPoints || points > kMaxPoints) {
        points = kDefaultPoints;
    }
    format.yHeight = points * 20;
    format.crTextColor = textColor_;
    CString face;
    face_.GetWindowText(face);
    const std::string_view faceText(face, static_cast<std::size_t>(face.GetLength()));
    const std::size_t keep = platform::CutAtCharBoundary(faceText, LF_FACESIZE - 1);
    faceText.copy(format.szFaceName, keep);
    editor_.SetSelectionCharFormat(format);
    editor_.SetFocus();
    return 0;
}

int CNoteEditorDlg::ApplyColor(int row) {
    if (row < 0 || row >= CColorMenu::kColors) {
        return colorMode_;
    }
    if (colorMode_ == 1) {
        editor_.SetBackgroundColor(FALSE, CColorMenu::kRows[row].color);
        return 1;
    }
    textColor_ = CColorMenu::kRows[row].color;
    ApplyCharFormat();
    return 0;
}

int CNoteEditorDlg::ShowSelectionFormat() {
    CHARFORMAT format{};
    editor_.GetSelectionCharFormat(format);
    bold_.SetChecked((format.dwEffects & CFE_BOLD) != 0 ? 1 : 0);
    italic_.SetChecked((format.dwEffects & CFE_ITALIC) != 0 ? 1 : 0);
    underline_.SetChecked((format.dwEffects & CFE_UNDERLINE) != 0 ? 1 : 0);
    for (CHintButton* button : {&bold_, &italic_, &underline_}) {
        button->Invalidate();
    }
    char faceName[LF_FACESIZE + 1] = {};
    std::memcpy(faceName, format.szFaceName, LF_FACESIZE);
    const int item = face_.FindStringExact(-1, faceName);
    if (item != CB_ERR) {
        face_.SetCurSel(item);
    }
    char points[16];
    std::snprintf(points, sizeof(points), "%d", static_cast<int>(format.yHeight / 20));
    size_.SetWindowText(points);
    ShowAlignment();
    editor_.SetFocus();
    return 0;
}

int CNoteEditorDlg::SetAlignment(WORD alignment) {
    PARAFORMAT format{};
    format.dwMask = PFM_ALIGNMENT;
    format.wAlignment = alignment;
    editor_.SetParaFormat(format);
    editor_.SetFocus();
    return 0;
}

int CNoteEditorDlg::ShowAlignment() {
    PARAFORMAT format{};
    editor_.GetParaFormat(format);
    alignLeft_.SetChecked(format.wAlignment == PFA_LEFT ? 1 : 0);
    alignRight_.SetChecked(format.wAlignment == PFA_RIGHT ? 1 : 0);
    alignCenter_.SetChecked(format.wAlignment == PFA_CENTER ? 1 : 0);
    for (CHintButton* button : {&alignLeft_, &alignCenter_, &alignRight_}) {
        button->Invalidate();
    }
    editor_.SetFocus();
    return 0;
}

void CNoteEditorDlg::OnOK() {
    editor_.GetWindowText(m_text);
    if (owner_ != nullptr) {
        owner_->SetDayText(m_text);
    }
    editor_.SetFocus();
}

void CNoteEditorDlg::OnSize(UINT nType, int cx, int cy) {
    CDialog::OnSize(nType, cx, cy);
    LayoutEditor();
}

BOOL CNoteEditorDlg::OnEraseBkgnd(CDC* pDC) {
    CDialog::OnEraseBkgnd(pDC);
    return TRUE;
}

void CNoteEditorDlg::OnPaint() {
    CPaintDC dc(this);
}

void CNoteEditorDlg::ToggleEffect(CHintButton& button) {
    button.SetChecked(button.IsChecked() != 0 ? 0 : 1);
    button.Invalidate();
    ApplyCharFormat();
}

void CNoteEditorDlg::ToggleAlignment(CHintButton& pressed, WORD alignment) {
    if (pressed.IsChecked() != 0) {
        pressed.SetChecked(0);
    } else {
        for (CHintButton* button : {&alignLeft_, &alignCenter_, &alignRight_}) {
            button->SetChecked(button == &pressed ? 1 : 0);
            button->Invalidate();
        }
    }
    pressed.Invalidate();
    SetAlignment(alignment);
}

void CNoteEditorDlg::OnBold() {
    ToggleEffect(bold_);
}

void CNoteEditorDlg::OnItalic() {
    ToggleEffect(italic_);
}

void CNoteEditorDlg::OnUnderline() {
    ToggleEffect(underline_);
}

void CNoteEditorDlg::OnAlignLeft() {
    ToggleAlignment(alignLeft_, PFA_LEFT);
}

void CNoteEditorDlg::OnAlignCenter() {
    ToggleAlignment(alignCenter_, PFA_CENTER);
}

void CNoteEditorDlg::OnAlignRight() {
    ToggleAlignment(alignRight_, PFA_RIGHT);
}

void CNoteEditorDlg::ShowColorMenu(int mode, CHintButton& button) {
    colorMode_ = mode;
    SetForegroundWindow();
    CRect rect;
    button.GetWindowRect(&rect);
    colorMenu_.TrackPopupMenu(TPM_RIGHTBUTTON, rect.left, rect.bottom + 2, this);
}

void CNoteEditorDlg::OnTextColor() {
    ShowColorMenu(0, textColorButton_);
}

void CNoteEditorDlg::OnBackColor() {
    ShowColorMenu(1, backColor_);
}

void CNoteEditorDlg::OnCut() {
    editor_.SendMessage(WM_CUT);
    editor_.SetFocus();
}

void CNoteEditorDlg::OnCopy() {
    editor_.SendMessage(WM_COPY);
    editor_.SetFocus();
}

void CNoteEditorDlg::OnPaste() {
    editor_.SendMessage(WM_PASTE);
    editor_.SetFocus();
}

void CNoteEditorDlg::OnUndo() {
    editor_.SendMessage(EM_UNDO);
    editor_.SetFocus();
}

void CNoteEditorDlg::TakeComboChoice(CComboBox& combo) {
    const int item = combo.GetCurSel();
    if (item != CB_ERR) {
        CString text;
        combo.GetLBText(item, text);
        combo.SetWindowText(text);
    }
    ApplyCharFormat();
}

void CNoteEditorDlg::OnSelchangeFace() {
    TakeComboChoice(face_);
}

void CNoteEditorDlg::OnSelchangeSize() {
    TakeComboChoice(size_);
}

void CNoteEditorDlg::OnEditchangeFormat() {
    ApplyCharFormat();
}

void CNoteEditorDlg::OnEditorChange() {
    ShowSelectionFormat();
}

void CNoteEditorDlg::OnEditorSelchange(NMHDR*, LRESULT* pResult) {
    ShowSelectionFormat();
    *pResult = 0;
}
