// The idiom dictionary, child 3 of the lookup page: every entry of data3\dict.dat in a list, the
// entry that best matches the input (the idiom, or the first pinyin letters of its characters)
// shown with its pinyin, explanation, source and example, and copied to the clipboard on request.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "manager/HintButton.h"
#include "manager/IdiomRecord.h"
#include "manager/LookupDlg.h"

class CIdiomDictDlg : public CLookupDlg {
public:
    CIdiomDictDlg();

    BOOL OnInitDialog() override;
    // Frees the entries (the list rows first), then the window.
    BOOL DestroyWindow() override;

    // 0 loaded, 1 the file cannot be opened (no entries).
    int LoadData(const char* path = kIdiomFile);
    void FreeEntries();
    // The text the copy button puts on the clipboard: the last entry shown.
    const std::string& ClipboardText() const { return clipboardText_; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnQuery();
    afx_msg void ShowEntry();
    afx_msg void CopyEntry();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    CHintButton query_;
    CHintButton copy_;
    std::vector<std::unique_ptr<IdiomRecord>> entries_;
    std::string clipboardText_;
};
