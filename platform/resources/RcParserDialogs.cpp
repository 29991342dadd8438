// DIALOG and DIALOGEX statements and the controls inside them.
#include "platform/resources/RcParser.h"

#include "platform/resources/ResourceKey.h"

namespace platform {

namespace {

constexpr DWORD kChildVisible = 0x40000000 | 0x10000000;  // WS_CHILD | WS_VISIBLE
constexpr DWORD kTabStop = 0x00010000;
constexpr DWORD kGroup = 0x00020000;
constexpr DWORD kBorder = 0x00800000;
constexpr DWORD kDefaultDialogStyle = 0x80000000 | 0x00800000 | 0x00080000;  // POPUP|BORDER|SYSMENU
constexpr DWORD kCaption = 0x00C00000;
constexpr DWORD kSetFont = 0x40;

struct ControlKind {
    const char* keyword;
    const char* className;
    DWORD style;
    enum Form { Text, NoText, Icon } form;
    // The default applies only when the statement gives no style (a combo box's CBS_SIMPLE would
    // otherwise spoil the drop-down kinds written after it).
    bool defaultOnlyWithoutStyle;
};

constexpr ControlKind kControlKinds[] = {
    {"LTEXT", "Static", 0x0 | kGroup, ControlKind::Text, false},
    {"CTEXT", "Static", 0x1 | kGroup, ControlKind::Text, false},
    {"RTEXT", "Static", 0x2 | kGroup, ControlKind::Text, false},
    {"PUSHBUTTON", "Button", 0x0 | kTabStop, ControlKind::Text, false},
    {"DEFPUSHBUTTON", "Button", 0x1 | kTabStop, ControlKind::Text, false},
    {"PUSHBOX", "Button", 0xA | kTabStop, ControlKind::Text, false},
    {"CHECKBOX", "Button", 0x2 | kTabStop, ControlKind::Text, false},
    {"AUTOCHECKBOX", "Button", 0x3 | kTabStop, ControlKind::Text, false},
    {"STATE3", "Button", 0x5 | kTabStop, ControlKind::Text, false},
    {"AUTO3STATE", "Button", 0x6 | kTabStop, ControlKind::Text, false},
    {"RADIOBUTTON", "Button", 0x4 | kTabStop, ControlKind::Text, false},
    {"AUTORADIOBUTTON", "Button", 0x9 | kTabStop, ControlKind::Text, false},
    {"GROUPBOX", "Button", 0x7, ControlKind::Text, false},
    {"EDITTEXT", "Edit", 0x0 | kBorder | kTabStop, ControlKind::NoText, false},
    {"COMBOBOX", "ComboBox", 0x1 | kTabStop, ControlKind::NoText, true},
    {"LISTBOX", "ListBox", 0x1 | kBorder, ControlKind::NoText, false},
    {"SCROLLBAR", "ScrollBar", 0x0, ControlKind::NoText, false},
    {"ICON", "Static", 0x3, ControlKind::Icon, false},
};

constexpr const char* kPredefinedClasses[] = {"Button",  "Edit",      "Static",
                                              "ListBox", "ScrollBar", "ComboBox"};

}  // namespace

void RcParser::Dialog(const RcToken& at, const std::string& name, bool extended) {
    DialogTemplate dialog;
    dialog.extended = extended;
    SkipMemoryOptions();
    dialog.x = Int();
    ExpectComma();
    dialog.y = Int();
    ExpectComma();
    dialog.cx = Int();
    ExpectComma();
    dialog.cy = Int();
    if (extended && AcceptComma()) {
        dialog.helpId = static_cast<DWORD>(Expression());
    }
    dialog.style = kDefaultDialogStyle;
    bool hasCaption = false;
    while (!AtBlockStart()) {
        if (AcceptKeyword("STYLE")) {
            dialog.style = Style(0);
        } else if (AcceptKeyword("EXSTYLE")) {
            dialog.exStyle = Style(0);
        } else if (AcceptKeyword("CAPTION")) {
            dialog.caption = String();
            hasCaption = true;
        } else if (AcceptKeyword("FONT")) {
            dialog.hasFont = true;
            dialog.pointSize = Int();
            ExpectComma();
            dialog.faceName = String();
            if (AcceptComma()) {
                dialog.weight = Int();
                ExpectComma();
                dialog.italic = Expression() != 0;
                if (AcceptComma()) {
                    dialog.charset = static_cast<BYTE>(Expression());
                }
            }
        } else if (AcceptKeyword("MENU")) {
            dialog.menu = NameKey();
        } else if (AcceptKeyword("CLASS")) {
            dialog.className = Peek().kind == RcTokenKind::String ? String() : NameKey();
        } else if (AtKeyword("LANGUAGE") || AtKeyword("CHARACTERISTICS") || AtKeyword("VERSION")) {
            SkipCommonStatements();
        } else {
            Fail("dialog statement or BEGIN expected");
        }
    }
    if (hasCaption) {
        dialog.style |= kCaption;
    }
    if (dialog.hasFont) {
        dialog.style |= kSetFont;
    }
    ExpectBlockStart();
    while (!AtBlockEnd()) {
        Control(dialog);
    }
    ExpectBlockEnd();
    std::vector<std::uint8_t> bytes;
    try {
        bytes = EncodeDialogTemplate(dialog);
    } catch (const std::length_error&) {
        FailAt(at, "a dialog text is longer than 65535 bytes");
    }
    Add(at, ResourceKey(kTypeDialog), name, std::move(bytes));
}

void RcParser::Control(DialogTemplate& dialog) {
    const RcToken& keyword = Peek();
    if (keyword.kind != RcTokenKind::Identifier) {
        Fail("control statement expected");
    }
    DialogControl control;
    auto controlText = [&] {
        const RcToken& token = Peek();
        if (token.kind == RcTokenKind::String) {
            control.text = String();
        } else if (token.kind == RcTokenKind::Identifier && !symbols_.IsKnown(token.text)) {
            control.text = Next().text;
        } else {
            control.textResourceId = static_cast<WORD>(Expression());
        }
    };
    auto controlId = [&] {
        long long id = Expression();
        control.id = dialog.extended ? static_cast<DWORD>(id) : static_cast<DWORD>(id & 0xFFFF);
    };
    auto rectangle = [&] {
        control.x = Int();
        ExpectComma();
        control.y = Int();
        ExpectComma();
        control.cx = Int();
        ExpectComma();
        control.cy = Int();
    };
    auto trailing = [&] {
        if (AcceptComma()) {
            control.exStyle = Style(0);
            if (AcceptComma()) {
                control.helpId = static_cast<DWORD>(Expression());
            }
        }
    };

    if (AcceptKeyword("CONTROL")) {
        controlText();
        ExpectComma();
        controlId();
        ExpectComma();
        std::string className;
        if (Peek().kind == RcTokenKind::String) {
            className = String();
        } else if (Peek().kind == RcTokenKind::Identifier) {
            className = Next().text;
        } else {
            Fail("control class expected");
        }
        control.className = className;
        for (const char* predefined : kPredefinedClasses) {
            if (EqualsNoCase(className, predefined)) {
                control.className = predefined;
            }
        }
        ExpectComma();
        control.style = Style(kChildVisible);
        ExpectComma();
        rectangle();
        trailing();
    } else {
        const ControlKind* kind = nullptr;
        for (const ControlKind& candidate : kControlKinds) {
            if (EqualsNoCase(keyword.text, candidate.keyword)) {
                kind = &candidate;
            }
        }
        if (kind == nullptr) {
            Fail("unknown control statement '" + keyword.text + "'");
        }
        ++position_;
        control.className = kind->className;
        if (kind->form != ControlKind::NoText) {
            controlText();
            ExpectComma();
        }
        controlId();
        ExpectComma();
        control.x = Int();
        ExpectComma();
        control.y = Int();
        bool sized = kind->form != ControlKind::Icon;
        if (sized) {
            ExpectComma();
            control.cx = Int();
            ExpectComma();
            control.cy = Int();
        } else if (AcceptComma()) {
            control.cx = Int();
            ExpectComma();
            control.cy = Int();
        }
        DWORD initial = kChildVisible | kind->style;
        if (AcceptComma()) {
            control.style =
                Style(kind->defaultOnlyWithoutStyle ? static_cast<DWORD>(kChildVisible) : initial);
            trailing();
        } else {
            control.style = initial;
        }
    }
    if (dialog.extended && AtBlockStart()) {
        control.extraData = RawBlock();
    }
    dialog.controls.push_back(std::move(control));
}

}  // namespace platform
