#include "manager/DiaryMonthFile.h"

#include <cstdio>
#include <cstring>

#include "common/WholeFile.h"
#include "manager/DesCipher.h"
#include "platform/files/FileApi.h"

namespace {

std::int32_t ReadInt32(const std::uint8_t* bytes) {
    const std::uint32_t value =
        static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
        static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    return static_cast<std::int32_t>(value);
}

void AppendInt32(std::string& out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<char>((bits >> shift) & 0xFF));
    }
}

}  // namespace

std::string CDiaryMonthFile::PathOf(const std::string& folder, const std::string& user, int year,
                                    int month) {
    char name[32];
    std::snprintf(name, sizeof(name), "%04d%02d.dat", year, month);
    return folder + "notebook\\" + user + "\\" + name;
}

std::string CDiaryMonthFile::CheckText(const std::string& user, const std::string& password) {
    return user + password + CDesCipher::kTrailerSalt;
}

std::vector<DiaryDaySlot> CDiaryMonthFile::EmptyMonth(int year, int month) {
    std::vector<DiaryDaySlot> slots(kSlots);
    for (int i = 0; i < kSlots; ++i) {
        slots[i].header.year = year;
        slots[i].header.month = month;
        slots[i].header.day = i + 1;
    }
    return slots;
}

bool CDiaryMonthFile::Parse(const std::uint8_t* bytes, std::size_t size,
                            std::vector<DiaryDaySlot>& slots) {
    if (bytes == nullptr || size < 4 || slots.size() != kSlots) {
        return false;
    }
    const std::int32_t count = ReadInt32(bytes);
    if (count < 0 || count > kSlots) {
        return false;
    }
    std::vector<DiaryDaySlot> read = slots;
    std::size_t offset = 4;
    for (std::int32_t i = 0; i < count; ++i) {
        if (size - offset < kHeaderSize + 4) {
            return false;
        }
        std::int32_t fields[7];
        for (int field = 0; field < 7; ++field) {
            fields[field] = ReadInt32(bytes + offset + 4 * field);
        }
        DateRecord& header = read[i].header;
        header.flag = fields[0];
        header.year = fields[1];
        header.month = fields[2];
        header.day = fields[3];
        header.hour = fields[4];
        header.minute = fields[5];
        header.second = fields[6];
        const std::int32_t length = ReadInt32(bytes + offset + kHeaderSize);
        offset += kHeaderSize + 4;
        if (length < 0 || static_cast<std::size_t>(length) > size - offset) {
            return false;
        }
        // A text is a C string to the editor and to older versions: it ends at a zero byte.
        const auto* text = reinterpret_cast<const char*>(bytes + offset);
        read[i].text.assign(text, ::strnlen(text, static_cast<std::size_t>(length)));
        offset += static_cast<std::size_t>(length);
    }
    slots.swap(read);
    return true;
}

std::string CDiaryMonthFile::Serialize(const std::vector<DiaryDaySlot>& slots) {
    std::string out;
    AppendInt32(out, static_cast<std::int32_t>(slots.size()));
    for (const DiaryDaySlot& slot : slots) {
        const DateRecord& header = slot.header;
        for (std::int32_t field : {header.flag, header.year, header.month, header.day, header.hour,
                                   header.minute, header.second}) {
            AppendInt32(out, field);
        }
        AppendInt32(out, static_cast<std::int32_t>(slot.text.size()));
        out += slot.text;
    }
    return out;
}

int CDiaryMonthFile::Load(const std::string& path, const std::string& checkText,
                          std::vector<DiaryDaySlot>& slots) {
    // Older versions deciphered to these files on disk and could leave them behind.
    DeleteFileA((path + "2").c_str());
    DeleteFileA((path + "3").c_str());
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path.c_str(), bytes) ||
        !CDesCipher::DecipherBytes(bytes, checkText.c_str())) {
        return 1;
    }
    return Parse(bytes.data(), bytes.size(), slots) ? 0 : 1;
}

int CDiaryMonthFile::Save(const std::string& path, const std::string& checkText,
                          const std::vector<DiaryDaySlot>& slots) {
    const std::string plain = Serialize(slots);
    std::vector<std::uint8_t> bytes(plain.begin(), plain.end());
    if (!CDesCipher::EncipherBytes(bytes, checkText.c_str())) {
        return 1;
    }
    const std::string_view whole(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return WriteWholeFile(path.c_str(), whole) ? 0 : 1;
}
