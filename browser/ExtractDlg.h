// The page data dialog: lists elements of the page in the frame's current tab as text, one line
// per element in document order: the addresses of its links or pictures, every element's tag,
// the markup of its embedded objects, or the picture addresses in a bracketed form that other
// tools pick up; or the page's source, fetched again from its address into "get.txt" in the
// program folder. Each button replaces the whole text of the result edit.
#pragma once

#include "platform/framework/Dialog.h"
#include "platform/framework/Edit.h"

class CPageDlg;

class CExtractDlg : public CDialog {
public:
    explicit CExtractDlg(CWnd* pParent = nullptr);

    // Shown in the result edit when the dialog opens.
    CString m_strResult;
    CEdit m_resultEdit;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnLinks();
    afx_msg void OnImages();
    afx_msg void OnAllTags();
    afx_msg void OnObjects();
    afx_msg void OnPictures();
    afx_msg void OnSource();

    DECLARE_MESSAGE_MAP()

private:
    enum class Listing { Links, Images, AllTags, Objects, Pictures };

    // The page of the frame's current tab; null when no tab is selected.
    static CPageDlg* CurrentPage();
    // Walks every element of the current page's document and shows the lines of `listing`.
    void ListElements(Listing listing);
};
