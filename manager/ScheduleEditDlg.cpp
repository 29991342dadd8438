#include "manager/ScheduleEditDlg.h"

#include <cstdio>
#include <string>

#include "manager/DateLists.h"
#include "manager/DialogKeyFilter.h"
#include "manager/ManagerGdi.h"
#include "manager/ScheduleList.h"
#include "platform/time/OleDateTime.h"
#include "resources/deskvane/resource.h"

BEGIN_MESSAGE_MAP(CScheduleEditDlg, CManagerModalDlg)
ON_CBN_SELCHANGE(IDC_YEAR, OnSelchangeYear)
ON_CBN_SELCHANGE(IDC_MONTH, OnSelchangeMonth)
ON_CBN_SELCHANGE(IDC_DAY, OnSelchangeTime)
ON_CBN_SELCHANGE(IDC_HOUR, OnSelchangeTime)
ON_CBN_SELCHANGE(IDC_MINUTE, OnSelchangeTime)
ON_CBN_SELCHANGE(IDC_SECOND, OnSelchangeTime)
ON_BN_CLICKED(IDC_SAVE_PLAN, OnSave)
ON_BN_CLICKED(IDC_DELETE_PLAN, OnDelete)
ON_BN_CLICKED(IDC_CLOSE_PLAN, OnClosePlan)
ON_NOTIFY(TVN_SELCHANGED, IDC_PLAN_TREE, OnTreeSelchanged)
END_MESSAGE_MAP()

namespace {

constexpr char kPlansFileKept[] =
    "计划文件 data3\\record.dat 太大, 无法读取. 为了不丢失其中的计划, 这次修改没有保存到文件.";

COleDateTime DateTimeOf(const ScheduleRecord& record) {
    return COleDateTime(record.year, record.month, record.day, record.hour, record.minute,
                        record.second);
}

}  // namespace

CScheduleEditDlg::CScheduleEditDlg(const DateRecord& date, CWnd* pParentWnd)
    : CManagerModalDlg(IDD_PLAN_EDIT, pParentWnd), date_(date) {}

ScheduleRecord* CScheduleEditDlg::AddOrUpdatePlan(int year, int month, int day, int hour,
                                                  int minute, int second, const char* text) {
    ScheduleRecordList& list = ScheduleRecords();
    const COleDateTime wanted(year, month, day, hour, minute, second);
    auto position = list.begin();
    for (; position != list.end(); ++position) {
        const COleDateTime when = DateTimeOf(**position);
        if (when.GetStatus() != wanted.GetStatus()) {
            continue;
        }
        if (when == wanted) {
            (*position)->text = text;
            return position->get();
        }
        if (when > wanted) {
            break;
        }
    }
    auto record = std::make_unique<ScheduleRecord>();
    record->year = year;
    record->month = month;
    record->day = day;
    record->hour = hour;
    record->minute = minute;
    record->second = second;
    record->text = text;
    record->MakeTexts();
    return list.insert(position, std::move(record))->get();
}

ScheduleRecord* CScheduleEditDlg::FindPlan(int year, int month, int day, int hour, int minute) {
    for (const auto& record : ScheduleRecords()) {
        if (record->year == year && record->month == month && record->day == day &&
            record->hour == hour && record->minute == minute) {
            return record.get();
        }
    }
    return nullptr;
}

void CScheduleEditDlg::DoDataExchange(CDataExchange* pDX) {
    CManagerModalDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_YEAR, year_);
    DDX_Control(pDX, IDC_MONTH, month_);
    DDX_Control(pDX, IDC_DAY, day_);
    DDX_Control(pDX, IDC_HOUR, hour_);
    DDX_Control(pDX, IDC_MINUTE, minute_);
    DDX_Control(pDX, IDC_SECOND, second_);
    DDX_Control(pDX, IDC_PLAN_TEXT, text_);
    DDX_Control(pDX, IDC_PLAN_TREE, tree_);
    DDX_Control(pDX, IDC_SAVE_PLAN, save_);
    DDX_Control(pDX, IDC_DELETE_PLAN, delete_);
    DDX_Control(pDX, IDC_CLOSE_PLAN, close_);
    DDX_Control(pDX, IDC_COPY_PLAN, copy_);
}

BOOL CScheduleEditDlg::OnInitDialog() {
    CManagerModalDlg::OnInitDialog();
    FillYearList(year_);
    FillNumberList(month_, 1, 12, true);
    FillNumberList(day_, 1, GetDaysInMonth(date_.year, date_.month), true);
    FillNumberList(hour_, 0, 23, true);
    FillNumberList(minute_, 0, 59, true);
    FillNumberList(second_, 0, 59, true);
    SelectValue(year_, date_.year, kFirstListYear);
    SelectValue(month_, date_.month, 1);
    SelectValue(day_, date_.day, 1);
    SelectValue(hour_, date_.hour, 0);
    SelectValue(minute_, date_.minute, 0);
    SelectValue(second_, date_.second, 0);
    FillPlanTree();
    ShowPlanAtSelection();
    ::SendMessageA(text_.m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(Gdi().headingFont), TRUE);
    return TRUE;
}

BOOL CScheduleEditDlg::PreTranslateMessage(MSG* pMsg) {
    if (FilterEscapeKey(pMsg)) {
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

DateRecord CScheduleEditDlg::Selection() const {
    DateRecord selection;
    selection.year = SelectedValue(year_, kFirstListYear);
    selection.month = SelectedValue(month_, 1);
    selection.day = SelectedValue(day_, 1);
    selection.hour = SelectedValue(hour_, 0);
    selection.minute = SelectedValue(minute_, 0);
    selection.second = SelectedValue(second_, 0);
    return selection;
}

void CScheduleEditDlg::RefillDays() {
    FillDayList(day_, SelectedValue(year_, kFirstListYear), SelectedValue(month_, 1));
}

void CScheduleEditDlg::FillPlanTree() {
    tree_.DeleteAllItems();
    HTREEITEM yearNode = nullptr;
    HTREEITEM monthNode = nullptr;
    const ScheduleRecord* previous = nullptr;
    for (const auto& record : ScheduleRecords()) {
        if (previous == nullptr || record->year != previous->year) {
            yearNode = tree_.InsertItem(record->yearText);
            tree_.SetItemData(yearNode, 0);
            monthNode = nullptr;
        }
        if (monthNode == nullptr || record->month != previous->month) {
            monthNode = tree_.InsertItem(record->monthText, yearNode);
            tree_.SetItemData(monthNode, 0);
        }
        char times[16];
        std::snprintf(times, sizeof(times), "%02d:%02d", record->hour, record->minute);
        const std::string leaf = std::string(record->dayText) + "  " + times + " " +
                                 static_cast<const char*>(record->text);
        HTREEITEM item = tree_.InsertItem(leaf.c_str(), monthNode);
        tree_.SetItemData(item, reinterpret_cast<DWORD_PTR>(record.get()));
        previous = record.get();
    }
}

HTREEITEM CScheduleEditDlg::FindTreeItem(const ScheduleRecord* record) const {
    for (HTREEITEM year = tree_.GetRootItem(); year != nullptr;
         year = tree_.GetNextSiblingItem(year)) {
        for (HTREEITEM month = tree_.GetChildItem(year); month != nullptr;
             month = tree_.GetNextSiblingItem(month)) {
            for (HTREEITEM leaf = tree_.GetChildItem(month); leaf != nullptr;
                 leaf = tree_.GetNextSiblingItem(leaf)) {
                if (tree_.GetItemData(leaf) == reinterpret_cast<DWORD_PTR>(record)) {
                    return leaf;
                }
            }
        }
    }
    return nullptr;
}

void CScheduleEditDlg::ShowPlanAtSelection() {
    const DateRecord selection = Selection();
    const ScheduleRecord* plan =
        FindPlan(selection.year, selection.month, selection.day, selection.hour, selection.minute);
    if (plan == nullptr) {
        text_.SetWindowText("");
        tree_.SelectItem(nullptr);
        return;
    }
    text_.SetWindowText(plan->text);
    tree_.SelectItem(FindTreeItem(plan));
}

void CScheduleEditDlg::ShowPlan(const ScheduleRecord* record) {
    SelectValue(year_, record->year, kFirstListYear);
    SelectValue(month_, record->month, 1);
    // The day list follows the plan's month, so that its last days can be shown.
    FillNumberList(day_, 1, GetDaysInMonth(record->year, record->month), true);
    SelectValue(day_, record->day, 1);
    SelectValue(hour_, record->hour, 0);
    SelectValue(minute_, record->minute, 0);
    SelectValue(second_, record->second, 0);
    text_.SetWindowText(record->text);
}

void CScheduleEditDlg::OnSelchangeYear() {
    RefillDays();
    ShowPlanAtSelection();
}

void CScheduleEditDlg::OnSelchangeMonth() {
    RefillDays();
    ShowPlanAtSelection();
}

void CScheduleEditDlg::OnSelchangeTime() {
    ShowPlanAtSelection();
}

void CScheduleEditDlg::OnTreeSelchanged(NMHDR*, LRESULT* pResult) {
    *pResult = 0;
    HTREEITEM item = tree_.GetSelectedItem();
    if (item == nullptr) {
        return;
    }
    if (auto* record = reinterpret_cast<const ScheduleRecord*>(tree_.GetItemData(item))) {
        ShowPlan(record);
    }
}

void CScheduleEditDlg::OnSave() {
    CString text;
    text_.GetWindowText(text);
    text.TrimLeft();
    text.TrimRight();
    if (text.IsEmpty()) {
        MessageBox("请输入内容");
        return;
    }
    const DateRecord selection = Selection();
    ScheduleRecord* plan =
        AddOrUpdatePlan(selection.year, selection.month, selection.day, selection.hour,
                        selection.minute, selection.second, text);
    FillPlanTree();
    tree_.SelectItem(FindTreeItem(plan));
    SavePlans();
}

void CScheduleEditDlg::OnDelete() {
    HTREEITEM item = tree_.GetSelectedItem();
    auto* plan =
        item != nullptr ? reinterpret_cast<ScheduleRecord*>(tree_.GetItemData(item)) : nullptr;
    if (plan == nullptr) {
        MessageBox("请先选择一个列表项");
        return;
    }
    CString question;
    question.Format("您真的要删除:%04d-%02d-%02d %02d:%02d:%02d执行:\r\n%s吗?", plan->year,
                    plan->month, plan->day, plan->hour, plan->minute, plan->second,
                    static_cast<const char*>(plan->text));
    if (MessageBox(question, nullptr, MB_YESNO) != IDYES) {
        return;
    }
    ScheduleRecordList& list = ScheduleRecords();
    const ScheduleRecord* before = nullptr;
    for (auto position = list.begin(); position != list.end(); ++position) {
        if (position->get() == plan) {
            list.erase(position);
            break;
        }
        before = position->get();
    }
    FillPlanTree();
    tree_.SelectItem(before != nullptr ? FindTreeItem(before) : nullptr);
    SavePlans();
}

void CScheduleEditDlg::SavePlans() {
    if (SaveScheduleRecords() == kScheduleFileKept) {
        MessageBox(kPlansFileKept);
    }
}

void CScheduleEditDlg::OnClosePlan() {
    SendMessage(WM_CLOSE);
}
