// The reminders of the tray companion: the plans of data3\record.dat (read with the manager's own
// reader) in file order, which the manager keeps ascending by date and time, and the start, the
// first plan the scan looks at: the last plan earlier than the moment of loading.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/base/WinTypes.h"
#include "tray/ScheduleRecord.h"

class CReminderList {
public:
    // A plan text is read into 1024 bytes: longer ones are cut to 1023 bytes, at a character.
    static constexpr std::size_t kMaxTextBytes = 1023;

    // Replaces the list with the plans of the file's bytes and sets the start from `now`.
    // Reminders that popped up before and come back unchanged (same date, time and text) keep
    // their mark, so that a reload in their minute does not pop them up again.
    void Load(std::span<const std::uint8_t> bytes, const SYSTEMTIME& now);
    // 1 when the file cannot be read (the list is then empty), else 0.
    int LoadFile(const char* path, const SYSTEMTIME& now);
    void Clear();

    // The first reminder from the start on whose year, month, day, hour and minute are now's and
    // that has not popped up; it is marked as shown. Null when none is due.
    CScheduleRecord* TakeDue(const SYSTEMTIME& now);
    // The first reminder from the start on whose date, hour and minute lie after now (seconds
    // taken as 0); null when none.
    const CScheduleRecord* NextAfter(const SYSTEMTIME& now) const;

    std::size_t size() const { return records_.size(); }
    const CScheduleRecord& operator[](std::size_t index) const { return *records_[index]; }
    std::size_t start() const { return start_; }

private:
    std::vector<std::unique_ptr<CScheduleRecord>> records_;
    std::size_t start_ = 0;
};
