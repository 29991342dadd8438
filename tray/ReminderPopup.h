// A reminder: a small skinned window without caption that slides up at the bottom right of the
// screen, plays data\notify.wav and shows a plan's date, time and text. Its drop-down list offers
// "我知道了" (close) and five snooze times, which the first skin button (or command 1000)
// applies. Each pop-up keeps its own copy of the plan and lives until it is dismissed or the
// program ends.
#pragma once

#include "manager/BackgroundRects.h"
#include "manager/BitmapFile.h"
#include "platform/framework/ComboBox.h"
#include "platform/framework/Dialog.h"
#include "tray/ScheduleRecord.h"
#include "tray/SkinButtonSet.h"

class CReminderPopup : public CDialog {
public:
    static constexpr int kWidth = 300;
    static constexpr int kFullHeight = 180;

    CReminderPopup() = default;
    ~CReminderPopup() override;

    // Shows a copy of `record`, or "暂无下一个计划" without one, and starts the slide. Returns 0.
    int ShowRecord(const CScheduleRecord* record);
    // 0 when the skin was loaded, 1 otherwise.
    int LoadSkin();
    // The list's choice: close, or hide for the chosen time.
    void ApplySnoozeChoice();
    int OnButton(int index);
    void DrawContent(CDC* target);
    void DrawRecordText(CDC* dc);

    // Destroys every pop-up still open and waits for the sounds that play, as the program ends.
    static void DestroyAll();

    const CScheduleRecord& record() const { return record_; }
    int currentHeight() const { return currentHeight_; }
    CComboBox& snoozeList() { return snoozeList_; }
    const CSkinButtonSet& buttons() const { return buttons_; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;
    void PostNcDestroy() override;

    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    void StartSound();

    int shownOnce_ = 0;
    CSkinButtonSet buttons_;
    CBackgroundRects backgroundRects_;
    CBitmapFile background_;
    CScheduleRecord record_;
    int currentHeight_ = 0;
    int left_ = 0;
    int bottom_ = 0;
    int width_ = kWidth;
    int fullHeight_ = kFullHeight;
    CComboBox snoozeList_;
};
