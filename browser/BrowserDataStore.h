// The browser's settings: the URL filter, the address lists of this run, the visited-address
// list, the search engines, the window rectangle, the user options and the start address. Other
// parts of the browser read and write the fields directly; the operations below load and save
// them and make the filter decision.
#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "browser/FilterRule.h"
#include "platform/base/WinTypes.h"
#include "platform/text/CString.h"

class CWinThread;

class CBrowserDataStore {
public:
    // Cap of the visited-address list, in memory and in data\visited.dat.
    static constexpr size_t kMaxVisitedUrls = 1800;
    // Longest address line kept in data\visited.dat, in bytes.
    static constexpr size_t kMaxVisitedLineLength = 3071;

    CBrowserDataStore();
    virtual ~CBrowserDataStore() = default;
    CBrowserDataStore(const CBrowserDataStore&) = delete;
    CBrowserDataStore& operator=(const CBrowserDataStore&) = delete;

    // Reads data\filter.dat, data\visited.dat and the engines and music fields of data\main.htm.
    // Missing or damaged files leave the fields they would have set as they are. Always 0.
    int Load();
    // Rewrites the settings file whole; a file that cannot be written leaves the old one. A
    // settings file that was damaged when it was loaded is first kept beside it, once, as
    // "<path>.damaged". Always 0.
    //
    // A file that cannot be written is reported on the standard error and, when the program has
    // a main window, in a message box over it. Without a display a headless run answers that
    // box itself (the program's main sets the answerer), so a failed save never stops an exit.
    int Save();
    // Save, then rewrites data\visited.dat whole, reporting a failure as Save does. Always 0.
    int SaveAll();
    // Appends every line of the file to visitedUrls, in file order.
    void LoadVisited(const char* path);
    // Moves or inserts the address at the front of visitedUrls. Always 1.
    int AddVisitedUrl(const char* url);
    bool IsUrlBlocked(const char* url) const;
    // 1 when the address was put at the front of blockedUrls, 0 when it was there already.
    int AddBlockedUrl(const char* url);
    // Appends the address to allowedUrls unless it is there already.
    void AddAllowedUrl(const char* url);
    void ClearFilterRules();

    CString path;
    int filterPaused = 0;
    // Tested in this order.
    std::vector<std::unique_ptr<FilterRule>> rules;
    // Blocked since the program started, newest first; not saved.
    std::vector<CString> blockedUrls;
    // Opened from the blocked list since the program started, oldest first; not saved.
    std::vector<CString> allowedUrls;
    // Newest first, at most kMaxVisitedUrls.
    std::vector<CString> visitedUrls;
    std::vector<CString> engineNames;
    // Address patterns with "%s" for the keyword, at the same index as engineNames.
    std::vector<CString> engineUrls;
    int promptMode = -1;
    RECT windowRect = {-1, -1, 1, 1};
    CString musicBoxText;
    CString musicSearchUrl;
    // The start page's fields that the program reads: the browser's music search box and address
    // pattern, or the picture collector's address pattern (the line after "MAIN_PAGE_END"), in
    // which GO wraps a bare word ("%s" standing for it).
    enum class StartPageFields { kMusicSearch, kAddressPattern };
    StartPageFields startPageFields = StartPageFields::kMusicSearch;
    CString addressPattern;
    int tabMaximized = 0;
    int activateNewPage = 0;
    int tabsAtBottom = 0;
    int newsOff = 0;
    int startPageMode = 0;
    int announceUpdates = 0;
    char startUrl[256] = {};
    // The running update thread; null when none runs. The update thread clears it as it ends
    // while the frame reads it on the user-interface thread.
    std::atomic<CWinThread*> updateThread = nullptr;

private:
    // The bytes of a settings file that was damaged on load, until they are kept beside it.
    std::optional<std::string> damagedSettings_;

    // Takes every field of the settings file's bytes that is whole: those up to the first one
    // that is incomplete or implausible, and after a damaged rule count the rules that are whole
    // and the fields at the file's end. False when the bytes were not exactly one settings file.
    bool LoadSettings(std::string_view bytes);
    // The search engines and the start page fields of the program.
    void LoadEngines();
};

// The program's one settings store.
CBrowserDataStore& DataStore();
