// Loads arbitrary bytes as a plain and as an enciphered file and reads every line: the content
// must hold every byte, deciphered from the file start, and no line may carry a break or white
// space at its ends.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "picture/KeyedTextFile.h"
#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"

namespace {

bool IsTrimmable(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void LoadAndReadAll(const char* key, std::string_view expected) {
    CKeyedTextFile file;
    Check(file.Load("C:\\input.dat", key) == 0);
    Check(file.GetContent().view() == expected);
    Check(file.GetLength() == static_cast<int>(expected.size()));
    size_t lineBytes = 0;
    CString line;
    while (file.ReadLine(line) == 0) {
        const std::string_view text = line.view();
        Check(text.find_first_of("\r\n") == std::string_view::npos);
        Check(text.empty() || (!IsTrimmable(text.front()) && !IsTrimmable(text.back())));
        lineBytes += text.size();
    }
    Check(lineBytes <= expected.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static platform::testing::TempFolder folder;
    static const bool mapped = (platform::MapDrive('C', folder.path()), true);
    (void)mapped;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    folder.WriteFile("input.dat", bytes);

    LoadAndReadAll("", bytes);
    std::string deciphered = bytes;
    const std::string_view key = kScriptFileKey;
    for (size_t k = 0; k < deciphered.size(); ++k) {
        deciphered[k] ^= key[k % key.size()];
    }
    LoadAndReadAll(kScriptFileKey, deciphered);
    return 0;
}
