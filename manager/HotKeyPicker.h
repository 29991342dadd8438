// The small child dialog that edits one hot key: the key list and the Shift, Ctrl and Alt boxes.
// The owner page attaches the record before creating the picker, places the picker on its row,
// and later calls SaveKey and writes its settings file. Enter and Esc never close it.
#pragma once

#include "manager/HotKeyRecord.h"
#include "manager/KeyComboBox.h"
#include "platform/drawing/Brush.h"
#include "platform/framework/Dialog.h"

class CHotKeyPicker : public CDialog {
public:
    explicit CHotKeyPicker(HotKeyRecord* record = nullptr);

    // Creates the picker as a child of `parent`.
    BOOL Create(CWnd* parent);
    // The record the picker edits from its next initialisation and SaveKey on; may be null.
    void SetRecord(HotKeyRecord* record) { record_ = record; }

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The boxes and the chosen key into the record; without a record nothing happens. Returns 0.
    int SaveKey();

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    HotKeyRecord* record_;
    CBrush whiteBrush_{RGB(255, 255, 255)};
    CKeyComboBox keys_;
};
