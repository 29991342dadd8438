// The control's events from what the desktop's engine reports, in the order and with the
// addresses of the control's own engine.
#include "platform/text/Encoding.h"
#include "platform/webcontrol/EngineAddress.h"
#include "platform/webcontrol/UrlHistoryStore.h"
#include "platform/webcontrol/WebBrowser.h"

namespace platform::webcontrol {

bool WebBrowser::OnBeforeNavigate(const std::string& address) {
    KeepAlive alive(*this);
    const bool cancelled = events_.BeforeNavigate2(Self(), ControlAddressOf(address), "");
    busy_ = busy_ || !cancelled;
    return cancelled;
}

void WebBrowser::OnLoadStarted(const std::string& address) {
    busy_ = true;
    // The error page follows the failed load's own start.
    if (showingErrorPage_) {
        return;
    }
    KeepAlive alive(*this);
    events_.DownloadBegin();
    events_.StatusTextChange(ControlAddressOf(address));
    events_.ProgressChange(0, kProgressMax);
}

void WebBrowser::OnLoadCommitted(const std::string& address) {
    KeepAlive alive(*this);
    showingErrorPage_ = false;
    titleSeen_ = false;
    hasDocument_ = true;
    location_ = ControlAddressOf(address);
    title_ = location_;
    events_.NavigateComplete2(Self(), location_);
}

void WebBrowser::OnProgress(double done) {
    if (busy_ && done >= 0 && done < 1) {
        events_.ProgressChange(static_cast<LONG>(done * kProgressMax), kProgressMax);
    }
}

void WebBrowser::OnTitle(const std::string& title) {
    // The engine forgets the title as a new document comes; the address stands for it until the
    // document names one.
    if (title.empty() || !hasDocument_) {
        return;
    }
    KeepAlive alive(*this);
    titleSeen_ = true;
    title_ = title;
    // A loading document's entry is added as it completes, with the title it has then.
    if (!busy_) {
        history_.SetCurrentTitle(title);
    }
    events_.TitleChange(title);
}

void WebBrowser::OnLoadFinished() {
    KeepAlive alive(*this);
    if (!titleSeen_) {
        events_.TitleChange(title_);
    }
    history_.Add(location_, title_, {});
    if (!location_.starts_with("about:")) {
        UrlHistoryStore().AddLater(location_, title_);
    }
    events_.ProgressChange(kProgressMax, kProgressMax);
    events_.ProgressChange(-1, kProgressMax);
    events_.StatusTextChange("");
    events_.DownloadComplete();
    busy_ = false;
    events_.DocumentComplete(Self(), location_);
}

void WebBrowser::OnLoadFailed(const std::string& address, LONG status) {
    KeepAlive alive(*this);
    const std::string shown = ControlAddressOf(address);
    if (events_.NavigateError(Self(), shown, "", status) || engine_ == nullptr) {
        OnLoadStopped();
        return;
    }
    showingErrorPage_ = true;
    engine_->ShowErrorPage(address, GbkToUtf8(ErrorPage(shown)));
}

void WebBrowser::OnLoadStopped() {
    KeepAlive alive(*this);
    showingErrorPage_ = false;
    events_.ProgressChange(-1, kProgressMax);
    events_.DownloadComplete();
    busy_ = false;
}

void WebBrowser::OnHoveredLink(const std::string& address) {
    events_.StatusTextChange(address.empty() ? "" : ControlAddressOf(address));
}

void WebBrowser::OnPageStatus(const std::string& text) {
    events_.StatusTextChange(Utf8ToGbk(text));
}

void WebBrowser::OnHistoryState(bool canGoBack, bool canGoForward) {
    KeepAlive alive(*this);
    if (canGoForward != canGoForward_) {
        canGoForward_ = canGoForward;
        events_.CommandStateChange(CSC_NAVIGATEFORWARD, canGoForward);
    }
    if (canGoBack != canGoBack_) {
        canGoBack_ = canGoBack;
        events_.CommandStateChange(CSC_NAVIGATEBACK, canGoBack);
    }
}

}  // namespace platform::webcontrol
