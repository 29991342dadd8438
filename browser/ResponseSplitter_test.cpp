#include "browser/ResponseSplitter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

// The body that the splitter finds when `response` arrives cut at `cuts` (ascending offsets).
std::string BodyOf(const std::string& response, std::initializer_list<size_t> cuts) {
    CResponseSplitter splitter;
    size_t at = 0;
    std::string body;
    bool inBody = false;
    auto feed = [&](size_t end) {
        const std::string piece = response.substr(at, end - at);
        at = end;
        if (inBody) {
            body += piece;
            return;
        }
        const int start = splitter.Feed(piece.data(), static_cast<int>(piece.size()));
        if (start >= 0) {
            EXPECT_LE(start, static_cast<int>(piece.size()));
            body = piece.substr(static_cast<size_t>(start));
            inBody = true;
        }
    };
    for (size_t cut : cuts) {
        feed(cut);
    }
    feed(response.size());
    return inBody ? body : "(no body)";
}

TEST(ResponseSplitterTest, TheBodyStartsAfterTheFirstBlankLineWhereverThePiecesAreCut) {
    const std::string head = "HTTP/1.1 404 Not Found\r\nX-Null: a\0b\r\nServer: t\r\n\r\n"s;
    const std::string body = "error \0page\r\n\r\nsecond blank line stays in the body"s;
    const std::string response = head + body;
    EXPECT_EQ(BodyOf(response, {}), body);
    for (size_t cut = 1; cut < response.size(); ++cut) {
        EXPECT_EQ(BodyOf(response, {cut}), body) << cut;
    }
    // The blank line spread over four pieces, one byte each.
    const size_t blank = head.size() - 4;
    EXPECT_EQ(BodyOf(response, {blank + 1, blank + 2, blank + 3}), body);
    // A response that ends with its headers has an empty body.
    EXPECT_EQ(BodyOf(head, {}), "");
    EXPECT_EQ(BodyOf("HTTP/1.1 200 OK\r\n\n\r\nno blank line", {5}), "(no body)");
}

TEST(ResponseSplitterTest, HeadersWithoutABlankLineAreGivenUpAtTheLimit) {
    CResponseSplitter splitter;
    const std::string piece(10240, 'h');
    size_t fed = 0;
    int result = CResponseSplitter::kMoreHeaders;
    while (result == CResponseSplitter::kMoreHeaders) {
        result = splitter.Feed(piece.data(), static_cast<int>(piece.size()));
        fed += piece.size();
        ASSERT_LE(fed, CResponseSplitter::kMaxHeaderBytes + piece.size());
    }
    EXPECT_EQ(result, CResponseSplitter::kHeadersTooLong);
    EXPECT_GT(fed, CResponseSplitter::kMaxHeaderBytes);

    CResponseSplitter exact;
    const std::string full(CResponseSplitter::kMaxHeaderBytes - 4, 'h');
    EXPECT_EQ(exact.Feed(full.data(), static_cast<int>(full.size())),
              CResponseSplitter::kMoreHeaders);
    EXPECT_EQ(exact.Feed("\r\n\r\nbody", 8), 4);
}

}  // namespace
