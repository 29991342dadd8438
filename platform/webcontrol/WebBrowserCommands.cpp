#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "platform/commondialogs/FileDialogApi.h"
#include "platform/commondialogs/ShellFolderApi.h"
#include "platform/controls/Clipboard.h"
#include "platform/dialogs/MessageBoxApi.h"
#include "platform/drawing/FileReplace.h"
#include "platform/files/Path.h"
#include "platform/files/PathResolution.h"
#include "platform/process/ProcessApi.h"
#include "platform/text/Encoding.h"
#include "platform/web/HtmlSerializer.h"
#include "platform/webcontrol/AutomationText.h"
#include "platform/webcontrol/HtmlInterfaces.h"
#include "platform/webcontrol/ShellUIHelper.h"
#include "platform/webcontrol/WebBrowser.h"
#include "platform/webcontrol/WebCommandLog.h"

namespace platform::webcontrol {

namespace {

constexpr int kLargestTextSize = 4;

// The OLECMDF flags of a command on a document; `selected` tells whether its text is selected.
DWORD StatusOf(const GUID* group, DWORD command, bool selected) {
    const DWORD supported = OLECMDF_SUPPORTED;
    const DWORD available = supported | OLECMDF_ENABLED;
    if (group == nullptr) {
        switch (command) {
            case OLECMDID_SAVEAS:
            case OLECMDID_SELECTALL:
            case OLECMDID_ZOOM:
                return available;
            case OLECMDID_COPY:
            case OLECMDID_CLEARSELECTION:
                return selected ? available : supported;
            // No printer or dialog for these, and pages are not editable.
            case OLECMDID_PRINT:
            case OLECMDID_PRINTPREVIEW:
            case OLECMDID_PAGESETUP:
            case OLECMDID_PROPERTIES:
            case OLECMDID_FIND:
            case OLECMDID_CUT:
            case OLECMDID_PASTE:
                return supported;
            default:
                return 0;
        }
    }
    if (IsEqualGUID(*group, CGID_MSHTML)) {
        switch (command) {
            case IDM_VIEWSOURCE:
                return available;
            case IDM_FIND:
            case IDM_OPTIONS:
                return supported;
            default:
                return 0;
        }
    }
    return 0;
}

// The commands only the control takes, through ExecWB.
bool IsBrowserOnly(OLECMDID command) {
    return command == OLECMDID_REFRESH || command == OLECMDID_STOP;
}

// The file name the save dialog proposes: the page's title, else the name in its address.
std::string ProposedName(const web::Page& page) {
    std::string name = Utf8ToGbk(page.document().Title());
    if (name.empty()) {
        std::string address = page.document().address();
        address = address.substr(0, address.find_first_of("?#"));
        std::string last = address.substr(address.find_last_of('/') + 1);
        name = Utf8ToGbk(last.substr(0, last.rfind('.')));
    }
    name = ShellUIHelper::ShortcutName(name);
    return (name.empty() ? std::string("无标题") : name) + ".htm";
}

// The save dialog's choice (GBK), or nothing when it was cancelled.
std::optional<std::string> AskSaveName(HWND owner, const std::string& proposed) {
    char file[MAX_PATH] = {};
    proposed.copy(file, sizeof file - 1);
    char documents[MAX_PATH] = {};
    const bool haveDocuments = SHGetSpecialFolderPathA(nullptr, documents, CSIDL_PERSONAL, FALSE);
    static constexpr char kFilter[] =
        "网页，仅 HTML (*.htm;*.html)\0*.htm;*.html\0所有文件 (*.*)\0*.*\0";
    OPENFILENAMEA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = kFilter;
    request.nFilterIndex = 1;
    request.lpstrFile = file;
    request.nMaxFile = sizeof file;
    request.lpstrInitialDir = haveDocuments ? documents : nullptr;
    request.lpstrTitle = "保存网页";
    request.lpstrDefExt = "htm";
    request.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameA(&request)) {
        return std::nullopt;
    }
    return std::string(file);
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t count = write(fd, bytes.data() + done, bytes.size() - done);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return false;
        }
        done += static_cast<size_t>(count);
    }
    return true;
}

// A new file "source-XXXXXX.txt" in the temporary folder holding `bytes`.
std::optional<std::filesystem::path> WriteSourceFile(const std::string& bytes) {
    std::error_code error;
    std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    if (error) {
        folder = "/tmp";
    }
    std::string name = (folder / "source-XXXXXX.txt").string();
    int fd = mkstemps(name.data(), 4);
    if (fd < 0) {
        return std::nullopt;
    }
    bool written = WriteAll(fd, bytes);
    written = close(fd) == 0 && written;
    if (!written) {
        std::filesystem::remove(name, error);
        return std::nullopt;
    }
    return std::filesystem::path(name);
}

}  // namespace

HRESULT WebBrowser::QueryStatusWB(OLECMDID command, OLECMDF* status) {
    if (status == nullptr) {
        return E_POINTER;
    }
    DWORD flags =
        IsBrowserOnly(command)
            ? static_cast<DWORD>(OLECMDF_SUPPORTED | OLECMDF_ENABLED)
            : StatusOf(nullptr, command, selected_ != nullptr && selected_ == page_.get());
    if (!hasDocument_) {
        flags &= ~static_cast<DWORD>(OLECMDF_ENABLED);
    }
    *status = static_cast<OLECMDF>(flags);
    return S_OK;
}

HRESULT WebBrowser::ExecWB(OLECMDID command, OLECMDEXECOPT option, VARIANT* input,
                           VARIANT* output) {
    if (!IsBrowserOnly(command) && StatusOf(nullptr, command, false) == 0) {
        return OLECMDERR_E_NOTSUPPORTED;
    }
    if (!hasDocument_ || page_ == nullptr) {
        return OLECMDERR_E_DISABLED;
    }
    RecordWebCommand({RecordedWebCommand::Source::Browser, GUID_NULL, static_cast<DWORD>(command),
                      static_cast<DWORD>(option), Utf8FromVariant(input), location_});
    if (command == OLECMDID_REFRESH) {
        return Refresh();
    }
    if (command == OLECMDID_STOP) {
        return Stop();
    }
    return RunCommand(*page_, nullptr, command, option, input, output);
}

DWORD WebBrowser::DocumentCommandStatus(web::Page& page, const GUID* group, DWORD command) {
    return StatusOf(group, command, selected_ == &page);
}

HRESULT WebBrowser::DocumentCommand(web::Page& page, const GUID* group, DWORD command, DWORD option,
                                    VARIANT* input, VARIANT* output) {
    if (StatusOf(group, command, false) == 0) {
        return OLECMDERR_E_NOTSUPPORTED;
    }
    RecordWebCommand({RecordedWebCommand::Source::Document, group != nullptr ? *group : GUID_NULL,
                      command, option, Utf8FromVariant(input), page.document().address()});
    return RunCommand(page, group, command, option, input, output);
}

HRESULT WebBrowser::RunCommand(web::Page& page, const GUID* group, DWORD command, DWORD option,
                               VARIANT* input, VARIANT* output) {
    KeepAlive alive(*this);
    if (group != nullptr) {
        return command == IDM_VIEWSOURCE ? ViewSource(page) : OLECMDERR_E_DISABLED;
    }
    switch (command) {
        case OLECMDID_SAVEAS:
            return SavePage(page, option, input);
        case OLECMDID_ZOOM:
            return Zoom(input, output);
        case OLECMDID_SELECTALL:
            selected_ = &page;
            return S_OK;
        case OLECMDID_CLEARSELECTION:
            selected_ = nullptr;
            return S_OK;
        case OLECMDID_COPY:
            return selected_ == &page ? CopyText(page) : OLECMDERR_E_DISABLED;
        default:
            return OLECMDERR_E_DISABLED;
    }
}

HRESULT WebBrowser::SavePage(web::Page& page, DWORD option, VARIANT* input) {
    // The dialog runs a message loop, in which the page may load another document: what is saved
    // is taken first.
    const std::string bytes = page.source();
    std::string target;
    if (option == OLECMDEXECOPT_DONTPROMPTUSER && input != nullptr && input->vt == VT_BSTR) {
        target = Utf8ToGbk(Utf8FromVariant(input));
    }
    if (target.empty()) {
        std::optional<std::string> chosen = AskSaveName(hwnd_, ProposedName(page));
        if (!chosen) {
            return OLECMDERR_E_CANCELED;
        }
        target = *chosen;
    }
    ResolvedPath path = ResolveWindowsPath(target);
    if (path.ok() &&
        ReplaceFileContents(
            path.path, std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()))) {
        return S_OK;
    }
    MessageBoxA(hwnd_, ("无法保存网页：\r\n" + target).c_str(), "保存网页", MB_OK | MB_ICONERROR);
    return E_FAIL;
}

HRESULT WebBrowser::Zoom(VARIANT* input, VARIANT* output) {
    if (input != nullptr && input->vt != VT_EMPTY && input->vt != VT_NULL) {
        VARIANT number;
        VariantInit(&number);
        if (FAILED(VariantChangeType(&number, input, 0, VT_I4)) || number.lVal < 0 ||
            number.lVal > kLargestTextSize) {
            return E_INVALIDARG;
        }
        textSize_ = number.lVal;
        if (page_ != nullptr) {
            page_->SetTextSize(textSize_);
        }
    } else if (output == nullptr) {
        return E_INVALIDARG;
    }
    if (output != nullptr) {
        VariantClear(output);
        output->vt = VT_I4;
        output->lVal = textSize_;
    }
    return S_OK;
}

HRESULT WebBrowser::CopyText(web::Page& page) {
    const web::HtmlNode* body = page.document().Body();
    std::string text = body != nullptr ? web::InnerText(*body) : std::string();
    return PutClipboardText(hwnd_, Utf8ToGbk(text)) ? S_OK : E_FAIL;
}

HRESULT WebBrowser::ViewSource(web::Page& page) {
    std::optional<std::filesystem::path> file = WriteSourceFile(page.source());
    if (!file) {
        return E_FAIL;
    }
    const std::string path = ToWindowsPath(*file);
    auto started = reinterpret_cast<INT_PTR>(
        ShellExecuteA(hwnd_, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (started <= 32) {
        std::error_code error;
        std::filesystem::remove(*file, error);
        return E_FAIL;
    }
    return S_OK;
}

}  // namespace platform::webcontrol
