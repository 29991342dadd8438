#include "platform/commondialogs/DialogParts.h"

namespace platform::dialog_parts {

DialogTemplate Dialog(std::string caption, int cx, int cy) {
    DialogTemplate dialog;
    dialog.style =
        WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER | DS_3DLOOK;
    dialog.cx = cx;
    dialog.cy = cy;
    dialog.caption = std::move(caption);
    dialog.hasFont = true;
    dialog.pointSize = 9;
    dialog.faceName = "宋体";
    dialog.charset = 134;
    return dialog;
}

void Add(DialogTemplate& dialog, const char* className, std::string text, WORD id, DWORD style,
         int x, int y, int cx, int cy) {
    dialog.controls.push_back(ChildControl(className, std::move(text), id, style, x, y, cx, cy));
}

void RegisterControls() {
    RegisterButtonClass();
    RegisterStaticClass();
    RegisterEditClass();
    RegisterListBoxClass();
    RegisterComboBoxClass();
}

std::string ItemText(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    if (item == nullptr) {
        return {};
    }
    std::string text(static_cast<size_t>(GetWindowTextLengthA(item)) + 1, '\0');
    text.resize(
        static_cast<size_t>(GetWindowTextA(item, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace platform::dialog_parts
