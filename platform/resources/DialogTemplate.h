// A dialog template as the framework builds a dialog from it: the window's styles, its place and
// size in dialog units, caption, font, menu and class, and the controls in tab order. Texts are
// GBK. The compiled form is this program's own layout (not the original platform's UTF-16 one),
// since only the framework reads it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

namespace platform {

struct DialogControl {
    DWORD id = 0;
    // "Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox", or a class name as written
    // (a registered class, a common control such as "SysListView32", or an ActiveX "{CLSID}").
    std::string className;
    DWORD style = 0;
    DWORD exStyle = 0;
    DWORD helpId = 0;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    std::string text;
    // Set when the text names a resource by number instead (an ICON control's icon, a picture
    // static's bitmap); `text` is then empty.
    std::optional<WORD> textResourceId;
    // The control's creation data block, if the template gave one.
    std::string extraData;
};

struct DialogTemplate {
    bool extended = false;  // DIALOGEX
    DWORD style = 0;
    DWORD exStyle = 0;
    DWORD helpId = 0;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    std::string menu;       // resource name ("#128" or a name), empty for none
    std::string className;  // empty for the default dialog class
    std::string caption;
    bool hasFont = false;  // DS_SETFONT
    int pointSize = 0;
    int weight = 0;
    bool italic = false;
    BYTE charset = 0;
    std::string faceName;
    std::vector<DialogControl> controls;
};

std::vector<std::uint8_t> EncodeDialogTemplate(const DialogTemplate& dialog);
// Empty when the bytes are not a whole template.
std::optional<DialogTemplate> DecodeDialogTemplate(std::span<const std::uint8_t> bytes);

}  // namespace platform
