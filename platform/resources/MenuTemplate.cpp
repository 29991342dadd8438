#include "platform/resources/MenuTemplate.h"

#include "platform/resources/ByteReader.h"
#include "platform/resources/ByteWriter.h"

namespace platform {

namespace {

constexpr std::uint32_t kMenuMagic = 0x554E454D;  // "MENU"
// flags, id, text length and child count
constexpr size_t kMinItemBytes = 12;

void WriteItems(ByteWriter& out, const std::vector<MenuItem>& items) {
    out.U32(static_cast<std::uint32_t>(items.size()));
    for (const MenuItem& item : items) {
        out.U32(item.flags);
        out.U32(item.id);
        out.Text(item.text);
        WriteItems(out, item.children);
    }
}

bool ReadItems(ByteReader& in, std::vector<MenuItem>& items, int depth) {
    std::uint32_t count = in.U32();
    if (!in.ok() || (count > 0 && depth > kMaxMenuDepth) ||
        count > in.remaining() / kMinItemBytes) {
        return false;
    }
    items.resize(count);
    for (MenuItem& item : items) {
        item.flags = in.U32();
        item.id = in.U32();
        item.text = in.Text();
        if (!ReadItems(in, item.children, depth + 1)) {
            return false;
        }
    }
    return in.ok();
}

}  // namespace

std::vector<std::uint8_t> EncodeMenuTemplate(const MenuTemplate& menu) {
    ByteWriter out;
    out.U32(kMenuMagic);
    out.U8(menu.extended ? 1 : 0);
    WriteItems(out, menu.items);
    return out.Take();
}

std::optional<MenuTemplate> DecodeMenuTemplate(std::span<const std::uint8_t> bytes) {
    ByteReader in(bytes);
    if (in.U32() != kMenuMagic) {
        return std::nullopt;
    }
    MenuTemplate menu;
    menu.extended = in.U8() != 0;
    if (!ReadItems(in, menu.items, 1) || !in.AtEnd()) {
        return std::nullopt;
    }
    return menu;
}

}  // namespace platform
