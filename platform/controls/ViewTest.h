// Test support for the view controls: a parent window that copies every WM_NOTIFY and
// WM_DRAWITEM it gets (their structures live only during the send) and can answer them.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/controls/Header.h"
#include "platform/controls/ListView.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowTest.h"

namespace platform::testing {

struct Notice {
    HWND from = nullptr;
    UINT_PTR id = 0;
    UINT code = 0;
    int item = 0;
    int subItem = 0;
    UINT newState = 0;
    UINT oldState = 0;
    UINT changed = 0;
    POINT point{};
    LPARAM data = 0;
    WORD key = 0;
};

inline bool IsHeaderCode(UINT code) {
    return code <= HDN_FIRST && code > HDN_FIRST - 100;
}

class ViewTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        RegisterListViewClass();
        parent_ = TopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 600, 500});
        Log().Answer(WM_NOTIFY, [this](HWND, WPARAM, LPARAM lParam) -> LRESULT {
            return Record(*reinterpret_cast<const NMHDR*>(lParam), lParam);
        });
        Log().Answer(WM_DRAWITEM, [this](HWND, WPARAM, LPARAM lParam) -> LRESULT {
            const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            draws_.push_back(draw);
            if (onDraw_) {
                onDraw_(draw);
            }
            return TRUE;
        });
        Log().Answer(WM_MEASUREITEM, [this](HWND, WPARAM, LPARAM lParam) -> LRESULT {
            auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            measured_.push_back(measure);
            if (rowHeight_ > 0) {
                measure.itemHeight = static_cast<UINT>(rowHeight_);
            }
            return TRUE;
        });
    }

    // Only the notifications whose code is one of `codes`, in order.
    std::vector<Notice> Only(std::initializer_list<UINT> codes) const {
        std::vector<Notice> picked;
        for (const Notice& notice : notices_) {
            for (UINT code : codes) {
                if (notice.code == code) {
                    picked.push_back(notice);
                }
            }
        }
        return picked;
    }

    std::vector<UINT> Codes() const {
        std::vector<UINT> codes;
        for (const Notice& notice : notices_) {
            codes.push_back(notice.code);
        }
        return codes;
    }

    POINT ScreenPoint(HWND hwnd, POINT client) const {
        ClientToScreen(hwnd, &client);
        return client;
    }

    void Click(HWND hwnd, POINT client, bool right = false) {
        const POINT at = ScreenPoint(hwnd, client);
        InjectMouse(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, at);
        InjectMouse(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, at);
        PumpUntilIdle();
    }

    void Key(BYTE key) {
        InjectKey(key, true);
        InjectKey(key, false);
        PumpUntilIdle();
    }

    HWND parent_ = nullptr;
    std::vector<Notice> notices_;
    std::vector<DRAWITEMSTRUCT> draws_;
    std::vector<MEASUREITEMSTRUCT> measured_;
    int rowHeight_ = 0;
    // Answers a notification (the result of WM_NOTIFY); 0 when unset.
    std::function<LRESULT(const Notice&)> answer_;
    std::function<void(const DRAWITEMSTRUCT&)> onDraw_;

private:
    LRESULT Record(const NMHDR& header, LPARAM lParam) {
        Notice notice;
        notice.from = header.hwndFrom;
        notice.id = header.idFrom;
        notice.code = header.code;
        if (header.code == LVN_KEYDOWN) {
            const auto& key = *reinterpret_cast<const NMLVKEYDOWN*>(lParam);
            notice.key = key.wVKey;
        } else if (IsHeaderCode(header.code)) {
            const auto& item = *reinterpret_cast<const NMHEADERA*>(lParam);
            notice.item = item.iItem;
            notice.subItem = item.iButton;
            if (item.pitem != nullptr) {
                notice.changed = item.pitem->mask;
                notice.newState = static_cast<UINT>(item.pitem->cxy);
            }
        } else if (header.code <= LVN_FIRST && header.code > LVN_FIRST - 100) {
            CopyListView(notice, lParam);
        } else if (header.code == NM_CLICK || header.code == NM_DBLCLK ||
                   header.code == NM_RCLICK || header.code == NM_RDBLCLK) {
            if (IsListView(header.hwndFrom)) {
                CopyListView(notice, lParam);
            }
        }
        extra_(notice, lParam);
        notices_.push_back(notice);
        return answer_ ? answer_(notice) : 0;
    }

    static bool IsListView(HWND hwnd) {
        char name[64] = {};
        GetClassNameA(hwnd, name, sizeof(name));
        return std::string(name) == WC_LISTVIEWA;
    }

    static void CopyListView(Notice& notice, LPARAM lParam) {
        const auto& item = *reinterpret_cast<const NMLISTVIEW*>(lParam);
        notice.item = item.iItem;
        notice.subItem = item.iSubItem;
        notice.newState = item.uNewState;
        notice.oldState = item.uOldState;
        notice.changed = item.uChanged;
        notice.point = item.ptAction;
        notice.data = item.lParam;
    }

protected:
    // Lets other controls' tests copy their own structures into the notice.
    std::function<void(Notice&, LPARAM)> extra_ = [](Notice&, LPARAM) {};
};

}  // namespace platform::testing
