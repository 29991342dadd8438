#include "resources/testing/ResourceChecks.h"

#include <gtest/gtest.h>

#include <optional>

namespace platform::resource_checks {
namespace {

constexpr DWORD kVisible = 0x10000000;
constexpr DWORD kButtonType = 0xF;
constexpr DWORD kAutoCheck = 0x3;
constexpr DWORD kGroupBox = 0x7;
constexpr DWORD kAutoRadio = 0x9;
constexpr int kClosedComboHeight = 13;
constexpr int kIconSize = 20;

void CollectCommands(const std::vector<MenuItem>& items, std::multimap<DWORD, std::string>& out) {
    for (const MenuItem& item : items) {
        if (item.flags & MF_POPUP)
            CollectCommands(item.children, out);
        else if (!(item.flags & MF_SEPARATOR))
            out.emplace(item.id, item.text);
    }
}

}  // namespace

DialogTemplate Dialog(int id) {
    std::optional<DialogTemplate> dialog = LoadDialogTemplate(nullptr, MAKEINTRESOURCE(id));
    EXPECT_TRUE(dialog) << "dialog " << id;
    return dialog.value_or(DialogTemplate{});
}

const DialogControl* ById(const DialogTemplate& dialog, DWORD id) {
    for (const DialogControl& control : dialog.controls) {
        if (control.id == id)
            return &control;
    }
    return nullptr;
}

const DialogControl* ByText(const DialogTemplate& dialog, const std::string& text) {
    for (const DialogControl& control : dialog.controls) {
        if (control.text == text)
            return &control;
    }
    return nullptr;
}

bool IsHidden(const DialogControl& control) {
    return (control.style & kVisible) == 0;
}

bool IsGroupBox(const DialogControl& control) {
    return control.className == "Button" && (control.style & kButtonType) == kGroupBox;
}

const DialogControl& Control(const DialogTemplate& dialog, DWORD id, const std::string& className,
                             const std::string& text) {
    static const DialogControl missing;
    const DialogControl* control = ById(dialog, id);
    EXPECT_NE(control, nullptr) << "control " << id << " of " << dialog.caption;
    if (control == nullptr)
        return missing;
    EXPECT_EQ(control->className, className) << "control " << id;
    EXPECT_EQ(control->text, text) << "control " << id;
    return *control;
}

void ExpectSongTi9(const DialogTemplate& dialog) {
    EXPECT_TRUE(dialog.hasFont) << dialog.caption;
    EXPECT_EQ(dialog.pointSize, 9) << dialog.caption;
    EXPECT_EQ(dialog.faceName, "宋体") << dialog.caption;
}

void ExpectInsideWithoutOverlaps(const DialogTemplate& dialog, int id) {
    struct Box {
        int left, top, right, bottom;
        DWORD id;
    };
    std::vector<Box> boxes;
    for (const DialogControl& control : dialog.controls) {
        int cx = control.textResourceId ? kIconSize : control.cx;
        int cy = control.textResourceId ? kIconSize : control.cy;
        if (control.className == "ComboBox")
            cy = kClosedComboHeight;
        Box box{control.x, control.y, control.x + cx, control.y + cy, control.id};
        EXPECT_GE(box.left, 0) << id << "/" << control.id;
        EXPECT_GE(box.top, 0) << id << "/" << control.id;
        EXPECT_LE(box.right, dialog.cx) << id << "/" << control.id;
        EXPECT_LE(box.bottom, dialog.cy) << id << "/" << control.id;
        if (!IsHidden(control) && !IsGroupBox(control))
            boxes.push_back(box);
    }
    for (size_t i = 0; i < boxes.size(); ++i) {
        for (size_t j = i + 1; j < boxes.size(); ++j) {
            const Box& a = boxes[i];
            const Box& b = boxes[j];
            EXPECT_FALSE(a.left < b.right && b.left < a.right && a.top < b.bottom &&
                         b.top < a.bottom)
                << "dialog " << id << ": controls " << a.id << " and " << b.id;
        }
    }
}

void ExpectTextsFit(const DialogTemplate& dialog, int id, TextCheck which) {
    for (const DialogControl& control : dialog.controls) {
        if (which == TextCheck::VisibleOnly && IsHidden(control))
            continue;
        int width = 0;
        for (size_t i = 0; i < control.text.size(); ++i) {
            bool lead = static_cast<unsigned char>(control.text[i]) >= 0x81;
            width += lead ? 8 : 4;
            i += lead ? 1 : 0;
        }
        int room = control.cx;
        if (control.className == "Button") {
            DWORD type = control.style & kButtonType;
            room -= type == kAutoRadio || type == kAutoCheck ? 12 : type == kGroupBox ? 10 : 4;
        } else if (control.className == "Static" && control.cy >= 16) {
            room *= 2;
        }
        EXPECT_LE(width, room) << "dialog " << id << ": \"" << control.text << "\"";
    }
}

MenuTemplate Menu(int id) {
    std::optional<MenuTemplate> menu = LoadMenuTemplate(nullptr, MAKEINTRESOURCE(id));
    EXPECT_TRUE(menu) << "menu " << id;
    return menu.value_or(MenuTemplate{});
}

std::multimap<DWORD, std::string> Commands(const std::vector<MenuItem>& items) {
    std::multimap<DWORD, std::string> commands;
    CollectCommands(items, commands);
    return commands;
}

std::vector<std::string> ItemTexts(const std::vector<MenuItem>& items) {
    std::vector<std::string> texts;
    for (const MenuItem& item : items)
        texts.push_back(item.text);
    return texts;
}

}  // namespace platform::resource_checks
