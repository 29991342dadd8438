#include "platform/webcontrol/ShellUIHelper.h"

#include <span>
#include <string_view>

#include "platform/commondialogs/ShellFolderApi.h"
#include "platform/drawing/FileReplace.h"
#include "platform/files/PathResolution.h"
#include "platform/text/Gbk.h"

namespace platform::webcontrol {

namespace {

// Leaves room for the folder and ".url" within the 260-byte path limit.
constexpr size_t kMaxNameBytes = 180;

// The shell's favourites folder, made when missing: the same one SHGetSpecialFolderPathA gives.
std::string FavoritesFolder() {
    char folder[MAX_PATH] = {};
    return SHGetSpecialFolderPathA(nullptr, folder, CSIDL_FAVORITES, TRUE) ? folder : "";
}

}  // namespace

std::string ShellUIHelper::ShortcutName(const std::string& title) {
    std::string name;
    for (size_t i = 0; i < title.size();) {
        size_t width =
            IsLeadByte(static_cast<unsigned char>(title[i])) && i + 1 < title.size() ? 2 : 1;
        if (name.size() + width > kMaxNameBytes) {
            break;
        }
        char c = title[i];
        if (width == 1 && (std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos ||
                           static_cast<unsigned char>(c) < 0x20)) {
            name += '_';
        } else {
            name.append(title, i, width);
        }
        i += width;
    }
    return name;
}

HRESULT ShellUIHelper::AddFavorite(BSTR url, VARIANT* title) {
    std::string address = GbkFromBstr(url);
    if (address.empty()) {
        return E_INVALIDARG;
    }
    std::string name;
    if (title != nullptr) {
        VARIANT text;
        VariantInit(&text);
        if (SUCCEEDED(VariantChangeType(&text, title, 0, VT_BSTR))) {
            name = GbkFromBstr(text.bstrVal);
        }
        VariantClear(&text);
    }
    std::string folder = FavoritesFolder();
    if (folder.empty()) {
        return E_FAIL;
    }
    if (folder.back() != '\\' && folder.back() != '/') {
        folder += '\\';
    }
    ResolvedPath path =
        ResolveWindowsPath(folder + ShortcutName(name.empty() ? address : name) + ".url");
    if (!path.ok()) {
        return E_FAIL;
    }
    std::string contents = "[InternetShortcut]\r\nURL=" + address + "\r\n";
    bool written = ReplaceFileContents(
        path.path, std::span(reinterpret_cast<const uint8_t*>(contents.data()), contents.size()));
    return written ? S_OK : E_FAIL;
}

HRESULT ShellUIHelper::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

HRESULT ShellUIHelper::GetTypeInfo(UINT, LCID, ITypeInfo** typeInfo) {
    if (typeInfo != nullptr) {
        *typeInfo = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT ShellUIHelper::GetIDsOfNames(REFIID, LPOLESTR* names, UINT nameCount, LCID, DISPID* ids) {
    if (names == nullptr || ids == nullptr) {
        return E_POINTER;
    }
    HRESULT result = S_OK;
    for (UINT i = 0; i < nameCount; ++i) {
        bool known = names[i] != nullptr && std::u16string_view(names[i]) == u"AddFavorite";
        ids[i] = known ? DISPID_ADDFAVORITE : DISPID_UNKNOWN;
        if (!known) {
            result = DISP_E_UNKNOWNNAME;
        }
    }
    return result;
}

HRESULT ShellUIHelper::Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*,
                              EXCEPINFO*, UINT*) {
    if (member != DISPID_ADDFAVORITE) {
        return DISP_E_MEMBERNOTFOUND;
    }
    if (parameters == nullptr || parameters->cArgs < 1 || parameters->cArgs > 2) {
        return DISP_E_BADPARAMCOUNT;
    }
    VARIANT url;
    VariantInit(&url);
    if (FAILED(VariantChangeType(&url, &parameters->rgvarg[parameters->cArgs - 1], 0, VT_BSTR))) {
        return DISP_E_TYPEMISMATCH;
    }
    HRESULT result =
        AddFavorite(url.bstrVal, parameters->cArgs == 2 ? &parameters->rgvarg[0] : nullptr);
    VariantClear(&url);
    return result;
}

}  // namespace platform::webcontrol
