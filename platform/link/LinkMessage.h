// What travels over a link socket: one fixed-size request (a posted or sent window message with
// integer parameters only, so that it means the same in the receiving process) and one fixed-size
// reply, little-endian.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/WinTypes.h"

namespace platform::link {

struct LinkRequest {
    bool wantsReply = false;
    std::uint64_t window = 0;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

enum class ReplyStatus : std::uint32_t { kDelivered = 0, kNoWindow = 1, kNoHandler = 2 };

struct LinkReply {
    ReplyStatus status = ReplyStatus::kDelivered;
    LRESULT result = 0;
};

inline constexpr std::size_t kRequestBytes = 40;
inline constexpr std::size_t kReplyBytes = 16;

std::string EncodeRequest(const LinkRequest& request);
std::optional<LinkRequest> DecodeRequest(std::string_view bytes);
std::string EncodeReply(const LinkReply& reply);
std::optional<LinkReply> DecodeReply(std::string_view bytes);

}  // namespace platform::link
