// Finds where an HTTP response's header block ends in the pieces that a receive loop gets, so that
// the body after it can be written as it arrives. Nothing of the headers is interpreted.
#pragma once

#include <cstddef>
#include <string>

class CResponseSplitter {
public:
    // Real servers send a few kilobytes of headers; a response without the blank line is given up
    // once it has sent this many bytes, so that it cannot make the collected text grow for ever.
    static constexpr std::size_t kMaxHeaderBytes = 64 * 1024;
    static constexpr int kMoreHeaders = -1;
    static constexpr int kHeadersTooLong = -2;

    // Takes the next piece, counted by its length (NUL bytes are bytes like any other). Returns the
    // index in this piece at which the body begins (the length when the piece ends with the blank
    // line), once the first CR LF CR LF has arrived; kMoreHeaders before that; kHeadersTooLong
    // when more than kMaxHeaderBytes have come without it. No piece may follow a result >= 0.
    int Feed(const char* piece, int length);

private:
    std::string headers_;
};
