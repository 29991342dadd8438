#include "browser/FirstRun.h"

#include <cstdio>

#include "platform/dialogs/MessageBoxApi.h"
#include "platform/files/Path.h"
#include "platform/framework/Wnd.h"

namespace {

constexpr const char* kMarker = "data\\first.dat";

}  // namespace

BOOL CFirstRun::Check(CWnd& frame) {
    if (FILE* marker = platform::OpenStdioFile(kMarker, "r")) {
        std::fclose(marker);
        return FALSE;
    }
    // A marker that cannot be made only means the question comes again on the next start.
    if (FILE* marker = platform::OpenStdioFile(kMarker, "w")) {
        std::fclose(marker);
    }
    frame.SetTimer(kWelcomeTimer, kWelcomeDelay, &CFirstRun::OnWelcomeTimer);
    return TRUE;
}

void CFirstRun::AskWelcome(CWnd& frame) {
    frame.KillTimer(kWelcomeTimer);
    const int answer = frame.MessageBox(
        "欢迎使用Quorra浏览器\r\n\r\n您是第一次启动此版本\r\n点击“是”，进行参数设置\r\n"
        "点击“否”，不进行参数设置，您可以在以后的时间进行参数设置\r\n\r\n现在就进行参数设置吗？",
        nullptr, MB_YESNO | MB_ICONINFORMATION);
    if (answer == IDYES) {
        frame.SendMessage(WM_COMMAND, kOptionsCommand);
    }
}

void CFirstRun::OnWelcomeTimer(HWND frame, UINT, UINT_PTR, DWORD) {
    if (CWnd* window = CWnd::FromHandle(frame)) {
        AskWelcome(*window);
    }
}
