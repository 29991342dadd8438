// One code entry of a sectioned file: a name and its body lines, as many as its header line
// announced at most.
#pragma once

#include <vector>

#include "platform/text/CString.h"

class CSectionedFile;

class CCodeEntry {
public:
    // Whether this is the file's main entry: its name is exactly "MAIN".
    BOOL IsMain() const { return m_strName == "MAIN"; }

    CSectionedFile* m_pOwner = nullptr;
    CString m_strName;
    // Sized to the announced number of lines; those not read stay empty.
    std::vector<CString> m_lines;
    int m_nLinesRead = 0;
};
