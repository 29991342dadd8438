// The stream behind OpenStdioFile: a stdio FILE over our own read, write, seek and close, so that
// text mode can translate line ends as the original runtime does and closing the stream gives
// its place in the share table back.
//
// Text mode reads CR LF as LF and stops at a Ctrl-Z byte, and writes LF as CR LF. Its streams are
// unbuffered on the stdio side so that ftell and fseek speak of positions in the file, as the
// original runtime's do, rather than of translated characters.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace platform {

class StdioStream {
public:
    // The mode is parsed as OpenStdioFile describes; null with errno set on failure.
    static FILE* Open(const char* windowsPath, const char* mode);

private:
    StdioStream(int fd, bool text, std::uint64_t shareEntry);
    ~StdioStream();

    static ssize_t ReadCallback(void* cookie, char* buffer, size_t size);
    static ssize_t WriteCallback(void* cookie, const char* buffer, size_t size);
    static int SeekCallback(void* cookie, off64_t* offset, int whence);
    static int CloseCallback(void* cookie);

    ssize_t ReadText(char* buffer, size_t size);
    ssize_t WriteText(const char* buffer, size_t size);
    int Seek(off64_t* offset, int whence);
    // Keeps the bytes not yet delivered and reads more after them; false at the end or on error.
    bool Refill();
    // Drops the read-ahead and moves the descriptor to the position the caller has reached.
    bool DropReadAhead();

    int fd_;
    bool text_;
    std::uint64_t shareEntry_;
    // Text reading: raw bytes read ahead, the first of them at file offset rawStart_, and the
    // next one to translate.
    std::vector<char> raw_;
    std::size_t rawNext_ = 0;
    off64_t rawStart_ = 0;
    bool sawEndOfText_ = false;
    bool readError_ = false;
};

}  // namespace platform
