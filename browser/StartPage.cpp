#include "browser/StartPage.h"

#include <cstdlib>
#include <cstring>

#include "browser/AppFolder.h"
#include "browser/BrowserDataStore.h"
#include "browser/TextLineFile.h"
#include "browser/ViewHost.h"

void CStartPage::Open(ViewHost& frame, const CBrowserDataStore& settings) {
    switch (settings.startPageMode) {
        case kMainPage:
            OpenMain(frame);
            break;
        case kBlankPage:
            frame.OpenUrl("about:blank", 0, 1);
            break;
        default:
            frame.OpenUrl(settings.startUrl, 0, 1);
            break;
    }

    const CString announced = AnnouncedAddress("data\\main2.htm");
    if (!announced.IsEmpty() && settings.announceUpdates != 0) {
        // The user's own start address stays; the program's pages give way to the announcement.
        const int newTab = settings.startPageMode == 2 ? 1 : 0;
        frame.OpenUrl(announced, newTab, 1);
    }
}

void CStartPage::OpenMain(ViewHost& frame) {
    CString url;
    url.Format("%sdata\\main.htm", static_cast<LPCSTR>(GetAppFolder()));
    frame.OpenUrl(url, 0, 1);
}

CString CStartPage::AnnouncedAddress(const char* path) {
    CTextLineFile file;
    if (file.Open(path) != 0) {
        return CString();
    }
    char line[1024] = {};
    if (file.FindLine("VERSION_INFO", line) != 0 || file.ReadValueLine(line) != 0) {
        return CString();
    }
    if (std::atoi(line) <= kProgramVersion) {
        return CString();
    }
    const char* blank = std::strchr(line, ' ');
    if (blank == nullptr || blank == line) {
        return CString();
    }
    return CString(blank + 1);
}
