// The file list of the update page: the lines between "[FILE_LIST_BEGIN]" and "[FILE_LIST_END]",
// each "digest path address" separated by white space. The list comes over plain HTTP, so every
// field is read within its limit and a path that could lead out of the program folder is refused.
#pragma once

#include "common/TextLineFile.h"

struct UpdateFileEntry {
    // The MD5 digest the file must have, as written (32 lower-case hexadecimal digits to match).
    char digest[52];
    // Relative to the program folder.
    char path[256];
    // Where the file (or a zip archive holding it) is downloaded from.
    char address[256];
};

class CUpdateFileList {
public:
    // Reads the list in `page`, an opened update page.
    explicit CUpdateFileList(CTextLineFile& page) : page_(page) {}
    virtual ~CUpdateFileList() = default;

    // Goes back to the start of the page and finds the list: 0 found, 1 the page has none.
    int Begin();
    // The next usable line of the list: 0 with `entry` filled; 1 at "[FILE_LIST_END]" or at the
    // end of the page. Comment lines ("//"), lines with fewer than three fields, a field longer
    // than its limit (digest 51, path and address 255 characters) and paths that
    // IsSafeRelativePath refuses are passed over. Lines longer than 1023 characters are cut there.
    int Next(UpdateFileEntry& entry);

    // One list line split into `entry`; false when it is not usable (as Next describes).
    static bool ParseLine(const char* line, UpdateFileEntry& entry);

private:
    CTextLineFile& page_;
};
