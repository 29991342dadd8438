#include "platform/resources/DialogTemplate.h"

#include "platform/resources/ByteReader.h"
#include "platform/resources/ByteWriter.h"

namespace platform {

namespace {

constexpr std::uint32_t kDialogMagic = 0x474C4444;  // "DDLG"

void WriteRect(ByteWriter& out, int x, int y, int cx, int cy) {
    out.I32(x);
    out.I32(y);
    out.I32(cx);
    out.I32(cy);
}

}  // namespace

std::vector<std::uint8_t> EncodeDialogTemplate(const DialogTemplate& dialog) {
    ByteWriter out;
    out.U32(kDialogMagic);
    out.U8(dialog.extended ? 1 : 0);
    out.U32(dialog.style);
    out.U32(dialog.exStyle);
    out.U32(dialog.helpId);
    WriteRect(out, dialog.x, dialog.y, dialog.cx, dialog.cy);
    out.Text(dialog.menu);
    out.Text(dialog.className);
    out.Text(dialog.caption);
    out.U8(dialog.hasFont ? 1 : 0);
    out.I32(dialog.pointSize);
    out.I32(dialog.weight);
    out.U8(dialog.italic ? 1 : 0);
    out.U8(dialog.charset);
    out.Text(dialog.faceName);
    out.U32(static_cast<std::uint32_t>(dialog.controls.size()));
    for (const DialogControl& control : dialog.controls) {
        out.U32(control.id);
        out.Text(control.className);
        out.U32(control.style);
        out.U32(control.exStyle);
        out.U32(control.helpId);
        WriteRect(out, control.x, control.y, control.cx, control.cy);
        out.U8(control.textResourceId ? 1 : 0);
        out.U16(control.textResourceId.value_or(0));
        out.Text(control.text);
        out.Text(control.extraData);
    }
    return out.Take();
}

std::optional<DialogTemplate> DecodeDialogTemplate(std::span<const std::uint8_t> bytes) {
    ByteReader in(bytes);
    if (in.U32() != kDialogMagic) {
        return std::nullopt;
    }
    DialogTemplate dialog;
    dialog.extended = in.U8() != 0;
    dialog.style = in.U32();
    dialog.exStyle = in.U32();
    dialog.helpId = in.U32();
    dialog.x = in.I32();
    dialog.y = in.I32();
    dialog.cx = in.I32();
    dialog.cy = in.I32();
    dialog.menu = in.Text();
    dialog.className = in.Text();
    dialog.caption = in.Text();
    dialog.hasFont = in.U8() != 0;
    dialog.pointSize = in.I32();
    dialog.weight = in.I32();
    dialog.italic = in.U8() != 0;
    dialog.charset = in.U8();
    dialog.faceName = in.Text();
    std::uint32_t count = in.U32();
    // Each control takes at least 40 bytes, so a count beyond what is left is a broken template.
    if (!in.ok() || count > in.remaining() / 40) {
        return std::nullopt;
    }
    dialog.controls.resize(count);
    for (DialogControl& control : dialog.controls) {
        control.id = in.U32();
        control.className = in.Text();
        control.style = in.U32();
        control.exStyle = in.U32();
        control.helpId = in.U32();
        control.x = in.I32();
        control.y = in.I32();
        control.cx = in.I32();
        control.cy = in.I32();
        bool hasResourceId = in.U8() != 0;
        WORD resourceId = in.U16();
        if (hasResourceId) {
            control.textResourceId = resourceId;
        }
        control.text = in.Text();
        control.extraData = in.Text();
    }
    if (!in.ok() || !in.AtEnd()) {
        return std::nullopt;
    }
    return dialog;
}

}  // namespace platform
