#include "platform/link/WindowRecord.h"

#include <cstring>

#include "platform/text/Gbk.h"

namespace platform::link {
namespace {

constexpr char kMagic[4] = {'L', 'W', 'I', 'N'};
constexpr std::uint16_t kVersion = 1;
constexpr std::size_t kFixedBytes = 4 + 2 + 2 + 4 + 8 + 8 + 8 + 4 * 4 + 8 + 1;
constexpr std::uint8_t kVisible = 1;
constexpr std::uint8_t kIconic = 2;

template <typename T>
void Put(std::string& out, T value) {
    using Unsigned = std::make_unsigned_t<T>;
    auto bits = static_cast<Unsigned>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        out += static_cast<char>(bits & 0xFF);
        bits = static_cast<Unsigned>(bits >> 8);
    }
}

class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    template <typename T>
    T Get() {
        using Unsigned = std::make_unsigned_t<T>;
        Unsigned bits = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i) {
            bits |= static_cast<Unsigned>(
                static_cast<Unsigned>(static_cast<unsigned char>(bytes_[at_ + i])) << (8 * i));
        }
        at_ += sizeof(T);
        return static_cast<T>(bits);
    }

    std::string_view Rest() const { return bytes_.substr(at_); }

private:
    std::string_view bytes_;
    std::size_t at_ = 0;
};

}  // namespace

std::string EncodeWindowRecord(const WindowRecord& record) {
    const std::size_t titleBytes = record.title.size() > kMaxTitleBytes
                                       ? CutAtCharBoundary(record.title, kMaxTitleBytes)
                                       : record.title.size();
    const std::string_view title(record.title.data(), titleBytes);
    std::string out(kMagic, sizeof kMagic);
    Put<std::uint16_t>(out, kVersion);
    Put<std::uint16_t>(out, static_cast<std::uint16_t>(title.size()));
    Put<std::uint32_t>(out, record.processId);
    Put<std::uint64_t>(out, record.processStart);
    Put<std::uint64_t>(out, record.window);
    Put<std::uint64_t>(out, record.owner);
    Put<std::int32_t>(out, record.rect.left);
    Put<std::int32_t>(out, record.rect.top);
    Put<std::int32_t>(out, record.rect.right);
    Put<std::int32_t>(out, record.rect.bottom);
    Put<std::int64_t>(out, record.zOrder);
    Put<std::uint8_t>(out, static_cast<std::uint8_t>((record.visible ? kVisible : 0) |
                                                     (record.iconic ? kIconic : 0)));
    out.append(title);
    return out;
}

std::optional<WindowRecord> DecodeWindowRecord(std::string_view bytes) {
    if (bytes.size() < kFixedBytes || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
        return std::nullopt;
    }
    Reader reader(bytes.substr(sizeof kMagic));
    if (reader.Get<std::uint16_t>() != kVersion) {
        return std::nullopt;
    }
    const std::size_t titleBytes = reader.Get<std::uint16_t>();
    if (titleBytes > kMaxTitleBytes || bytes.size() != kFixedBytes + titleBytes) {
        return std::nullopt;
    }
    WindowRecord record;
    record.processId = reader.Get<std::uint32_t>();
    record.processStart = reader.Get<std::uint64_t>();
    record.window = reader.Get<std::uint64_t>();
    record.owner = reader.Get<std::uint64_t>();
    record.rect.left = reader.Get<std::int32_t>();
    record.rect.top = reader.Get<std::int32_t>();
    record.rect.right = reader.Get<std::int32_t>();
    record.rect.bottom = reader.Get<std::int32_t>();
    record.zOrder = reader.Get<std::int64_t>();
    const auto flags = reader.Get<std::uint8_t>();
    if ((flags & ~(kVisible | kIconic)) != 0) {
        return std::nullopt;
    }
    record.visible = (flags & kVisible) != 0;
    record.iconic = (flags & kIconic) != 0;
    record.title = std::string(reader.Rest());
    return record;
}

}  // namespace platform::link
