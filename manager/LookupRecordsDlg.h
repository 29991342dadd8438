// A lookup dialog over one enciphered data file: it holds the file's records in file order for
// its whole life, and the rows of its result list (when it has one) point at them, so the rows
// are always cleared before the records are freed.
#pragma once

#include <cstddef>
#include <vector>

#include "manager/LookupDataFile.h"
#include "manager/LookupDlg.h"
#include "platform/framework/ListCtrl.h"

// `Record` has a static Parse(const char* line) that never reads past the line's NUL.
template <typename Record>
class CLookupRecordsDlg : public CLookupDlg {
public:
    // `file` is the data file's path relative to the program folder.
    CLookupRecordsDlg(UINT nIDTemplate, const char* file) : CLookupDlg(nIDTemplate), file_(file) {}

    // Empties the list, frees the records, then the window.
    BOOL DestroyWindow() override {
        ClearRows();
        records_.clear();
        return CLookupDlg::DestroyWindow();
    }

    // Reads the records again from the dialog's file, or from `path`: 0 loaded, 1 the file
    // cannot be opened (no records).
    int LoadData() { return LoadData(file_); }
    int LoadData(const char* path) {
        ClearRows();
        records_.clear();
        return ReadDataFileLines(
            path, kLineSize, [this](const char* line) { records_.push_back(Record::Parse(line)); });
    }
    const std::vector<Record>& Records() const { return records_; }

protected:
    // The list whose rows point at the records; null while the dialog has none.
    void SetRecordRows(CListCtrl* rows) { rows_ = rows; }

    std::vector<Record> records_;

private:
    // Lines longer than this are cut to its size less one.
    static constexpr std::size_t kLineSize = 500;

    void ClearRows() {
        if (rows_ != nullptr && rows_->m_hWnd != nullptr) {
            rows_->DeleteAllItems();
        }
    }

    const char* file_;
    CListCtrl* rows_ = nullptr;
};
