// What the diary's tests share: the plain month layout built field by field, the month files
// deciphered by OpenSSL (two-key triple-DES in ECB mode under the program key), independently of
// the program's own cipher, and typing into the account dialogs' fields.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

#include "common/Md5Digest.h"
#include "manager/DesCipher.h"
#include "platform/framework/ScriptedDialogTest.h"
#include "platform/windows/WindowPlatform.h"

namespace manager_testing {

inline std::string Int32s(std::initializer_list<std::int32_t> words) {
    std::string bytes;
    for (std::int32_t word : words) {
        for (int shift = 0; shift < 32; shift += 8) {
            bytes.push_back(static_cast<char>((static_cast<std::uint32_t>(word) >> shift) & 0xFF));
        }
    }
    return bytes;
}

// The plain layout of a month whose days in `texts` hold text: 32 slot records.
inline std::string PlainMonth(int year, int month, const std::map<int, std::string>& texts) {
    std::string bytes = Int32s({32});
    for (int day = 1; day <= 32; ++day) {
        const auto found = texts.find(day);
        const std::string text = found != texts.end() ? found->second : "";
        bytes += Int32s({0, year, month, day, 0, 0, 0, static_cast<std::int32_t>(text.size())});
        bytes += text;
    }
    return bytes;
}

// The plain data, its zero padding and the trailer of the check text, as enciphered.
inline std::string WithTrailer(std::string plain, const std::string& checkText) {
    plain.resize((plain.size() + 7) / 8 * 8, '\0');
    char trailer[33] = {};
    CMd5Digest md5;
    md5.Md5String(checkText.c_str(), trailer);
    return plain + trailer;
}

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The file deciphered by the openssl command, trailer included; "openssl failed" when it failed.
inline std::string OpenSslDecipher(const std::filesystem::path& cipherFile) {
    std::string key;
    for (const char* c = CDesCipher::kProgramKey; *c != '\0'; ++c) {
        char hex[3];
        std::snprintf(hex, sizeof(hex), "%02x", static_cast<unsigned char>(*c));
        key += hex;
    }
    const std::filesystem::path out = cipherFile.string() + ".openssl";
    const std::string command = "openssl enc -d -des-ede-ecb -nopad -K " + key + " -in '" +
                                cipherFile.string() + "' -out '" + out.string() + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0) {
        return "openssl failed";
    }
    std::string plain = ReadBytes(out);
    std::filesystem::remove(out);
    return plain;
}

// Empties the dialog's field, types `count` letters into it and returns what the field holds.
inline std::string TypeInto(HWND dialog, int id, int count) {
    ::SetDlgItemTextA(dialog, id, "");
    ::SetFocus(::GetDlgItem(dialog, id));
    for (int i = 0; i < count; ++i) {
        platform::InjectCharacter(static_cast<BYTE>('a' + i % 26));
    }
    platform::PumpUntilIdle();
    return platform::testing::ItemText(dialog, id);
}

}  // namespace manager_testing
