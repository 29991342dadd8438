#include "manager/KeyNameTable.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace {

// Name, blank, code, blank, description; "-" ends the table. F17 to F24 write their codes with an
// "H" after the two digits, which are all that is read.
constexpr char kSourceRows[][100] = {
    "无 00 BACKSPACE key",
    "VK_BACK 08 BACKSPACE key",
    "VK_TAB 09 TAB key",
    "VK_CLEAR 0C CLEAR key",
    "VK_RETURN 0D ENTER key",
    "VK_PAUSE 13 PAUSE key",
    "VK_CAPITAL 14 CAPS LOCK key",
    "VK_ESCAPE 1B ESC key",
    "VK_SPACE 20 SPACEBAR",
    "VK_PRIOR 21 PAGE UP key",
    "VK_NEXT 22 PAGE DOWN key",
    "VK_END 23 END key",
    "VK_HOME 24 HOME key",
    "VK_LEFT 25 LEFT ARROW key",
    "VK_UP 26 UP ARROW key",
    "VK_RIGHT 27 RIGHT ARROW key",
    "VK_DOWN 28 DOWN ARROW key",
    "VK_SELECT 29 SELECT key",
    "VK_PRINT 2A PRINT key",
    "VK_EXECUTE 2B EXECUTE key",
    "VK_SNAPSHOT 2C PRINT SCREEN key for Windows 3.0 and later",
    "VK_INSERT 2D INS key",
    "VK_DELETE 2E DEL key",
    "VK_HELP 2F HELP key",
    "0 30 0 key",
    "1 31 1 key",
    "2 32 2 key",
    "3 33 3 key",
    "4 34 4 key",
    "5 35 5 key",
    "6 36 6 key",
    "7 37 7 key",
    "8 38 8 key",
    "9 39 9 key",
    "A 41 A key",
    "B 42 B key",
    "C 43 C key",
    "D 44 D key",
    "E 45 E key",
    "F 46 F key",
    "G 47 G key",
    "H 48 H key",
    "I 49 I key",
    "J 4A J key",
    "K 4B K key",
    "L 4C L key",
    "M 4D M key",
    "N 4E N key",
    "O 4F O key",
    "P 50 P key",
    "Q 51 Q key",
    "R 52 R key",
    "S 53 S key",
    "T 54 T key",
    "U 55 U key",
    "V 56 V key",
    "W 57 W key",
    "X 58 X key",
    "Y 59 Y key",
    "Z 5A Z key",
    "VK_NUMPAD0 60 Numeric keypad 0 key",
    "VK_NUMPAD1 61 Numeric keypad 1 key",
    "VK_NUMPAD2 62 Numeric keypad 2 key",
    "VK_NUMPAD3 63 Numeric keypad 3 key",
    "VK_NUMPAD4 64 Numeric keypad 4 key",
    "VK_NUMPAD5 65 Numeric keypad 5 key",
    "VK_NUMPAD6 66 Numeric keypad 6 key",
    "VK_NUMPAD7 67 Numeric keypad 7 key",
    "VK_NUMPAD8 68 Numeric keypad 8 key",
    "VK_NUMPAD9 69 Numeric keypad 9 key",
    "VK_MULTIPLY 6A Multiply key",
    "VK_ADD 6B Add key",
    "VK_SEPARATOR 6C Separator key",
    "VK_SUBTRACT 6D Subtract key",
    "VK_DECIMAL 6E Decimal key",
    "VK_DIVIDE 6F Divide key",
    "VK_F1 70 F1 key",
    "VK_F2 71 F2 key",
    "VK_F3 72 F3 key",
    "VK_F4 73 F4 key",
    "VK_F5 74 F5 key",
    "VK_F6 75 F6 key",
    "VK_F7 76 F7 key",
    "VK_F8 77 F8 key",
    "VK_F9 78 F9 key",
    "VK_F10 79 F10 key",
    "VK_F11 7A F11 key",
    "VK_F12 7B F12 key",
    "VK_F13 7C F13 key",
    "VK_F14 7D F14 key",
    "VK_F15 7E F15 key",
    "VK_F16 7F F16 key",
    "VK_F17 80H F17 key",
    "VK_F18 81H F18 key",
    "VK_F19 82H F19 key",
    "VK_F20 83H F20 key",
    "VK_F21 84H F21 key",
    "VK_F22 85H F22 key",
    "VK_F23 86H F23 key",
    "VK_F24 87H F24 key",
    "VK_NUMLOCK 90 NUM LOCK key",
    "VK_SCROLL 91 SCROLL LOCK key",
    "VK_LSHIFT A0 Left SHIFT key",
    "VK_RSHIFT A1 Right SHIFT key",
    "VK_LCONTROL A2 Left CONTROL key",
    "VK_RCONTROL A3 Right CONTROL key",
    "VK_LMENU A4 Left MENU key",
    "VK_RMENU A5 Right MENU key",
    "VK_OEM_1(;) BA Windows 2000: For the US standard keyboard, the ';:' key",
    "VK_OEM_PLUS(+) BB Windows 2000: For any country/region, the '+' key ",
    "VK_OEM_COMMA(,) BC Windows 2000: For any country/region, the ',' key ",
    "VK_OEM_MINUS(-) BD Windows 2000: For any country/region, the '-' key ",
    "VK_OEM_PERIOD(.) BE Windows 2000: For any country/region, the '.' key ",
    "VK_OEM_2(/) BF Windows 2000: For the US standard keyboard, the '/?' key",
    "VK_OEM_3(`) C0 Windows 2000: For the US standard keyboard, the '`~' key",
    "VK_OEM_4([) DB Windows 2000: For the US standard keyboard, the '[{' key",
    "VK_OEM_5(\\) DC Windows 2000: For the US standard keyboard, the '\\|' key",
    "VK_OEM_6(]) DD Windows 2000: For the US standard keyboard, the ']}' key",
    ("VK_OEM_7(') DE Windows 2000: For the US standard keyboard, the 'single-quote/double-quote' "
     "key"),
    "-",
};

// Copies text[from, to) into a field of `size` bytes, cut to size - 1 and NUL-terminated.
void CopyField(char* field, std::size_t size, const char* text, std::size_t from, std::size_t to) {
    const std::size_t length = to > from ? std::min(to - from, size - 1) : 0;
    std::memcpy(field, text + from, length);
    field[length] = '\0';
}

}  // namespace

CKeyNameTable::CKeyNameTable() {
    for (const char* source : kSourceRows) {
        if (source[0] == '-' || count_ >= kMaxRows) {
            break;
        }
        const std::size_t length = ::strnlen(source, sizeof(kSourceRows[0]));
        const char* blank = static_cast<const char*>(std::memchr(source, ' ', length));
        const std::size_t nameEnd =
            blank != nullptr ? static_cast<std::size_t>(blank - source) : length;
        KeyNameRow& row = rows_[count_];
        CopyField(row.name, sizeof(row.name), source, 0, nameEnd);
        const std::size_t codeAt = nameEnd + 1;
        row.code = codeAt + 2 <= length ? ParseHexByte(source + codeAt) : 0;
        CopyField(row.description, sizeof(row.description), source, codeAt + 3, length);
        ++count_;
    }
}

std::uint8_t CKeyNameTable::ParseHexByte(const char* digits) {
    const auto value = [](char digit) -> int {
        if (digit >= '0' && digit <= '9') {
            return digit - '0';
        }
        if (digit >= 'A' && digit <= 'F') {
            return digit - 'A' + 10;
        }
        if (digit >= 'a' && digit <= 'f') {
            return digit - 'a' + 10;
        }
        return 0;
    };
    return static_cast<std::uint8_t>(value(digits[0]) * 16 + value(digits[1]));
}

const KeyNameRow& CKeyNameTable::FindKey(unsigned key, int& index) const {
    index = IndexOfKey(static_cast<std::uint8_t>(key & 0xFF));
    return rows_[index];
}

int CKeyNameTable::IndexOfKey(std::uint8_t code) const {
    for (int i = 0; i < count_; ++i) {
        if (rows_[i].code == code) {
            return i;
        }
    }
    return 0;
}

std::uint8_t CKeyNameTable::KeyAt(int index) const {
    return index >= 0 && index < count_ ? rows_[index].code : 0;
}

const CKeyNameTable& KeyNames() {
    static const CKeyNameTable table;
    return table;
}
