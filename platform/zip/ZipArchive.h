// Zip archives named by Windows paths. Program code reads archives with minizip's unz* functions;
// only the opening goes through here, so that the archive's path is resolved by the path layer
// (either separator, drive letters, names matched ignoring case, GBK names stored as UTF-8) and
// the archive is shared with the program's other file users like any file opened for reading.
#pragma once

#include <unzip.h>

namespace platform {

// minizip's file functions over OpenStdioFile: the name minizip is handed is a Windows path.
void FillWindowsPathFileFunctions(zlib_filefunc64_def* functions);

// unzOpen for a Windows path; null when the file cannot be opened or is not a zip archive.
// Close it with unzClose.
unzFile OpenZipArchive(const char* windowsPath);

}  // namespace platform
