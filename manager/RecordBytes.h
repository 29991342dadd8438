// Reading and writing the manager's fixed-size binary records: little-endian 32-bit integers and
// fixed text fields. A read never passes the end of its bytes, and a text field read from a file
// always ends in a NUL, whatever the file held.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class RecordBytes {
public:
    // The numbers are the record loaders' results.
    enum class FileRead {
        kWhole = 0,
        kMissing = 1,
        // The file is there but could not be read to its end: it cannot be opened, a read
        // failed, or it is larger than kMaxWholeFileSize. The bytes hold what was read; saving
        // over the file would lose the rest, so the pages refuse to.
        kPartial = 2,
    };
    // Reads a record file's bytes.
    static FileRead ReadFile(const char* path, std::vector<std::uint8_t>& bytes);
    // What a page tells the user when it refuses to save over a file it could not read whole.
    static constexpr char kPartialFileMessage[] =
        "数据文件未能完整读出,为免丢失其中的记录,本次修改没有保存.";

    explicit RecordBytes(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    // Whether `size` more bytes are left.
    bool Has(std::size_t size) const { return bytes_.size() - offset_ >= size; }
    std::size_t Offset() const { return offset_; }

    // The next 32-bit little-endian integer; the caller has checked Has(4).
    std::uint32_t Word() {
        const std::uint8_t* at = bytes_.data() + offset_;
        offset_ += 4;
        return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
               static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
    }
    std::int32_t Int() { return static_cast<std::int32_t>(Word()); }
    // The next N bytes into a text field, ending in a NUL and never in half a two-byte
    // character; the caller has checked Has(N).
    template <std::size_t N>
    void Text(char (&field)[N]) {
        const char* at = reinterpret_cast<const char*>(bytes_.data() + offset_);
        StoreText(field, N, std::string_view(at, N));
        offset_ += N;
    }
    void Skip(std::size_t size) { offset_ += size; }

    static void AppendWord(std::string& out, std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) {
            out.push_back(static_cast<char>((value >> shift) & 0xFF));
        }
    }
    static void AppendInt(std::string& out, std::int32_t value) {
        AppendWord(out, static_cast<std::uint32_t>(value));
    }
    template <std::size_t N>
    static void AppendText(std::string& out, const char (&field)[N]) {
        out.append(field, N);
    }
    static void AppendZeros(std::string& out, std::size_t size) { out.append(size, '\0'); }

    // Copies `text` into a text field: cut to N - 1 bytes without splitting a two-byte
    // character, the rest of the field zero.
    template <std::size_t N>
    static void Store(char (&field)[N], std::string_view text) {
        StoreText(field, N, text);
    }
    static void StoreText(char* field, std::size_t size, std::string_view text);
    // A NUL-terminated text field of a record, never read past the field.
    template <std::size_t N>
    static std::string_view Field(const char (&field)[N]) {
        return std::string_view(field, ::strnlen(field, N));
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t offset_ = 0;
};
