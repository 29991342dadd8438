#include "manager/ScheduleList.h"

#include <cstdio>
#include <cstring>

#include "common/WholeFile.h"
#include "platform/files/Path.h"
#include "platform/windows/WindowApi.h"

namespace {

constexpr std::size_t kFixedRecordSize = 8 * sizeof(std::int32_t);

std::uint32_t ReadWord(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

void AppendWord(std::string& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<char>((value >> shift) & 0xFF));
    }
}

// Whether the file exists and is larger than a whole-file read takes.
bool TooLargeToRead(const char* path) {
    FILE* file = platform::OpenStdioFile(path, "rb");
    if (file == nullptr) {
        return false;
    }
    const bool tooLarge = std::fseek(file, 0, SEEK_END) == 0 &&
                          std::ftell(file) > static_cast<long>(kMaxWholeFileSize);
    std::fclose(file);
    return tooLarge;
}

}  // namespace

ScheduleRecordList& ScheduleRecords() {
    static ScheduleRecordList* list = new ScheduleRecordList();
    return *list;
}

void ParseScheduleRecords(std::span<const std::uint8_t> bytes, ScheduleRecordList& list) {
    if (bytes.size() < sizeof(std::int32_t)) {
        return;
    }
    const std::int32_t count = static_cast<std::int32_t>(ReadWord(bytes.data()));
    std::size_t offset = sizeof(std::int32_t);
    for (std::int32_t i = 0; i < count; ++i) {
        if (bytes.size() - offset < kFixedRecordSize) {
            return;
        }
        const std::uint8_t* fields = bytes.data() + offset;
        const std::size_t length = ReadWord(fields + 28);
        if (bytes.size() - offset - kFixedRecordSize < length) {
            return;
        }
        auto record = std::make_unique<ScheduleRecord>();
        std::int32_t* targets[] = {&record->flag, &record->year,   &record->month, &record->day,
                                   &record->hour, &record->minute, &record->second};
        for (std::size_t field = 0; field < std::size(targets); ++field) {
            *targets[field] = static_cast<std::int32_t>(ReadWord(fields + 4 * field));
        }
        record->text = CString(reinterpret_cast<const char*>(fields + kFixedRecordSize),
                               static_cast<int>(length));
        record->MakeTexts();
        list.push_back(std::move(record));
        offset += kFixedRecordSize + length;
    }
}

std::string SerializeScheduleRecords(const ScheduleRecordList& list) {
    std::string bytes;
    AppendWord(bytes, static_cast<std::uint32_t>(list.size()));
    for (const auto& record : list) {
        for (std::int32_t field : {record->flag, record->year, record->month, record->day,
                                   record->hour, record->minute, record->second}) {
            AppendWord(bytes, static_cast<std::uint32_t>(field));
        }
        const int length = record->text.GetLength();
        AppendWord(bytes, static_cast<std::uint32_t>(length));
        bytes.append(static_cast<const char*>(record->text), static_cast<std::size_t>(length));
    }
    return bytes;
}

int LoadScheduleRecords(const char* path) {
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) {
        return 1;
    }
    ParseScheduleRecords(bytes, ScheduleRecords());
    return 0;
}

int SaveScheduleRecords(const char* path) {
    if (TooLargeToRead(path)) {
        return kScheduleFileKept;
    }
    const std::string bytes = SerializeScheduleRecords(ScheduleRecords());
    if (!WriteWholeFile(path, bytes)) {
        return 1;
    }
    if (HWND tray = ::FindWindowA(nullptr, kTrayTitle)) {
        ::PostMessageA(tray, WM_SETTINGS_CHANGED, 0, 0);
    }
    return 0;
}

void FreeScheduleRecords() {
    ScheduleRecords().clear();
}
