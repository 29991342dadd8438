// The address book reader on arbitrary bytes: it must never read past them, and what it reads
// must be written back as the same contacts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "manager/AddressBookRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    AddressBookList list;
    ParseAddressBook(std::span(data, size), list);
    const std::string bytes = SerializeAddressBook(list);
    AddressBookList again;
    ParseAddressBook(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
                     again);
    if (SerializeAddressBook(again) != bytes) {
        std::abort();
    }
    return 0;
}
