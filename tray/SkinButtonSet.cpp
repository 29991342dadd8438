#include "tray/SkinButtonSet.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/drawing/Gdi.h"

namespace {

constexpr long kLargestNumber = 1000000;

// The number at `text` (after blanks), moving past it and its comma; false when there is none.
bool NextNumber(const char*& text, int& value) {
    char* end = nullptr;
    const long number = std::strtol(text, &end, 10);
    if (end == text) {
        return false;
    }
    // A skin's coordinates are small; bounded, a rectangle's edges never overflow.
    value = static_cast<int>(std::clamp(number, -kLargestNumber, kLargestNumber));
    text = end;
    if (*text != ',') {
        return false;
    }
    ++text;
    return true;
}

}  // namespace

int CSkinButtonSet::Attach(CWnd* owner, int clickValue) {
    count_ = 0;
    for (auto& button : buttons_) {
        button.reset();
    }
    pressed_ = -1;
    owner_ = owner;
    clickValue_ = clickValue;
    return 0;
}

CSkinButtonSet::ButtonLine CSkinButtonSet::ParseButtonLine(const char* line) {
    ButtonLine parsed;
    int* numbers[7] = {&parsed.x,     &parsed.y,     &parsed.width, &parsed.height,
                       &parsed.state, &parsed.shape, &parsed.toggle};
    const char* cursor = line;
    bool more = true;
    for (int i = 0; i < 7 && more; ++i) {
        more = NextNumber(cursor, *numbers[i]);
    }
    if (more) {
        while (*cursor == ' ' || *cursor == '\t') {
            ++cursor;
        }
        const std::size_t length = std::strcspn(cursor, " \t");
        if (length <= kMaxNameBytes) {
            parsed.bitmap.assign(cursor, length);
        }
    }
    // A state outside the strip's frames would draw from beyond the picture.
    if (parsed.state < kNormal || parsed.state > kToggled) {
        parsed.state = kNormal;
    }
    return parsed;
}

int CSkinButtonSet::AddButtonLine(const char* line) {
    if (count_ >= kMaxButtons) {
        return 1;
    }
    const ButtonLine parsed = ParseButtonLine(line);
    if (parsed.bitmap.empty()) {
        return 2;
    }
    auto button = std::make_unique<Button>();
    HANDLE image = ::LoadImageA(nullptr, parsed.bitmap.c_str(), IMAGE_BITMAP, 0, 0,
                                LR_LOADFROMFILE | LR_DEFAULTSIZE);
    if (image == nullptr) {
        return 2;
    }
    button->strip.Attach(image);
    button->rect = {parsed.x, parsed.y, parsed.x + parsed.width, parsed.y + parsed.height};
    button->state = parsed.state;
    button->shape = parsed.shape;
    button->toggle = parsed.toggle;
    buttons_[count_++] = std::move(button);
    return 0;
}

void CSkinButtonSet::Draw(CDC* dc) {
    CDC memory;
    if (!memory.CreateCompatibleDC(dc)) {
        return;
    }
    for (int i = 0; i < count_; ++i) {
        Button& button = *buttons_[i];
        const int width = button.rect.right - button.rect.left;
        const int height = button.rect.bottom - button.rect.top;
        CBitmap* old = memory.SelectObject(&button.strip);
        dc->BitBlt(button.rect.left, button.rect.top, width, height, &memory, button.state * width,
                   0, SRCCOPY);
        memory.SelectObject(old);
    }
}

int CSkinButtonSet::HitTest(int x, int y, int* active) const {
    int hit = -1;
    int hot = -1;
    for (int i = 0; i < count_; ++i) {
        const Button& button = *buttons_[i];
        if (x >= button.rect.left && x < button.rect.right && y >= button.rect.top &&
            y < button.rect.bottom) {
            hit = i;
        }
        if (button.state == kHover || button.state == kPressed) {
            hot = i;
        }
    }
    if (active != nullptr) {
        *active = hot;
    }
    return hit;
}

int CSkinButtonSet::OnMouseMove(int x, int y) {
    int active = -1;
    const int hit = HitTest(x, y, &active);
    if (hit < 0) {
        if (active >= 0) {
            buttons_[active]->state = kNormal;
            PostRedraw();
        }
        return 1;
    }
    if (hit == active) {
        return 0;
    }
    Button& button = *buttons_[hit];
    if (button.state != kPressed && button.state != kDisabled && button.state != kToggled) {
        button.state = kHover;
    }
    if (active >= 0) {
        buttons_[active]->state = kNormal;
    }
    PostRedraw();
    return 0;
}

int CSkinButtonSet::OnLButtonDown(int x, int y) {
    const int hit = HitTest(x, y, nullptr);
    if (hit < 0) {
        return 1;
    }
    Button& button = *buttons_[hit];
    if (button.state == kPressed || button.state == kDisabled) {
        return 0;
    }
    if (button.toggle != 0) {
        const int toggled = FindToggledButton();
        if (toggled >= 0) {
            buttons_[toggled]->state = kNormal;
        }
        button.state = kToggled;
        PostClick(hit);
    } else {
        button.state = kPressed;
        pressed_ = hit;
    }
    PostRedraw();
    return 0;
}

int CSkinButtonSet::OnLButtonUp(int x, int y) {
    const int hit = HitTest(x, y, nullptr);
    if (hit < 0 || hit != pressed_) {
        return 1;
    }
    Button& button = *buttons_[hit];
    if (button.state == kDisabled || button.toggle != 0) {
        return 0;
    }
    button.state = kNormal;
    PostRedraw();
    PostClick(hit);
    return 0;
}

int CSkinButtonSet::FindToggledButton() const {
    for (int i = 0; i < count_; ++i) {
        if (buttons_[i]->state == kToggled) {
            return i;
        }
    }
    return -1;
}

void CSkinButtonSet::PostClick(int index) {
    if (owner_ != nullptr && owner_->GetSafeHwnd() != nullptr) {
        owner_->PostMessage(WM_SKIN_BUTTON_CLICK, static_cast<WPARAM>(index), clickValue_);
    }
}

void CSkinButtonSet::PostRedraw() {
    if (owner_ != nullptr && owner_->GetSafeHwnd() != nullptr) {
        owner_->PostMessage(WM_SKIN_BUTTON_REDRAW, 0, 0);
    }
}
