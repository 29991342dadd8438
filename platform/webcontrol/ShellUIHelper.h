// The shell's helper object (CLSID_ShellUIHelper) as far as the browser uses it: AddFavorite
// writes "<title>.url", an Internet shortcut, into the user's favourites folder, the one
// SHGetSpecialFolderPathA(CSIDL_FAVORITES) gives (HKEY_CURRENT_USER
// "Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders" "Favorites", seeded
// with "%USERPROFILE%\Favorites" when missing), creating the folder when needed. The original asks
// the user first; here the shortcut is written at once.
#pragma once

#include "platform/com/ComObject.h"
#include "platform/com/Dispatch.h"

DEFINE_GUID(CLSID_ShellUIHelper, 0x64AB4BB7, 0x111E, 0x11D1, 0x8F, 0x79, 0x00, 0xC0, 0x4F, 0xC2,
            0xFB, 0xE1);
DEFINE_GUID(IID_IShellUIHelper, 0x729FE2F8, 0x1EA8, 0x11D1, 0x8F, 0x85, 0x00, 0xC0, 0x4F, 0xC2,
            0xFB, 0xE1);

#define DISPID_ADDFAVORITE 4

struct IShellUIHelper : IDispatch {
    static constexpr const IID& kIid = IID_IShellUIHelper;
    using Base = IDispatch;

    // `title` (VT_BSTR, may be null or empty) names the shortcut; without one the address does.
    // E_FAIL when there is no favourites folder or the file cannot be written.
    virtual HRESULT AddFavorite(BSTR url, VARIANT* title) = 0;

protected:
    ~IShellUIHelper() = default;
};

namespace platform::webcontrol {

class ShellUIHelper final : public ComObject<IShellUIHelper> {
public:
    HRESULT GetTypeInfoCount(UINT* count) override;
    HRESULT GetTypeInfo(UINT index, LCID locale, ITypeInfo** typeInfo) override;
    HRESULT GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT nameCount, LCID locale,
                          DISPID* ids) override;
    HRESULT Invoke(DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                   VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

    HRESULT AddFavorite(BSTR url, VARIANT* title) override;

    // The shortcut's file name for a title (GBK): characters that file names cannot hold become
    // '_', and long titles are cut at a character boundary.
    static std::string ShortcutName(const std::string& title);
};

}  // namespace platform::webcontrol
