// A whole text file held in memory and handed out line by line, or written line by line. The
// skin file, the settings pages, the update file list and the manager's configuration files are
// all read through it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/base/WinTypes.h"

class CTextLineFile {
public:
    // The tray companion matches key prefixes case-sensitively; the other programs ignore case.
    enum class PrefixCase { kIgnore, kMatch };

    explicit CTextLineFile(PrefixCase prefixCase = PrefixCase::kIgnore);
    virtual ~CTextLineFile();
    CTextLineFile(const CTextLineFile&) = delete;
    CTextLineFile& operator=(const CTextLineFile&) = delete;

    // 0 read, 1 the file cannot be opened, 2 its size cannot be taken, 3 reading failed.
    int Open(const char* path);
    void Close();

    // Lines end at CR, LF or NUL, or at a run of them. Each copies one line into `line` (at most
    // size - 1 bytes and a NUL; the rest of a longer line is skipped) and returns 0, or returns 1
    // when no line is left.
    int ReadLine(char* line, size_t size);
    // Passes over lines that begin with "//".
    int ReadValueLine(char* line, size_t size);
    // Reads forward to the first line that begins with `prefix`.
    int FindLine(const char* prefix, char* line, size_t size);
    void Rewind();

    // The text as read, all of its bytes, for callers that transform it in place (the lookup
    // data files are deciphered so) before reading lines; null while no file is open.
    char* RawText() { return text_.get(); }
    std::int32_t RawSize() const { return size_; }

    // 0 when the file was created afresh (an existing one is emptied), 1 on failure.
    int Create(const char* path);
    // Writes the text and CR LF; 1 when no file is open for writing.
    int WriteLine(const char* text);

    template <size_t N>
    int ReadLine(char (&line)[N]) {
        return ReadLine(line, N);
    }
    template <size_t N>
    int ReadValueLine(char (&line)[N]) {
        return ReadValueLine(line, N);
    }
    template <size_t N>
    int FindLine(const char* prefix, char (&line)[N]) {
        return FindLine(prefix, line, N);
    }

private:
    HANDLE writeHandle_ = nullptr;
    const char* cursor_ = nullptr;
    std::int32_t size_ = 0;
    std::unique_ptr<char[]> text_;
    PrefixCase prefixCase_;
};
