#include "manager/AddressBookPage.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "manager/ContactRowKind.h"
#include "manager/RecordBytes.h"
#include "platform/framework/DataExchangeFunctions.h"
#include "platform/text/Gbk.h"
#include "resources/deskvane/resource.h"

namespace {

struct TextField {
    int id;
    std::string ContactForm::*value;
    int limit;
};

constexpr TextField kTextFields[] = {
    {IDC_EMAIL, &ContactForm::email, 30},
    {IDC_MOBILE, &ContactForm::mobile, 20},
    {IDC_NOTE, &ContactForm::note, 300},
    {IDC_NAME, &ContactForm::name, 30},
    {IDC_OFFICE_PHONE, &ContactForm::office, 20},
    {IDC_HOME_PHONE, &ContactForm::home, 20},
    {IDC_QQ, &ContactForm::qq, 20},
};

std::string Trimmed(std::string_view text) {
    const auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (!text.empty() && isSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isSpace(text.back())) {
        text.remove_suffix(1);
    }
    return std::string(text);
}

}  // namespace

BEGIN_MESSAGE_MAP(CAddressBookPage, CSkinnedPage)
ON_BN_CLICKED(IDC_SAVE_CONTACT, SaveContact)
ON_BN_CLICKED(IDC_NEW_CONTACT, ClearFields)
ON_BN_CLICKED(IDC_SHOW_GROUP, FillList)
ON_BN_CLICKED(IDC_DELETE_CONTACT, OnDelete)
ON_NOTIFY(NM_CLICK, IDC_CONTACT_LIST, ShowSelected)
ON_WM_CTLCOLOR()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CAddressBookPage::CAddressBookPage() : CSkinnedPage(IDD_ADDRESS_BOOK) {}

void CAddressBookPage::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SAVE_CONTACT, save_);
    DDX_Control(pDX, IDC_NEW_CONTACT, new_);
    DDX_Control(pDX, IDC_SHOW_GROUP, showGroup_);
    DDX_Control(pDX, IDC_DELETE_CONTACT, delete_);
    DDX_Control(pDX, IDC_CONTACT_LIST, list_);
}

BOOL CAddressBookPage::OnInitDialog() {
    CDialog::OnInitDialog();
    // The combos come with their items from the template.
    for (const TextField& field : kTextFields) {
        SendDlgItemMessage(field.id, EM_LIMITTEXT, static_cast<WPARAM>(field.limit));
    }
    ContactRowKind::InsertColumns(list_);
    list_.SetKind(5);
    ClearFields();
    LoadContacts();
    FillList();
    return TRUE;
}

void CAddressBookPage::ReadForm() {
    form_.group = static_cast<int>(SendDlgItemMessage(IDC_GROUP, CB_GETCURSEL));
    form_.calendar = static_cast<int>(SendDlgItemMessage(IDC_CALENDAR_KIND, CB_GETCURSEL));
    form_.birthMonth = static_cast<int>(SendDlgItemMessage(IDC_BIRTH_MONTH, CB_GETCURSEL));
    form_.birthDay = static_cast<int>(SendDlgItemMessage(IDC_BIRTH_DAY, CB_GETCURSEL));
    form_.remind = IsDlgButtonChecked(IDC_REMIND) == BST_CHECKED ? 1 : 0;
    for (const TextField& field : kTextFields) {
        CString text;
        GetDlgItemText(field.id, text);
        form_.*field.value = std::string(text, static_cast<std::size_t>(text.GetLength()));
    }
}

void CAddressBookPage::WriteForm() {
    SendDlgItemMessage(IDC_GROUP, CB_SETCURSEL, static_cast<WPARAM>(form_.group));
    SendDlgItemMessage(IDC_CALENDAR_KIND, CB_SETCURSEL, static_cast<WPARAM>(form_.calendar));
    SendDlgItemMessage(IDC_BIRTH_MONTH, CB_SETCURSEL, static_cast<WPARAM>(form_.birthMonth));
    SendDlgItemMessage(IDC_BIRTH_DAY, CB_SETCURSEL, static_cast<WPARAM>(form_.birthDay));
    CheckDlgButton(IDC_REMIND, form_.remind != 0 ? BST_CHECKED : BST_UNCHECKED);
    for (const TextField& field : kTextFields) {
        SetDlgItemText(field.id, (form_.*field.value).c_str());
    }
}

void CAddressBookPage::ClearFields() {
    form_ = ContactForm{};
    WriteForm();
}

void CAddressBookPage::FillList() {
    ReadForm();
    list_.DeleteAllItems();
    for (const auto& contact : contacts_) {
        if (form_.group == 0 || form_.group == contact->group) {
            const int row = list_.InsertItem(list_.GetItemCount(), "");
            list_.SetItemData(row, reinterpret_cast<DWORD_PTR>(contact.get()));
        }
    }
}

int CAddressBookPage::ShowGroup(int group) {
    ClearFields();
    form_.group = group;
    WriteForm();
    FillList();
    return 0;
}

void CAddressBookPage::ShowSelected(NMHDR*, LRESULT* pResult) {
    *pResult = 0;
    const int row = list_.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0) {
        return;
    }
    const auto& contact = *reinterpret_cast<const AddressBookRecord*>(list_.GetItemData(row));
    form_.group = contact.group;
    form_.calendar = contact.calendar;
    form_.birthMonth = contact.birthMonth;
    form_.birthDay = contact.birthDay;
    form_.remind = contact.remind;
    form_.email = RecordBytes::Field(contact.email);
    form_.mobile = RecordBytes::Field(contact.mobile);
    form_.note = RecordBytes::Field(contact.note);
    form_.name = RecordBytes::Field(contact.name);
    form_.office = RecordBytes::Field(contact.office);
    form_.home = RecordBytes::Field(contact.home);
    form_.qq = RecordBytes::Field(contact.qq);
    WriteForm();
}

void CAddressBookPage::SaveContact() {
    ReadForm();
    if (form_.group <= 0) {
        MessageBox("请先选择分组.");
        return;
    }
    form_.name = Trimmed(form_.name);
    if (form_.name.empty()) {
        MessageBox("姓名字段太短，至少一个字符");
        return;
    }
    AddressBookRecord* contact = nullptr;
    for (const auto& existing : contacts_) {
        if (platform::CompareNoCase(RecordBytes::Field(existing->name), form_.name) == 0) {
            if (MessageBox("你的通讯录列表中己经有该人的信息了,是否修改该人的信息?", nullptr,
                           MB_YESNO) != IDYES) {
                return;
            }
            contact = existing.get();
            break;
        }
    }
    std::unique_ptr<AddressBookRecord> added;
    if (contact == nullptr) {
        added = std::make_unique<AddressBookRecord>();
        contact = added.get();
    }
    *contact = AddressBookRecord{};
    contact->group = form_.group;
    RecordBytes::Store(contact->name, form_.name);
    RecordBytes::Store(contact->mobile, form_.mobile);
    RecordBytes::Store(contact->office, form_.office);
    RecordBytes::Store(contact->home, form_.home);
    RecordBytes::Store(contact->email, form_.email);
    contact->calendar = form_.calendar;
    contact->birthMonth = form_.birthMonth;
    contact->birthDay = form_.birthDay;
    contact->remind = form_.remind != 0 ? 1 : 0;
    RecordBytes::Store(contact->qq, form_.qq);
    RecordBytes::Store(contact->note, form_.note);
    if (added != nullptr) {
        contacts_.insert(contacts_.begin(), std::move(added));
    }
    FillList();
    SaveContacts();
}

void CAddressBookPage::OnDelete() {
    const int row = list_.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0) {
        MessageBox("请先选择要删除的项。");
        return;
    }
    const auto* chosen = reinterpret_cast<const AddressBookRecord*>(list_.GetItemData(row));
    const std::string name(RecordBytes::Field(chosen->name));
    char question[128];
    std::snprintf(question, sizeof(question), "你真的要删除 通讯录中的[%s]的资料吗?", name.c_str());
    if (MessageBox(question, nullptr, MB_YESNO) != IDYES) {
        return;
    }
    // The row goes before its record, so that no row ever points at a freed record.
    list_.DeleteItem(row);
    const auto found = std::find_if(contacts_.begin(), contacts_.end(),
                                    [&](const auto& contact) { return contact.get() == chosen; });
    if (found != contacts_.end()) {
        contacts_.erase(found);
    }
    ClearFields();
    SaveContacts();
}

int CAddressBookPage::LoadContacts() {
    FreeContacts();
    bookRead_ = LoadAddressBook(contacts_);
    return bookRead_;
}

int CAddressBookPage::SaveContacts() {
    if (bookRead_ == 2) {
        MessageBox(RecordBytes::kPartialFileMessage);
        return 1;
    }
    return SaveAddressBook(contacts_);
}

int CAddressBookPage::FreeContacts() {
    if (list_.m_hWnd != nullptr) {
        list_.DeleteAllItems();
    }
    contacts_.clear();
    return 0;
}

int CAddressBookPage::RecalcLayout() {
    CRect client;
    GetClientRect(&client);
    painter_.ResetRects();
    painter_.AddRect(client);
    for (CWnd* child = GetWindow(GW_CHILD); child != nullptr;
         child = child->GetWindow(GW_HWNDNEXT)) {
        if (child->IsWindowVisible()) {
            painter_.AddWindowRect(this, child);
        }
    }
    painter_.SplitRects();
    return 0;
}

void CAddressBookPage::DrawContent(CDC* buffer, const CRect& client) {
    CPagePainter::DrawTitle(buffer, client, "通讯录");
}

void CAddressBookPage::OnDestroy() {
    FreeContacts();
    CSkinnedPage::OnDestroy();
}
