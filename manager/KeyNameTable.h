// The names of the keys a hot key can use, parsed once from a fixed table of text rows
// ("VK_RETURN 0D ENTER key": name, blank, two hexadecimal digits, blank, description). Row 0 is
// "无", code 0, for no key (its description, never shown, is row 1's). The key pickers show the
// names in table order, so a picker's index is a row index; no two rows share a code.
#pragma once

#include <cstdint>

struct KeyNameRow {
    char name[20];
    std::uint8_t code;
    // English description; kept, never shown. Longer ones are cut.
    char description[50];
};

class CKeyNameTable {
public:
    static constexpr int kMaxRows = 255;

    CKeyNameTable();
    virtual ~CKeyNameTable() = default;

    int Count() const { return count_; }
    const KeyNameRow& Row(int index) const { return rows_[index]; }

    // The first row whose code is the key's low byte, its index in `index`; row 0 ("无") and
    // index 0 when no row has it.
    const KeyNameRow& FindKey(unsigned key, int& index) const;
    // The index of the first row with the code, 0 when none.
    int IndexOfKey(std::uint8_t code) const;
    // The row's code; 0 for an index outside the table (a picker without a selection is -1).
    std::uint8_t KeyAt(int index) const;

    // Two hexadecimal digits ("0D", "a5"); a character that is not a digit counts as 0.
    static std::uint8_t ParseHexByte(const char* digits);

private:
    int count_ = 0;
    KeyNameRow rows_[kMaxRows] = {};
};

// The program's one table.
const CKeyNameTable& KeyNames();
