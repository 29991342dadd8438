#include "browser/ResponseSplitter.h"

namespace {

constexpr char kBlankLine[] = "\r\n\r\n";
constexpr std::size_t kBlankLineLength = 4;

}  // namespace

int CResponseSplitter::Feed(const char* piece, int length) {
    if (length <= 0) {
        return kMoreHeaders;
    }
    const std::size_t before = headers_.size();
    headers_.append(piece, static_cast<std::size_t>(length));
    // The blank line may have begun in the previous piece.
    const std::size_t from = before >= kBlankLineLength - 1 ? before - (kBlankLineLength - 1) : 0;
    const std::size_t found = headers_.find(kBlankLine, from, kBlankLineLength);
    if (found != std::string::npos) {
        return static_cast<int>(found + kBlankLineLength - before);
    }
    if (headers_.size() > kMaxHeaderBytes) {
        headers_.clear();
        headers_.shrink_to_fit();
        return kHeadersTooLong;
    }
    return kMoreHeaders;
}
