#include "platform/controls/ToolTipControl.h"

#include <algorithm>
#include <climits>
#include <cstddef>

#include "platform/controls/ControlSupport.h"
#include "platform/controls/ToolTipSubclasses.h"
#include "platform/drawing/Rect.h"
#include "platform/resources/ResourceApi.h"
#include "platform/windows/WindowApi.h"

namespace platform {

int ToolTipControl::Find(HWND hwnd, UINT_PTR id) const {
    for (size_t i = 0; i < tools_.size(); ++i) {
        if (tools_[i].hwnd == hwnd && tools_[i].id == id) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int ToolTipControl::ToolAt(HWND window, POINT client) const {
    for (size_t i = 0; i < tools_.size(); ++i) {
        const Tool& tool = tools_[i];
        if ((tool.flags & TTF_IDISHWND) != 0
                ? tool.Window() == window
                : tool.hwnd == window && CRect(tool.rect).PtInRect(client)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int ToolTipControl::ToolUnderCursor() const {
    POINT cursor{};
    GetCursorPos(&cursor);
    for (size_t i = 0; i < tools_.size(); ++i) {
        HWND window = tools_[i].Window();
        POINT client = cursor;
        if (!IsWindowVisible(window) || !ScreenToClient(window, &client)) {
            continue;
        }
        RECT area = tools_[i].rect;
        if ((tools_[i].flags & TTF_IDISHWND) != 0) {
            GetClientRect(window, &area);
        }
        if (CRect(area).PtInRect(client)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string ToolTipControl::ToolText(const TOOLINFOA& info) {
    if (info.lpszText == nullptr || info.lpszText == LPSTR_TEXTCALLBACKA) {
        return {};
    }
    if (info.hinst != nullptr && IS_INTRESOURCE(info.lpszText)) {
        char buffer[1024] = {};
        LoadStringA(info.hinst, static_cast<UINT>(reinterpret_cast<ULONG_PTR>(info.lpszText)),
                    buffer, sizeof(buffer));
        return buffer;
    }
    return info.lpszText;
}

std::string ToolTipControl::TextOf(int& index) {
    Tool& tool = tools_[static_cast<size_t>(index)];
    if (!tool.callback) {
        return tool.text;
    }
    NMTTDISPINFOA info{};
    info.lpszText = info.szText;
    info.uFlags = tool.flags;
    info.lParam = tool.param;
    const HWND owner = tool.hwnd;
    SendNotifyTo(owner, hwnd_, tool.id, info.hdr, TTN_GETDISPINFOA);
    info.szText[sizeof(info.szText) - 1] = '\0';
    std::string text;
    if (info.lpszText == nullptr) {
        text = info.szText;
    } else if (info.hinst != nullptr && IS_INTRESOURCE(info.lpszText)) {
        TOOLINFOA resource{};
        resource.hinst = info.hinst;
        resource.lpszText = info.lpszText;
        text = ToolText(resource);
    } else if (info.lpszText != LPSTR_TEXTCALLBACKA) {
        text = info.lpszText;
    }
    index = Find(owner, info.hdr.idFrom);
    if (index >= 0 && (info.uFlags & TTF_DI_SETITEM) != 0) {
        tools_[static_cast<size_t>(index)].callback = false;
        tools_[static_cast<size_t>(index)].text = text;
    }
    return text;
}

LRESULT ToolTipControl::AddTool(const TOOLINFOA* info) {
    if (info == nullptr || info->cbSize < TTTOOLINFOA_V1_SIZE) {
        return FALSE;
    }
    Tool tool;
    tool.flags = info->uFlags;
    tool.hwnd = info->hwnd;
    tool.id = info->uId;
    tool.rect = info->rect;
    tool.callback = info->lpszText == LPSTR_TEXTCALLBACKA;
    tool.text = ToolText(*info);
    if (info->cbSize > offsetof(TOOLINFOA, lParam)) {
        tool.param = info->lParam;
    }
    if ((tool.flags & TTF_SUBCLASS) != 0 && IsWindow(tool.Window())) {
        RelayMouseOf(tool.Window(), hwnd_);
    }
    tools_.push_back(tool);
    return TRUE;
}

LRESULT ToolTipControl::DeleteTool(const TOOLINFOA* info) {
    const int index = Find(info);
    if (index < 0) {
        return 0;
    }
    if (index == shown_ || index == current_ || index == tracking_) {
        Forget();
        tracking_ = -1;
    }
    const Tool removed = tools_[static_cast<size_t>(index)];
    tools_.erase(tools_.begin() + index);
    auto follow = [index](int& at) { at -= at > index ? 1 : 0; };
    follow(current_);
    follow(shown_);
    follow(tracking_);
    if ((removed.flags & TTF_SUBCLASS) != 0) {
        StopRelayingMouseOf(removed.Window(), hwnd_);
    }
    return 0;
}

// Copies into a caller's buffer of `size` bytes, the terminating zero included.
void ToolTipControl::CopyText(const std::string& text, LPSTR buffer, size_t size) {
    CopyTextOut(text, buffer, static_cast<int>(std::min<size_t>(size, INT_MAX)));
}

}  // namespace platform
