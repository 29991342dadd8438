#include "common/DirectoryChain.h"

#include <algorithm>
#include <string>

#include "platform/files/FileApi.h"
#include "platform/text/Gbk.h"

namespace {

// Unifies the separators. '/' is never the second byte of a two-byte character, but 0x5C may be,
// so the backslash scan steps over two-byte characters whole.
std::string NormalizeSeparators(const char* path) {
    std::string slashed(path);
    std::replace(slashed.begin(), slashed.end(), '/', '\\');
    // One pass that takes each "\\" pair once, so three backslashes become two.
    std::string collapsed;
    collapsed.reserve(slashed.size());
    for (size_t at = 0; at < slashed.size();) {
        const size_t length = platform::CharLengthAt(slashed, at);
        collapsed.append(slashed, at, length);
        const bool pair = length == 1 && slashed[at] == '\\' && at + 1 < slashed.size() &&
                          slashed[at + 1] == '\\';
        at += pair ? 2 : length;
    }
    return collapsed;
}

}  // namespace

int CreateDirectoryChain(const char* path) {
    const std::string text = NormalizeSeparators(path);
    const size_t colon = platform::FindChar(text, ':');
    if (colon == std::string::npos || colon == 0) {
        return 1;
    }
    for (size_t at = colon + 1; at < text.size();) {
        const size_t length = platform::CharLengthAt(text, at);
        if (length == 1 && text[at] == '\\') {
            CreateDirectoryA(text.substr(0, at + 1).c_str(), nullptr);
        }
        at += length;
    }
    return 0;
}
