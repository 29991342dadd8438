// The options page: whether the tray companion starts with the system (the Run value "dv09"),
// saved with its button or Enter, which also records the program's version and folder.
#pragma once

#include "manager/HintButton.h"
#include "manager/SkinnedPage.h"

inline constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kRunValue[] = "dv09";
inline constexpr char kProgramKey[] = "software\\larchway5\\dv";

class COptionsPage : public CSkinnedPage {
public:
    COptionsPage();

    // Reads the Run value into the check box, then the page's skin; TRUE when the skin loaded.
    BOOL OnInitDialog() override;
    // Esc does nothing here; Enter reaches the save button.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Saves; the page stays.
    void OnOK() override;

    // 1 until the controls exist, else 0.
    int RecalcLayout() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void DrawContent(CDC* buffer, const CRect& client) override;

    DECLARE_MESSAGE_MAP()

private:
    CHintButton save_;
};
