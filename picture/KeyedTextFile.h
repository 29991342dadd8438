// A whole file read into memory as one text, optionally stored under a repeating-key XOR, and
// handed out line by line. The picture collector's scripts and class list are stored enciphered
// this way; the script statement that reads a plain file uses it with an empty key.
#pragma once

#include "platform/text/CString.h"

// File byte k is text byte k XOR key[k mod key length], k counted from the start of the file.
inline constexpr char kScriptFileKey[] = "plokmn847";  // html\imageinfo.dat, html\urllist.dat
inline constexpr char kClassListKey[] = "583107zxbbw921446";  // data\list\class.dat

class CKeyedTextFile {
public:
    CKeyedTextFile();
    virtual ~CKeyedTextFile();
    CKeyedTextFile(const CKeyedTextFile&) = delete;
    CKeyedTextFile& operator=(const CKeyedTextFile&) = delete;

    // Replaces the content with the file's deciphered bytes (every byte, NULs included) and
    // rewinds. `key` may be empty or null for a plain file. 0 loaded; 1 when the file cannot be
    // opened or read, the content then empty.
    int Load(const char* path, const char* key);

    // Puts the next line, white space trimmed at both ends, into `line` and returns 0; returns 1
    // with `line` unchanged at the end of the content. Runs of line breaks between lines are
    // passed over, so only a break at the very start yields an empty line.
    int ReadLine(CString& line);

    // The whole text; it may hold NUL bytes, so take its length from GetLength, not from a NUL.
    const CString& GetContent() const { return content_; }
    int GetLength() const { return length_; }

private:
    CString content_;
    int length_ = 0;
    int cursor_ = 0;
};
