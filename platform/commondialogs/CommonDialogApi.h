// What the common dialogs share: the extended error that tells why one failed, and the answerer
// that tests and headless runs set so that a request is answered without any window.
//
// Every request is recorded, answered or shown. An answer goes through the same checks as a
// choice made in the dialog (a file that must exist, a prompt before overwriting, a buffer that
// must hold the result), so a refused answer ends the request as the refusal would.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/base/WinTypes.h"
#include "platform/drawing/Gdi.h"

// clang-format off
#define CDERR_DIALOGFAILURE 0xFFFF
#define CDERR_GENERALCODES 0x0000
#define CDERR_STRUCTSIZE 0x0001
#define CDERR_INITIALIZATION 0x0002
#define CDERR_NOTEMPLATE 0x0003
#define CDERR_NOHINSTANCE 0x0004
#define CDERR_LOADSTRFAILURE 0x0005
#define CDERR_FINDRESFAILURE 0x0006
#define CDERR_LOADRESFAILURE 0x0007
#define CDERR_LOCKRESFAILURE 0x0008
#define CDERR_MEMALLOCFAILURE 0x0009
#define CDERR_MEMLOCKFAILURE 0x000A
#define CDERR_NOHOOK 0x000B
#define CDERR_REGISTERMSGFAIL 0x000C
#define CFERR_CHOOSEFONTCODES 0x2000
#define CFERR_NOFONTS 0x2001
#define CFERR_MAXLESSTHANMIN 0x2002
#define FNERR_FILENAMECODES 0x3000
#define FNERR_SUBCLASSFAILURE 0x3001
#define FNERR_INVALIDFILENAME 0x3002
#define FNERR_BUFFERTOOSMALL 0x3003
// clang-format on

// Why the last common dialog of the calling thread failed; 0 after success or a cancel.
DWORD CommDlgExtendedError();

namespace platform {

enum class CommonDialogKind { Open, Save, Folder, Font };

struct CommonDialogRequest {
    CommonDialogKind kind = CommonDialogKind::Open;
    HWND owner = nullptr;
    // The title the dialog shows (for the folder browser, the text above the tree).
    std::string title;
    // File dialogs: the (description, patterns) pairs, the 1-based filter in use, the folder the
    // dialog opens in (Windows form) and the name it proposes.
    std::vector<std::pair<std::string, std::string>> filter;
    int filterIndex = 0;
    std::string initialFolder;
    std::string fileName;
    // The request's OFN_, BIF_ or CF_ flags.
    DWORD flags = 0;
    // The font dialog: the font and colour it starts with.
    LOGFONTA font{};
    COLORREF color = 0;
};

struct CommonDialogAnswer {
    bool chosen = false;
    // A file or folder; relative paths are taken against the request's initial folder.
    std::string path;
    // A file dialog's filter, 1-based; 0 keeps the request's.
    int filterIndex = 0;
    // The font dialog's choice: the face, weight, italic, underline and strike-out of `font`
    // with its size in points, and the colour.
    LOGFONTA font{};
    int pointSize = 0;
    COLORREF color = 0;

    static CommonDialogAnswer Cancel() { return {}; }
    static CommonDialogAnswer Path(std::string path, int filterIndex = 0);
    static CommonDialogAnswer Font(const char* face, int pointSize, LONG weight = 400,
                                   bool italic = false, COLORREF color = 0);
};

// With an answerer no dialog is shown; an empty answerer removes it.
using CommonDialogAnswerer = std::function<CommonDialogAnswer(const CommonDialogRequest&)>;
void SetCommonDialogAnswerer(CommonDialogAnswerer answerer);

// The requests made since the last call, oldest first.
std::vector<CommonDialogRequest> TakeCommonDialogRequests();

// Records the request and returns the answerer's answer, or nothing when no answerer is set.
std::optional<CommonDialogAnswer> AskCommonDialogAnswerer(const CommonDialogRequest& request);

// Sets what CommDlgExtendedError reports on the calling thread.
void SetCommonDialogError(DWORD error);

}  // namespace platform
