#include "tray/ReminderList.h"

#include <algorithm>
#include <tuple>

#include "common/WholeFile.h"
#include "manager/ScheduleList.h"
#include "platform/text/Gbk.h"

namespace {

auto Moment(const CScheduleRecord& record) {
    return std::tuple(record.year, record.month, record.day, record.hour, record.minute,
                      record.second);
}

auto Moment(const SYSTEMTIME& now, int second) {
    return std::tuple(int{now.wYear}, int{now.wMonth}, int{now.wDay}, int{now.wHour},
                      int{now.wMinute}, second);
}

bool SameReminder(const CScheduleRecord& a, const CScheduleRecord& b) {
    return Moment(a) == Moment(b) && a.text == b.text;
}

}  // namespace

void CReminderList::Clear() {
    records_.clear();
    start_ = 0;
}

void CReminderList::Load(std::span<const std::uint8_t> bytes, const SYSTEMTIME& now) {
    std::vector<std::unique_ptr<CScheduleRecord>> shownBefore;
    for (auto& record : records_) {
        if (record->shown != 0) {
            shownBefore.push_back(std::move(record));
        }
    }
    Clear();

    ScheduleRecordList plans;
    ParseScheduleRecords(bytes, plans);
    for (const auto& plan : plans) {
        auto record = std::make_unique<CScheduleRecord>();
        record->shown = plan->flag;
        record->year = plan->year;
        record->month = plan->month;
        record->day = plan->day;
        record->hour = plan->hour;
        record->minute = plan->minute;
        record->second = plan->second;
        const CString& text = plan->text;
        const auto length = static_cast<std::size_t>(text.GetLength());
        record->text =
            length <= kMaxTextBytes
                ? text
                : text.Left(static_cast<int>(platform::CutAtCharBoundary(
                      std::string_view(static_cast<const char*>(text), length), kMaxTextBytes)));
        if (std::any_of(shownBefore.begin(), shownBefore.end(),
                        [&](const auto& before) { return SameReminder(*before, *record); })) {
            record->shown = 1;
        }
        records_.push_back(std::move(record));
    }
    const auto moment = Moment(now, now.wSecond);
    for (std::size_t i = 0; i < records_.size() && Moment(*records_[i]) < moment; ++i) {
        start_ = i;
    }
}

int CReminderList::LoadFile(const char* path, const SYSTEMTIME& now) {
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) {
        Clear();
        return 1;
    }
    Load(bytes, now);
    return 0;
}

CScheduleRecord* CReminderList::TakeDue(const SYSTEMTIME& now) {
    for (std::size_t i = start_; i < records_.size(); ++i) {
        CScheduleRecord& record = *records_[i];
        if (record.shown == 0 && record.year == now.wYear && record.month == now.wMonth &&
            record.day == now.wDay && record.hour == now.wHour && record.minute == now.wMinute) {
            record.shown = 1;
            return &record;
        }
    }
    return nullptr;
}

const CScheduleRecord* CReminderList::NextAfter(const SYSTEMTIME& now) const {
    const auto moment = Moment(now, now.wSecond);
    for (std::size_t i = start_; i < records_.size(); ++i) {
        const CScheduleRecord& record = *records_[i];
        if (std::tuple(record.year, record.month, record.day, record.hour, record.minute, 0) >
            moment) {
            return &record;
        }
    }
    return nullptr;
}
