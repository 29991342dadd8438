#include "platform/webcontrol/UrlHistory.h"

#include "platform/com/ComRuntime.h"
#include "platform/text/Encoding.h"
#include "platform/webcontrol/StatUrlEnumerator.h"

namespace platform::webcontrol {

namespace {

std::string Text(LPCOLESTR text) {
    return text != nullptr ? Utf16ToUtf8(text) : std::string();
}

}  // namespace

HRESULT UrlHistory::Fill(const UrlVisit& visit, DWORD flags, STATURL& entry) {
    entry.pwcsUrl = nullptr;
    entry.pwcsTitle = nullptr;
    if ((flags & STATURL_QUERYFLAG_NOURL) == 0) {
        entry.pwcsUrl = CoTaskMemString(Utf8ToUtf16(visit.url));
    }
    if ((flags & STATURL_QUERYFLAG_NOTITLE) == 0) {
        entry.pwcsTitle = CoTaskMemString(Utf8ToUtf16(visit.title));
    }
    FILETIME time{static_cast<DWORD>(visit.lastVisited & 0xFFFFFFFFu),
                  static_cast<DWORD>(visit.lastVisited >> 32)};
    entry.ftLastVisited = time;
    entry.ftLastUpdated = time;
    entry.ftExpires = FILETIME{0, 0};
    entry.dwFlags = STATURLFLAG_ISTOPLEVEL;
    return S_OK;
}

HRESULT UrlHistory::AddUrl(LPCOLESTR url, LPCOLESTR title, DWORD) {
    if (url == nullptr || url[0] == 0) {
        return E_INVALIDARG;
    }
    return store_.Add(Text(url), Text(title)) ? S_OK : E_FAIL;
}

HRESULT UrlHistory::DeleteUrl(LPCOLESTR url, DWORD) {
    if (url == nullptr) {
        return E_INVALIDARG;
    }
    return store_.Remove(Text(url)) ? S_OK : E_FAIL;
}

HRESULT UrlHistory::QueryUrl(LPCOLESTR url, DWORD flags, LPSTATURL entry) {
    if (url == nullptr) {
        return E_INVALIDARG;
    }
    std::string wanted = Text(url);
    for (const UrlVisit& visit : store_.Entries()) {
        if (visit.url == wanted) {
            return entry != nullptr ? Fill(visit, flags, *entry) : S_OK;
        }
    }
    return E_FAIL;
}

HRESULT UrlHistory::BindToObject(LPCOLESTR, REFIID, void** object) {
    if (object != nullptr) {
        *object = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT UrlHistory::EnumUrls(IEnumSTATURL** entries) {
    if (entries == nullptr) {
        return E_POINTER;
    }
    *entries = new StatUrlEnumerator(store_.Entries());
    return S_OK;
}

HRESULT UrlHistory::AddUrlAndNotify(LPCOLESTR url, LPCOLESTR title, DWORD flags, BOOL writeHistory,
                                    IOleCommandTarget*, IUnknown*) {
    return writeHistory ? AddUrl(url, title, flags) : S_OK;
}

HRESULT UrlHistory::ClearHistory() {
    return store_.Clear() ? S_OK : E_FAIL;
}

}  // namespace platform::webcontrol
