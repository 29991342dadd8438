// One contact of the address book and its file, data3\comlst.dat: a 32-bit count, then 484-byte
// records in list order (the newest contact first). Integers are little-endian, texts
// NUL-terminated GBK with zeros after them; nothing but the address book reads the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

struct AddressBookRecord {
    // 1 家人, 2 好友, 3 同事, 4 其他.
    std::int32_t group = 0;
    char name[31] = {};
    char mobile[21] = {};
    char office[21] = {};
    char home[21] = {};
    // 0..11 and 0..30: month 1 and day 1 are 0.
    std::int32_t birthMonth = 0;
    std::int32_t birthDay = 0;
    // 0 国历 (Gregorian), 1 农历 (lunar).
    std::int32_t calendar = 0;
    // 1: remind a day before.
    std::int32_t remind = 0;
    char email[31] = {};
    char qq[21] = {};
    char note[301] = {};
};

inline constexpr std::size_t kAddressBookRecordSize = 484;
inline constexpr char kAddressBookFile[] = "data3\\comlst.dat";

using AddressBookList = std::vector<std::unique_ptr<AddressBookRecord>>;

// The group's name for index 0 (所有) to 4; "" for any other index.
const char* AddressBookGroupName(int group);

// Appends the contacts of the file's bytes to `list`: a count beyond the bytes stops at the last
// whole record, and every text ends in a NUL.
void ParseAddressBook(std::span<const std::uint8_t> bytes, AddressBookList& list);
std::string SerializeAddressBook(const AddressBookList& list);

// Replaces `list` with the file's contacts: 0 read, 1 no file (the list is then empty), 2 the
// file could not be read whole (the list holds the contacts that could be read, and the book must
// not be saved over it).
int LoadAddressBook(AddressBookList& list, const char* path = kAddressBookFile);
// Writes the file whole through a temporary file: 0 written, 1 not.
int SaveAddressBook(const AddressBookList& list, const char* path = kAddressBookFile);
