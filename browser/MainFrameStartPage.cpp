#include <cstdlib>
#include <cstring>

#include "browser/BrowserDataStore.h"
#include "browser/MainFrame.h"
#include "common/AppFolder.h"
#include "common/TextLineFile.h"

void CMainFrame::OpenMainPage() {
    CString url;
    url.Format("%sdata\\main.htm", static_cast<LPCSTR>(GetAppFolder()));
    OpenUrl(url, 0, 1);
}

void CMainFrame::OpenStartPage() {
    switch (m_store.startPageMode) {
        case 0:
            OpenMainPage();
            break;
        case 1:
            OpenUrl("about:blank", 0, 1);
            break;
        default:
            OpenUrl(m_store.startUrl, 0, 1);
            break;
    }

    CTextLineFile file;
    char line[1024];
    if (file.Open("data\\main2.htm") != 0 || file.FindLine("VERSION_INFO", line) != 0 ||
        file.ReadValueLine(line) != 0) {
        return;
    }
    char* end = nullptr;
    const long version = std::strtol(line, &end, 10);
    if (end == line || version <= kVersion || m_store.announceUpdates == 0) {
        return;
    }
    const char* blank = std::strchr(line, ' ');
    if (blank == nullptr || blank == line) {
        return;
    }
    OpenUrl(blank + 1, m_store.startPageMode == 2 ? 1 : 0, 1);
}
