// The note editor: one diary day in a large rich edit, with a formatting strip (face and size,
// bold, italic, underline, alignment, text and background colour, cut, copy, paste and undo).
// "保存" hands the text to the diary page, which saves the month, and the editor stays open;
// "关闭" ends it. The diary keeps the plain text only, so formatting lasts for the run.
#pragma once

#include <vector>

#include "manager/ColorMenu.h"
#include "manager/HintButton.h"
#include "platform/framework/ComboBox.h"
#include "platform/framework/Dialog.h"
#include "platform/framework/RichEditCtrl.h"

class CDiaryPage;

class CNoteEditorDlg : public CDialog, public CHintSink {
public:
    // At most this many faces are listed.
    static constexpr int kMaxFaces = 500;
    // The font enumeration's callback: adds the face to the std::vector<std::string> that
    // `lParam` points to, and stops the enumeration once it holds kMaxFaces.
    static int CollectFace(const LOGFONTA* font, const TEXTMETRICA* metrics, DWORD fontType,
                           LPARAM lParam);

    // `owner` receives saved text through SetDayText; it also owns the dialog.
    explicit CNoteEditorDlg(CDiaryPage* owner);
    ~CNoteEditorDlg() override;

    BOOL OnInitDialog() override;
    void SetHint(const char* text) override;

    void LayoutEditor();
    int ApplyCharFormat();
    // 1 in background mode, 0 in text mode.
    int ApplyColor(int row);
    int ShowSelectionFormat();
    int SetAlignment(WORD alignment);
    int ShowAlignment();

    // The day's text, given before the run and taken at each save.
    CString m_text;
    // "yyyy年mm月dd日 笔记", shown in the date line.
    CString m_title;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Saves into the diary; the dialog stays open.
    void OnOK() override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnBold();
    afx_msg void OnItalic();
    afx_msg void OnUnderline();
    afx_msg void OnAlignLeft();
    afx_msg void OnAlignCenter();
    afx_msg void OnAlignRight();
    afx_msg void OnTextColor();
    afx_msg void OnBackColor();
    afx_msg void OnCut();
    afx_msg void OnCopy();
    afx_msg void OnPaste();
    afx_msg void OnUndo();
    afx_msg void OnSelchangeFace();
    afx_msg void OnSelchangeSize();
    afx_msg void OnEditchangeFormat();
    afx_msg void OnEditorChange();
    afx_msg void OnEditorSelchange(NMHDR* pNMHDR, LRESULT* pResult);
    // A colour of the colour menu, for the text or the background as the pressed button chose.
    afx_msg void OnColor(UINT nID);
    DECLARE_MESSAGE_MAP()

private:
    void ToggleEffect(CHintButton& button);
    void ToggleAlignment(CHintButton& pressed, WORD alignment);
    void ShowColorMenu(int mode, CHintButton& button);
    // The chosen item's text into the combo's edit field, then the format.
    void TakeComboChoice(CComboBox& combo);

    int colorMode_ = 0;
    COLORREF textColor_ = RGB(0, 0, 0);
    CColorMenu colorMenu_;
    CDiaryPage* owner_;
    std::vector<HICON> icons_;
    CHintButton undo_;
    CHintButton paste_;
    CHintButton cut_;
    CHintButton copy_;
    CComboBox size_;
    CHintButton textColorButton_;
    CHintButton alignRight_;
    CHintButton alignLeft_;
    CHintButton alignCenter_;
    CHintButton backColor_;
    CHintButton underline_;
    CHintButton italic_;
    CHintButton bold_;
    CRichEditCtrl editor_;
    CComboBox face_;
};
