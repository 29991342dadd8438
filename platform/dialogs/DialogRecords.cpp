#include "platform/dialogs/DialogRecords.h"

#include <mutex>
#include <unordered_map>

namespace platform {

namespace {

struct Table {
    std::mutex mutex;
    std::unordered_map<HWND, DialogRecord> records;
};

Table& TheTable() {
    static Table table;
    return table;
}

}  // namespace

void DialogRecords::Add(HWND dialog, const DialogRecord& record) {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    table.records[dialog] = record;
}

std::optional<DialogRecord> DialogRecords::Find(HWND dialog) {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    auto found = table.records.find(dialog);
    if (found == table.records.end()) {
        return std::nullopt;
    }
    return found->second;
}

bool DialogRecords::Update(HWND dialog, const std::function<void(DialogRecord&)>& change) {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    auto found = table.records.find(dialog);
    if (found == table.records.end()) {
        return false;
    }
    change(found->second);
    return true;
}

std::optional<DialogRecord> DialogRecords::Remove(HWND dialog) {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    auto found = table.records.find(dialog);
    if (found == table.records.end()) {
        return std::nullopt;
    }
    DialogRecord record = found->second;
    table.records.erase(found);
    return record;
}

}  // namespace platform
