// Unpacking the file that an update archive holds: its first entry.
#pragma once

#include "platform/text/CString.h"

// Unpacks the first entry of the zip archive `archivePath` into the archive's folder, under the
// entry's name (which may name a sub-folder that exists there) followed by ".unz", so that a file
// of the entry's own name is never replaced before the caller has checked what was unpacked. The
// unpacked file gets the entry's modification time and normal attributes.
// 0 with `outPath` set to the unpacked file's path; 1 when the archive cannot be read or is
// damaged, the entry's name could lead out of the folder (IsSafeRelativePath) or names a folder,
// the file cannot be written, or the thread was asked to stop. A file begun is then deleted and
// `outPath` is left as it was.
int ExtractFirstZipEntry(const char* archivePath, CString& outPath);
