// A text file of named sections (data\ms.dat): two counts, then code entries ("[CODE_BEGIN] name",
// a line count and the body up to "[CODE_END]") and data blocks ("[DATA_BEGIN]" to "[DATA_END]",
// one data entry a line), anywhere among other lines. Lines beginning with "//" are comments.
//
// The counts at the file's head size the entry tables, but never beyond what the file could hold:
// each entry takes a line at least, so a table has at most as many slots as the file has lines.
// The same class writes the news page, which tells whether the scrolling news is on.
#pragma once

#include <vector>

#include "picture/CodeEntry.h"
#include "picture/DataEntry.h"

class CSectionedFile {
public:
    // Lines longer than this are cut.
    static constexpr int kLineBufferSize = 51200;

    CSectionedFile() = default;
    virtual ~CSectionedFile() = default;
    CSectionedFile(const CSectionedFile&) = delete;
    CSectionedFile& operator=(const CSectionedFile&) = delete;

    // Reads the file; a missing one gives no entries. Always 0.
    int Load(const char* path);
    // The first data entry of the name (compared ignoring case), or null.
    CDataEntry* FindBlock(const char* name);
    const CDataEntry* FindBlock(const char* name) const;
    void Clear();
    // Writes data//result.htm in the skin's news colours with the news option's state. 1; 0 when
    // the page cannot be written.
    int WriteNewsList();

    int GetCodeEntryCount() const { return m_nCodeRead; }
    int GetDataEntryCount() const { return m_nDataRead; }
    const std::vector<CCodeEntry>& GetCodeEntries() const { return m_codeEntries; }
    const std::vector<CDataEntry>& GetDataEntries() const { return m_dataEntries; }
    CCodeEntry* GetMainEntry() const { return m_pMain; }

private:
    std::vector<CCodeEntry> m_codeEntries;
    std::vector<CDataEntry> m_dataEntries;
    int m_nCodeRead = 0;
    int m_nDataRead = 0;
    CCodeEntry* m_pMain = nullptr;
};

// The program's news page writer.
CSectionedFile& NewsList();
