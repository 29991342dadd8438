// Conversions between FILETIME (100-nanosecond intervals since 1601-01-01), SYSTEMTIME fields,
// local time and the packed dates of zip entries. Each returns FALSE with ERROR_INVALID_PARAMETER
// for a missing pointer, impossible fields or a result outside the target's range, and leaves its
// output untouched then.
#pragma once

#include "platform/base/WinTypes.h"

// Only the current zone (a null pointer) is supported; the structure is never defined.
struct TIME_ZONE_INFORMATION;

// FILETIME up to 0x7FFFFFFFFFFFFFFF (30828-09-14 02:48:05.477); wDayOfWeek is filled in.
BOOL FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime);
// Years 1601..30827; wDayOfWeek is ignored.
BOOL SystemTimeToFileTime(const SYSTEMTIME* systemTime, FILETIME* fileTime);
// Both directions use the zone's offset of the present moment, not of the converted instant, as
// the original platform does, so the pair is always an exact round trip.
BOOL FileTimeToLocalFileTime(const FILETIME* fileTime, FILETIME* localFileTime);
BOOL LocalFileTimeToFileTime(const FILETIME* localFileTime, FILETIME* fileTime);
// Uses the offset in force at the converted instant (daylight saving of that date).
BOOL SystemTimeToTzSpecificLocalTime(const TIME_ZONE_INFORMATION* timeZone, const SYSTEMTIME* utc,
                                     SYSTEMTIME* local);
// date: bits 0-4 day, 5-8 month, 9-15 years since 1980; time: bits 0-4 seconds / 2, 5-10 minute,
// 11-15 hour. The fields carry no zone, so the result is a local FILETIME.
BOOL DosDateTimeToFileTime(WORD fatDate, WORD fatTime, FILETIME* fileTime);
// Years 1980..2107; odd seconds round down.
BOOL FileTimeToDosDateTime(const FILETIME* fileTime, WORD* fatDate, WORD* fatTime);
