// The planner's program-wide list of plans and its file, data3\record.dat: a 32-bit count, then
// per plan the flag, year, month, day, hour, minute and second (seven 32-bit integers), the
// text's byte length (32 bits) and the text without a terminator, all little-endian.
//
// The list is kept sorted by date and time by whoever inserts (the plan edit dialog); loading
// appends the file's plans in file order. The manager writes the whole file after every change
// and then tells the tray companion, which reads it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "manager/ScheduleRecord.h"

using ScheduleRecordList = std::vector<std::unique_ptr<ScheduleRecord>>;

inline constexpr char kScheduleFile[] = "data3\\record.dat";
// The tray companion's window and the message that makes it reload every settings file.
inline constexpr char kTrayTitle[] = "DeskvaneTP";
inline constexpr unsigned WM_SETTINGS_CHANGED = 1030;
// SaveScheduleRecords' answer for a file too large to read, which it leaves alone.
inline constexpr int kScheduleFileKept = 2;

// The program's one list: loaded when the calendar page is made, freed when the program ends.
ScheduleRecordList& ScheduleRecords();

// Appends the plans of the file's bytes to `list`. Plans are taken while they are whole: a count
// beyond the bytes stops at the last whole plan, a negative count gives none, and a text is
// taken whole at any length the bytes hold.
void ParseScheduleRecords(std::span<const std::uint8_t> bytes, ScheduleRecordList& list);
// The file's bytes for `list`.
std::string SerializeScheduleRecords(const ScheduleRecordList& list);

// 1 when the file cannot be read (the list stays as it was), else 0.
int LoadScheduleRecords(const char* path = kScheduleFile);
// Writes the whole list through a temporary file and a rename, then posts WM_SETTINGS_CHANGED to
// the tray companion when it runs. 1 when the file cannot be written (nothing is posted: the file
// on disk is unchanged), else 0. A file on disk too large to be read was never loaded, so the
// list lacks its plans: it is not replaced, and the answer is kScheduleFileKept.
int SaveScheduleRecords(const char* path = kScheduleFile);
void FreeScheduleRecords();
