#include "manager/AddressBookRecord.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "manager/RecordBytes.h"

namespace {

std::string Word(std::uint32_t value) {
    std::string bytes;
    RecordBytes::AppendWord(bytes, value);
    return bytes;
}

// `text` in a field of `size` bytes, zeros after it.
std::string Field(const std::string& text, std::size_t size) {
    std::string field = text;
    field.resize(size, '\0');
    return field;
}

AddressBookList Parse(const std::string& bytes) {
    AddressBookList list;
    ParseAddressBook(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
                     list);
    return list;
}

TEST(AddressBookRecordTest, ContactFileHoldsEveryFieldAtItsPlaceByteForByte) {
    const std::string record = Word(3) + Field("张三", 31) + Field("13800000000", 21) +
                               Field("010-1", 21) + Field("020-2", 21) + std::string(10, '\0') +
                               Word(11) + Word(30) + Word(1) + Word(0) + Word(1) +
                               Field("zs@mail.cn", 31) + Field("12345", 21) + Field("同学", 301) +
                               std::string(3, '\0');
    ASSERT_EQ(record.size(), kAddressBookRecordSize);
    ASSERT_EQ(record.substr(124, 4), Word(1));
    ASSERT_EQ(record.substr(128, 2), "zs");
    ASSERT_EQ(record.substr(159, 2), "12");
    ASSERT_EQ(record.substr(180, 4), "同学");
    const std::string file = Word(1) + record;
    AddressBookList list = Parse(file);
    ASSERT_EQ(list.size(), 1u);
    const AddressBookRecord& contact = *list[0];
    EXPECT_EQ(contact.group, 3);
    EXPECT_STREQ(contact.name, "张三");
    EXPECT_STREQ(contact.mobile, "13800000000");
    EXPECT_STREQ(contact.office, "010-1");
    EXPECT_STREQ(contact.home, "020-2");
    EXPECT_EQ(contact.birthMonth, 11);
    EXPECT_EQ(contact.birthDay, 30);
    EXPECT_EQ(contact.calendar, 1);
    EXPECT_EQ(contact.remind, 1);
    EXPECT_STREQ(contact.email, "zs@mail.cn");
    EXPECT_STREQ(contact.qq, "12345");
    EXPECT_STREQ(contact.note, "同学");
    EXPECT_EQ(SerializeAddressBook(list), file);

    // A count beyond the file stops at the last whole contact. Texts that fill their fields end
    // in a NUL, never in half a two-byte character, and the reserved bytes are written as zeros.
    std::string damaged = record;
    std::memset(damaged.data() + 4, 'n', 31);
    std::string note = "a";
    while (note.size() < 301) {
        note += "学";
    }
    damaged.replace(180, 301, note);
    std::memset(damaged.data() + 98, 0x7F, 10);
    std::memset(damaged.data() + 481, 0x7F, 3);
    list = Parse(Word(5) + damaged + record.substr(0, 483));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(std::string(list[0]->name), std::string(30, 'n'));
    EXPECT_EQ(std::string(list[0]->note), note.substr(0, 299));
    std::string expected = damaged;
    expected.replace(4, 31, Field(std::string(30, 'n'), 31));
    expected.replace(180, 301, Field(note.substr(0, 299), 301));
    expected.replace(98, 10, std::string(10, '\0'));
    expected.replace(481, 3, std::string(3, '\0'));
    EXPECT_EQ(SerializeAddressBook(list), Word(1) + expected);
}

}  // namespace
