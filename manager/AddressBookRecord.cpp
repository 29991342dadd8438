#include "manager/AddressBookRecord.h"

#include "common/WholeFile.h"
#include "manager/RecordBytes.h"

namespace {

constexpr std::size_t kReservedAfterPhones = 10;
constexpr std::size_t kReservedAtEnd = 3;

}  // namespace

const char* AddressBookGroupName(int group) {
    static const char* const names[] = {"所有", "家人", "好友", "同事", "其他"};
    return group >= 0 && group < static_cast<int>(std::size(names)) ? names[group] : "";
}

void ParseAddressBook(std::span<const std::uint8_t> bytes, AddressBookList& list) {
    RecordBytes in(bytes);
    if (!in.Has(4)) {
        return;
    }
    const std::uint32_t count = in.Word();
    for (std::uint32_t i = 0; i < count && in.Has(kAddressBookRecordSize); ++i) {
        auto record = std::make_unique<AddressBookRecord>();
        record->group = in.Int();
        in.Text(record->name);
        in.Text(record->mobile);
        in.Text(record->office);
        in.Text(record->home);
        in.Skip(kReservedAfterPhones);
        record->birthMonth = in.Int();
        record->birthDay = in.Int();
        record->calendar = in.Int();
        in.Skip(4);
        record->remind = in.Int();
        in.Text(record->email);
        in.Text(record->qq);
        in.Text(record->note);
        in.Skip(kReservedAtEnd);
        list.push_back(std::move(record));
    }
}

std::string SerializeAddressBook(const AddressBookList& list) {
    std::string bytes;
    bytes.reserve(4 + list.size() * kAddressBookRecordSize);
    RecordBytes::AppendWord(bytes, static_cast<std::uint32_t>(list.size()));
    for (const auto& record : list) {
        RecordBytes::AppendInt(bytes, record->group);
        RecordBytes::AppendText(bytes, record->name);
        RecordBytes::AppendText(bytes, record->mobile);
        RecordBytes::AppendText(bytes, record->office);
        RecordBytes::AppendText(bytes, record->home);
        RecordBytes::AppendZeros(bytes, kReservedAfterPhones);
        RecordBytes::AppendInt(bytes, record->birthMonth);
        RecordBytes::AppendInt(bytes, record->birthDay);
        RecordBytes::AppendInt(bytes, record->calendar);
        RecordBytes::AppendInt(bytes, 0);
        RecordBytes::AppendInt(bytes, record->remind);
        RecordBytes::AppendText(bytes, record->email);
        RecordBytes::AppendText(bytes, record->qq);
        RecordBytes::AppendText(bytes, record->note);
        RecordBytes::AppendZeros(bytes, kReservedAtEnd);
    }
    return bytes;
}

int LoadAddressBook(AddressBookList& list, const char* path) {
    list.clear();
    std::vector<std::uint8_t> bytes;
    const RecordBytes::FileRead read = RecordBytes::ReadFile(path, bytes);
    ParseAddressBook(bytes, list);
    return static_cast<int>(read);
}

int SaveAddressBook(const AddressBookList& list, const char* path) {
    return WriteWholeFile(path, SerializeAddressBook(list)) ? 0 : 1;
}
