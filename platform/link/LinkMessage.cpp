#include "platform/link/LinkMessage.h"

#include <cstring>

namespace platform::link {
namespace {

constexpr char kRequestMagic[4] = {'L', 'M', 'S', 'G'};
constexpr std::uint32_t kPost = 1;
constexpr std::uint32_t kSend = 2;

void Put(std::string& out, std::uint64_t value, std::size_t bytes) {
    for (std::size_t i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

std::uint64_t Get(std::string_view bytes, std::size_t at, std::size_t count) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        value |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    }
    return value;
}

}  // namespace

std::string EncodeRequest(const LinkRequest& request) {
    std::string out(kRequestMagic, sizeof kRequestMagic);
    Put(out, request.wantsReply ? kSend : kPost, 4);
    Put(out, request.window, 8);
    Put(out, request.message, 4);
    Put(out, 0, 4);
    Put(out, request.wParam, 8);
    Put(out, static_cast<std::uint64_t>(request.lParam), 8);
    return out;
}

std::optional<LinkRequest> DecodeRequest(std::string_view bytes) {
    if (bytes.size() != kRequestBytes ||
        std::memcmp(bytes.data(), kRequestMagic, sizeof kRequestMagic) != 0) {
        return std::nullopt;
    }
    const std::uint64_t kind = Get(bytes, 4, 4);
    if ((kind != kPost && kind != kSend) || Get(bytes, 20, 4) != 0) {
        return std::nullopt;
    }
    LinkRequest request;
    request.wantsReply = kind == kSend;
    request.window = Get(bytes, 8, 8);
    request.message = static_cast<UINT>(Get(bytes, 16, 4));
    request.wParam = static_cast<WPARAM>(Get(bytes, 24, 8));
    request.lParam = static_cast<LPARAM>(Get(bytes, 32, 8));
    return request;
}

std::string EncodeReply(const LinkReply& reply) {
    std::string out;
    Put(out, static_cast<std::uint32_t>(reply.status), 4);
    Put(out, 0, 4);
    Put(out, static_cast<std::uint64_t>(reply.result), 8);
    return out;
}

std::optional<LinkReply> DecodeReply(std::string_view bytes) {
    if (bytes.size() != kReplyBytes || Get(bytes, 4, 4) != 0) {
        return std::nullopt;
    }
    const std::uint64_t status = Get(bytes, 0, 4);
    if (status > static_cast<std::uint32_t>(ReplyStatus::kNoHandler)) {
        return std::nullopt;
    }
    return LinkReply{static_cast<ReplyStatus>(status), static_cast<LRESULT>(Get(bytes, 8, 8))};
}

}  // namespace platform::link
