// Feeds arbitrary responses, cut into pieces at places the input chooses, to the header splitter:
// wherever the cuts fall, the body must be exactly what follows the first CR LF CR LF, and a
// response whose blank line comes too late must be given up.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "browser/ResponseSplitter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte picks the length of the pieces, as receives of any size would deliver them.
    const std::size_t pieceLength = data[0] % 64 + 1;
    const std::string response(reinterpret_cast<const char*>(data) + 1, size - 1);

    CResponseSplitter splitter;
    std::string body;
    bool inBody = false;
    bool gaveUp = false;
    for (std::size_t at = 0; at < response.size(); at += pieceLength) {
        const std::string piece = response.substr(at, pieceLength);
        if (inBody) {
            body += piece;
            continue;
        }
        const int start = splitter.Feed(piece.data(), static_cast<int>(piece.size()));
        if (start == CResponseSplitter::kHeadersTooLong) {
            gaveUp = true;
            break;
        }
        if (start >= 0) {
            if (static_cast<std::size_t>(start) > piece.size()) {
                std::abort();
            }
            body = piece.substr(static_cast<std::size_t>(start));
            inBody = true;
        }
    }
    const std::size_t blank = response.find("\r\n\r\n");
    if (blank == std::string::npos) {
        if (inBody) {
            std::abort();
        }
    } else if (gaveUp) {
        if (blank + 4 <= CResponseSplitter::kMaxHeaderBytes) {
            std::abort();
        }
    } else if (!inBody || body != response.substr(blank + 4)) {
        std::abort();
    }
    return 0;
}
