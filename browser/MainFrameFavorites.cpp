#include <algorithm>
#include <cstring>
#include <string_view>

#include "browser/MainFrame.h"
#include "browser/PageDlg.h"
#include "common/TruncateText.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComRuntime.h"
#include "platform/com/Variant.h"
#include "platform/commondialogs/ShellFolderApi.h"
#include "platform/files/FileApi.h"
#include "platform/framework/AfxMessageBox.h"
#include "platform/process/LibraryApi.h"
#include "platform/registry/Registry.h"
#include "platform/text/Gbk.h"
#include "platform/webcontrol/ShellUIHelper.h"
#include "resources/quorra/resource.h"

namespace {

constexpr char kShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
// Favourite names are cut to this display width in bytes.
constexpr int kNameWidth = 40;
constexpr DWORD kUrlSize = 2048;
constexpr size_t kMaxFavorites = CMainFrame::kLastFavorite - CMainFrame::kFirstFavorite + 1;

// The shell's favourites organiser in shdocvw.dll.
using OrganizeFavoritesFunction = UINT (*)(HWND, LPSTR);

bool IsShortcutName(const char* name) {
    const size_t length = std::strlen(name);
    return length > 4 && std::memcmp(name + length - 4, ".url", 4) == 0;
}

bool EndsWithBackslash(const CString& text) {
    const std::string_view bytes = text.view();
    return !bytes.empty() && platform::FindLastChar(bytes, '\\') == bytes.size() - 1;
}

// The position before the first name that sorts after `name`, ignoring case.
size_t SortedPosition(const std::vector<CString>& names, const CString& name) {
    const auto at =
        std::upper_bound(names.begin(), names.end(), name, [](const CString& a, const CString& b) {
            return platform::CompareNoCase(a.view(), b.view()) < 0;
        });
    return static_cast<size_t>(at - names.begin());
}

}  // namespace

void CMainFrame::BuildFavoritesMenu() {
    m_pMainMenu = std::make_unique<CMenuEx>();
    m_pMainMenu->LoadMenu(IDR_MAINFRAME);
    m_favoriteUrls.clear();
    CMenuEx* pItems = GetFavoriteItemsMenu();
    if (pItems == nullptr) {
        return;
    }
    while (pItems->GetMenuItemCount() > 0) {
        pItems->DeleteMenu(0, MF_BYPOSITION);
    }

    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kShellFoldersKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return;
    }
    char value[MAX_PATH] = {};
    DWORD size = sizeof(value) - 1;
    DWORD type = REG_NONE;
    const LSTATUS status = ::RegQueryValueExA(key, "Favorites", nullptr, &type,
                                              reinterpret_cast<LPBYTE>(value), &size);
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return;
    }
    char folder[MAX_PATH] = {};
    const DWORD length = ::ExpandEnvironmentStringsA(value, folder, sizeof(folder));
    // Without a folder the search would run from the root of the current drive.
    if (length == 0 || length > sizeof(folder) || folder[0] == '\0') {
        return;
    }
    AddFavoritesToMenu(folder, 0, pItems);
}

int CMainFrame::AddFavoritesToMenu(CString folder, int firstIndex, CMenu* pMenu) {
    if (firstIndex < 0) {
        return firstIndex;
    }
    if (!EndsWithBackslash(folder)) {
        folder += '\\';
    }
    // The system's searches end at this length; so does the walk down the folder tree.
    const CString pattern = folder + "*.*";
    if (pattern.GetLength() >= MAX_PATH) {
        return firstIndex;
    }
    WIN32_FIND_DATAA found{};
    HANDLE search = ::FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) {
        return firstIndex;
    }
    std::vector<CString> names;
    std::vector<CString> urls;
    std::vector<CString> folders;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            if (std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0) {
                folders.emplace_back(found.cFileName);
            }
            continue;
        }
        if ((found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0 ||
            !IsShortcutName(found.cFileName)) {
            continue;
        }
        char url[kUrlSize] = {};
        ::GetPrivateProfileStringA("InternetShortcut", "URL", "", url, kUrlSize,
                                   folder + found.cFileName);
        CString name(found.cFileName, static_cast<int>(std::strlen(found.cFileName)) - 4);
        TruncateText(name, kNameWidth);
        const size_t position = SortedPosition(names, name);
        names.insert(names.begin() + static_cast<std::ptrdiff_t>(position), name);
        urls.insert(urls.begin() + static_cast<std::ptrdiff_t>(position), CString(url));
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);

    // Items past the last favourite command would take the ids of other commands.
    const size_t room = kMaxFavorites - std::min(kMaxFavorites, static_cast<size_t>(firstIndex));
    names.resize(std::min(names.size(), room));
    const auto first = static_cast<size_t>(firstIndex);
    if (m_favoriteUrls.size() < first + names.size()) {
        m_favoriteUrls.resize(first + names.size());
    }
    for (size_t i = 0; i < names.size(); ++i) {
        m_favoriteUrls[first + i] = urls[i];
        pMenu->AppendMenu(MF_STRING, kFirstFavorite + first + i, names[i]);
    }

    int next = firstIndex + static_cast<int>(names.size());
    std::vector<CString> shownFolders;
    for (const CString& name : folders) {
        CMenu popup;
        popup.CreatePopupMenu();
        const int after = AddFavoritesToMenu(folder + name, next, &popup);
        if (after == next) {
            popup.DestroyMenu();
            continue;
        }
        next = after;
        const size_t position = SortedPosition(shownFolders, name);
        pMenu->InsertMenu(static_cast<UINT>(position), MF_BYPOSITION | MF_POPUP | MF_STRING,
                          reinterpret_cast<UINT_PTR>(popup.Detach()), name);
        shownFolders.insert(shownFolders.begin() + static_cast<std::ptrdiff_t>(position), name);
    }
    return next;
}

CString CMainFrame::GetFavoritesFolder() {
    char path[MAX_PATH] = {};
    if (::SHGetSpecialFolderPathA(m_hWnd, path, CSIDL_FAVORITES, FALSE)) {
        return path;
    }
    AfxMessageBox("Can't get path of favorite.");
    char windows[MAX_PATH] = {};
    const UINT length = ::GetWindowsDirectoryA(windows, sizeof(windows));
    if (length == 0 || length >= sizeof(windows)) {
        windows[0] = '\0';
    }
    return CString(windows) + "\\favorites";
}

void CMainFrame::OnAddFavorite() {
    CPageDlg* pPage = GetSelectedPage();
    if (pPage == nullptr) {
        return;
    }
    IShellUIHelper* pHelper = nullptr;
    if (SUCCEEDED(::CoCreateInstance(CLSID_ShellUIHelper, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IShellUIHelper, reinterpret_cast<void**>(&pHelper)))) {
        const CString location = pPage->m_wndBrowser.GetLocationURL();
        BSTR url = platform::BstrFromGbk(location.view());
        VARIANT title;
        ::VariantInit(&title);
        title.vt = VT_BSTR;
        title.bstrVal = platform::BstrFromGbk(pPage->m_strTitle.view());
        pHelper->AddFavorite(url, &title);
        ::VariantClear(&title);
        ::SysFreeString(url);
        pHelper->Release();
    }
    BuildFavoritesMenu();
}

void CMainFrame::OnOrganizeFavorites() {
    if (HMODULE library = ::LoadLibraryA("shdocvw.dll")) {
        auto organize = reinterpret_cast<OrganizeFavoritesFunction>(
            ::GetProcAddress(library, "DoOrganizeFavDlg"));
        if (organize != nullptr) {
            CString folder = GetFavoritesFolder();
            organize(m_hWnd, folder.GetBuffer(MAX_PATH));
            folder.ReleaseBuffer();
        }
        ::FreeLibrary(library);
    }
    BuildFavoritesMenu();
}

void CMainFrame::OnFavorite(UINT nID) {
    const size_t index = nID - kFirstFavorite;
    CPageDlg* pPage = GetSelectedPage();
    if (pPage == nullptr || index >= m_favoriteUrls.size() || m_favoriteUrls[index].IsEmpty()) {
        return;
    }
    pPage->m_wndBrowser.Navigate(m_favoriteUrls[index], nullptr, nullptr, nullptr, nullptr);
}
