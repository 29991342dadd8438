// The markers that describe how pictures, page links and media objects are taken out of a page:
// 31 named data entries of data\ms.dat copied into numbered marker strings. The program has one;
// the frame loads it when it is created and releases it when it closes.
#pragma once

#include <array>

#include "picture/SectionedFile.h"

class CExtractTemplate {
public:
    // Markers are numbered 4 to 37; 4, 5 and 12 are never filled from the file.
    static constexpr int kFirstMarker = 4;
    static constexpr int kLastMarker = 37;

    CExtractTemplate() = default;
    virtual ~CExtractTemplate() = default;
    CExtractTemplate(const CExtractTemplate&) = delete;
    CExtractTemplate& operator=(const CExtractTemplate&) = delete;

    // Reads data\ms.dat (relative to the current folder, the program folder) and copies each
    // named entry that is there into its marker; a missing entry leaves its marker. Always 0.
    int Load();
    // Reads the sectioned file at path instead of data\ms.dat.
    int LoadFrom(const char* path);
    // Drops the sectioned file's entries; the markers stay. Always 0.
    int Release();

    // Marker `number` (4 to 37); empty for any other number.
    CString GetMarker(int number) const;
    const CSectionedFile& GetFile() const { return m_file; }

private:
    std::array<CString, kLastMarker + 1> m_markers;
    CSectionedFile m_file;
};

// The program's one template object.
CExtractTemplate& ExtractTemplate();
