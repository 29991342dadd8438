// A stand-in for the tray companion's window in the manager's own process: a hidden top-level
// window titled "DeskvaneTP" that records the messages from WM_USER on that reach it.
#pragma once

#include <vector>

#include "manager/ScheduleList.h"
#include "platform/windows/WindowApi.h"

namespace manager_testing {

class TrayWindowStandIn {
public:
    // Made on the thread of the windows it listens to (inside a step of the application).
    void Create() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.lpszClassName = "TrayStandIn";
        ::RegisterClassA(&windowClass);
        hwnd_ = ::CreateWindowExA(0, "TrayStandIn", kTrayTitle, WS_OVERLAPPED, 0, 0, 10, 10,
                                  nullptr, nullptr, nullptr, nullptr);
        Messages().clear();
    }
    void Destroy() {
        if (hwnd_ != nullptr) {
            ::DestroyWindow(hwnd_);
            hwnd_ = nullptr;
        }
    }
    // The messages since the last call.
    static std::vector<UINT> Take() {
        std::vector<UINT> taken;
        taken.swap(Messages());
        return taken;
    }

private:
    static std::vector<UINT>& Messages() {
        static std::vector<UINT> messages;
        return messages;
    }
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message >= WM_USER) {
            Messages().push_back(message);
        }
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    }

    HWND hwnd_ = nullptr;
};

}  // namespace manager_testing
