// The address book (page 8 of the main window): a form for one contact above the sortable list
// of the contacts, filtered by group. Saving a name that is already in the book (case ignored)
// asks whether to rewrite that contact; new contacts go first. Every save and delete rewrites
// data3\comlst.dat whole.
#pragma once

#include <string>

#include "manager/AddressBookRecord.h"
#include "manager/HintButton.h"
#include "manager/SkinnedPage.h"
#include "manager/SortListCtrl.h"

// What the form shows.
struct ContactForm {
    int group = 0;
    int remind = 0;
    int birthDay = 0;
    int birthMonth = 0;
    int calendar = 0;
    std::string email;
    std::string mobile;
    std::string note;
    std::string name;
    std::string office;
    std::string home;
    std::string qq;
};

class CAddressBookPage : public CSkinnedPage {
public:
    CAddressBookPage();

    BOOL OnInitDialog() override;
    int RecalcLayout() override;
    // The main window's commands: 0 shows every group, 1 to 4 one group. Returns 0.
    int OnButton(int command) override { return ShowGroup(command); }

    // Clears the form to `group` and lists that group (0: all). Returns 0.
    int ShowGroup(int group);
    // 0 read, 1 no file, 2 not read whole (the contacts that could be read).
    int LoadContacts();
    // 0 written, 1 not. A file that was not read whole is not written over: the user is told,
    // the change stays in the list.
    int SaveContacts();
    int FreeContacts();

    const AddressBookList& Contacts() const { return contacts_; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void DrawContent(CDC* buffer, const CRect& client) override;
    // Enter and Esc leave the page as it is.
    void OnOK() override {}
    void OnCancel() override {}

    afx_msg void SaveContact();
    afx_msg void ClearFields();
    afx_msg void FillList();
    afx_msg void OnDelete();
    afx_msg void ShowSelected(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // The form's values from and to the controls.
    void ReadForm();
    void WriteForm();

    AddressBookList contacts_;
    // LoadContacts' result for contacts_.
    int bookRead_ = 1;
    CHintButton save_;
    CHintButton new_;
    CHintButton showGroup_;
    CHintButton delete_;
    CSortListCtrl list_;
    ContactForm form_;
};
