// The pages a browser window opens first: the start page chosen in the options, and the newer
// version that the update service's page announces.
#pragma once

#include "platform/text/CString.h"

class CBrowserDataStore;
class ViewHost;

class CStartPage {
public:
    // The program's own version, which the update service also reports to the server.
    static constexpr int kProgramVersion = 180;

    // Start page modes of the settings.
    static constexpr int kMainPage = 0;
    static constexpr int kBlankPage = 1;

    // Opens the chosen start page in the current tab, then the announced version's address when
    // the settings ask for announcements: in a new tab when the start page is the user's own
    // address, else in place of the start page.
    static void Open(ViewHost& frame, const CBrowserDataStore& settings);
    // Opens the program folder's data\main.htm in the current tab.
    static void OpenMain(ViewHost& frame);

    // The address that the update page at `path` announces for a version above the program's;
    // empty when the page, its "VERSION_INFO" line, a parsable version or an address is missing.
    static CString AnnouncedAddress(const char* path);
};
