// Arbitrary bytes as an enciphered month file, and as buffers and keys for the block cipher.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "manager/DesCipher.h"
#include "platform/testing/TempFolder.h"
#include "platform/text/Encoding.h"

namespace {

// The check text the seed files were enciphered for: "fuzz" + "pass" + the trailer salt.
const std::string kCheckText = std::string("fuzzpass") + CDesCipher::kTrailerSalt;

struct Files {
    platform::testing::TempFolder folder;
    std::string Windows(const char* name) const {
        return "Z:" + platform::Utf8ToGbk(folder.path().string()) + "\\" + name;
    }
    std::string Linux(const char* name) const { return (folder.path() / name).string(); }
};

std::string ReadAll(const std::string& path) {
    std::string bytes;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        char chunk[4096];
        std::size_t got;
        while ((got = std::fread(chunk, 1, sizeof chunk, file)) != 0) {
            bytes.append(chunk, got);
        }
        std::fclose(file);
    }
    return bytes;
}

void WriteAll(const std::string& path, const std::uint8_t* data, std::size_t size) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        __builtin_trap();
    }
    if (size != 0 && std::fwrite(data, 1, size, file) != size) {
        __builtin_trap();
    }
    std::fclose(file);
}

// A file that deciphers must be whole blocks with a trailer, and enciphering its plain data again
// must give the same bytes back.
void FuzzFiles(const std::uint8_t* data, std::size_t size) {
    static const Files files;
    std::remove(files.Linux("plain").c_str());
    WriteAll(files.Linux("month.dat"), data, size);
    const std::string plain = files.Windows("plain");
    if (CDesCipher::DecipherFile(plain.c_str(), kCheckText.c_str(),
                                 files.Windows("month.dat").c_str()) != 0) {
        if (!ReadAll(files.Linux("plain")).empty()) {
            __builtin_trap();
        }
        return;
    }
    if (size < 32 || size % 8 != 0 || ReadAll(files.Linux("plain")).size() != size - 32) {
        __builtin_trap();
    }
    if (CDesCipher::EncipherFile(plain.c_str(), kCheckText.c_str(),
                                 files.Windows("again.dat").c_str()) != 0 ||
        ReadAll(files.Linux("again.dat")) !=
            std::string(reinterpret_cast<const char*>(data), size)) {
        __builtin_trap();
    }
}

// The first byte is the key length, the next 24 bytes the key, the rest the buffer: Run must
// accept exactly the valid arguments and decipher and encipher must undo each other.
void FuzzRun(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return;
    }
    const unsigned char keyLength = data[0];
    char key[256] = {};
    const std::size_t keyBytes = size - 1 < 24 ? size - 1 : 24;
    std::memcpy(key, data + 1, keyBytes);
    const std::vector<char> input(data + 1 + keyBytes, data + size);
    const auto length = static_cast<unsigned>(input.size());
    const bool valid = length != 0 && length % 8 == 0 && keyLength >= 8;

    for (bool cbc : {false, true}) {
        std::vector<char> buffer = input;
        buffer.push_back('\x5A');
        if (CDesCipher::Run(true, cbc, buffer.data(), buffer.data(), length, key, keyLength) !=
                valid ||
            buffer.back() != '\x5A') {
            __builtin_trap();
        }
        if (!valid) {
            if (!std::equal(input.begin(), input.end(), buffer.begin())) {
                __builtin_trap();
            }
            continue;
        }
        if (!CDesCipher::Run(false, cbc, buffer.data(), buffer.data(), length, key, keyLength) ||
            !std::equal(input.begin(), input.end(), buffer.begin())) {
            __builtin_trap();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzFiles(data, size);
    FuzzRun(data, size);
    return 0;
}
