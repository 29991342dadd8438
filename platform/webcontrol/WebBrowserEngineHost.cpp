// The control's events from what the desktop's engine reports, in the order and with the
// addresses of the control's own engine.
#include <utility>

#include "platform/text/Encoding.h"
#include "platform/webcontrol/EngineAddress.h"
#include "platform/webcontrol/FrameBrowser.h"
#include "platform/webcontrol/UrlHistoryStore.h"
#include "platform/webcontrol/WebBrowser.h"

namespace platform::webcontrol {

bool WebBrowser::OnBeforeNavigate(const std::string& address) {
    KeepAlive alive(*this);
    const bool cancelled = events_.BeforeNavigate2(Self(), ControlAddressOf(address), "");
    busy_ = busy_ || !cancelled;
    return cancelled;
}

void WebBrowser::OnLoadStarted(const std::string& address, bool reload) {
    KeepAlive alive(*this);
    // A refresh raises only the download events and the title, as the control's own engine
    // does: no navigation, no new entry in the travel log or the URL history.
    refreshing_ = reload && hasDocument_;
    loadingTop_ = true;
    if (refreshing_) {
        titleSeen_ = false;
        events_.DownloadBegin();
        return;
    }
    busy_ = true;
    // The error page follows the failed load's own start.
    if (showingErrorPage_) {
        return;
    }
    events_.DownloadBegin();
    events_.StatusTextChange(ControlAddressOf(address));
    events_.ProgressChange(0, kProgressMax);
}

void WebBrowser::OnLoadCommitted(const std::string& address) {
    KeepAlive alive(*this);
    ReleaseEngineFrames();
    titleSeen_ = false;
    hasDocument_ = true;
    location_ = ControlAddressOf(address);
    // The refreshed page keeps its title until it names another.
    if (refreshing_) {
        return;
    }
    showingErrorPage_ = false;
    title_ = location_;
    events_.NavigateComplete2(Self(), location_);
}

void WebBrowser::OnProgress(double done) {
    if (busy_ && !refreshing_ && done >= 0 && done < 1) {
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
    if (refreshing_) {
        EndRefresh();
        return;
    }
    if (!titleSeen_) {
        events_.TitleChange(title_);
    }
    // The travel log follows the engine's history (OnHistory).
    if (!location_.starts_with("about:")) {
        UrlHistoryStore().AddLater(location_, title_);
    }
    events_.ProgressChange(kProgressMax, kProgressMax);
    events_.ProgressChange(-1, kProgressMax);
    events_.StatusTextChange("");
    events_.DownloadComplete();
    busy_ = false;
    loadingTop_ = false;
    // The frames' documents, as they finished, then the top document.
    for (const std::string& frame : std::exchange(finishedFrames_, {})) {
        auto found = engineFrames_.find(frame);
        if (found == engineFrames_.end()) {
            continue;
        }
        FrameBrowser* browser = found->second.browser;
        const std::string address = found->second.address;
        browser->AddRef();
        events_.DocumentComplete(browser, address);
        browser->Release();
    }
    events_.DocumentComplete(Self(), location_);
}

void WebBrowser::OnLoadFailed(const std::string& address, LONG status) {
    KeepAlive alive(*this);
    // A refresh that fails leaves the page shown, as the control's own engine shows it again.
    if (refreshing_) {
        EndRefresh();
        return;
    }
    loadingTop_ = false;
    const std::string shown = ControlAddressOf(address);
    if (events_.NavigateError(Self(), shown, "", status) || engine_ == nullptr) {
        OnLoadStopped();
        return;
    }
    showingErrorPage_ = true;
    engine_->ShowErrorPage(address, GbkToUtf8(ErrorPage(shown)));
}

void WebBrowser::EndRefresh() {
    refreshing_ = false;
    loadingTop_ = false;
    finishedFrames_.clear();
    // The frames loading again were asked as navigations, which made the control busy.
    busy_ = false;
    if (!titleSeen_) {
        events_.TitleChange(title_);
    }
    history_.SetCurrentTitle(title_);
    events_.ProgressChange(-1, kProgressMax);
    events_.DownloadComplete();
}

void WebBrowser::OnLoadStopped() {
    KeepAlive alive(*this);
    showingErrorPage_ = false;
    refreshing_ = false;
    loadingTop_ = false;
    events_.ProgressChange(-1, kProgressMax);
    events_.DownloadComplete();
    busy_ = false;
}

void WebBrowser::OnFrameCommitted(const std::string& frame, const std::string& address) {
    KeepAlive alive(*this);
    auto link = std::make_shared<DocumentLink>();
    link->owner = this;
    auto* browser = new FrameBrowser(std::move(link));
    const std::string shown = ControlAddressOf(address);
    EngineFrame& entry = engineFrames_[frame];
    if (entry.browser != nullptr) {
        entry.browser->Release();
    }
    entry = {browser, shown};
    // A refresh raises no frame's events.
    if (refreshing_) {
        return;
    }
    browser->AddRef();
    // A frame navigating on its own, after the top document loaded.
    if (!loadingTop_) {
        events_.DownloadBegin();
    }
    events_.NavigateComplete2(browser, shown);
    browser->Release();
}

void WebBrowser::OnFrameFinished(const std::string& frame) {
    KeepAlive alive(*this);
    auto found = engineFrames_.find(frame);
    if (found == engineFrames_.end() || refreshing_) {
        return;
    }
    if (loadingTop_) {
        finishedFrames_.push_back(frame);
        return;
    }
    FrameBrowser* browser = found->second.browser;
    const std::string address = found->second.address;
    browser->AddRef();
    events_.DownloadComplete();
    // The frame's navigation was asked as the top document's, which made the control busy.
    busy_ = false;
    events_.DocumentComplete(browser, address);
    browser->Release();
}

void WebBrowser::ReleaseEngineFrames() {
    for (auto& [name, frame] : engineFrames_) {
        frame.browser->Release();
    }
    engineFrames_.clear();
    finishedFrames_.clear();
}

void WebBrowser::OnOpenWindow(const std::string& address) {
    OpenNewWindow(ControlAddressOf(address));
}

void WebBrowser::OnCloseRequested() {
    KeepAlive alive(*this);
    OnWindowClose();
}

void WebBrowser::OnHoveredLink(const std::string& address) {
    events_.StatusTextChange(address.empty() ? "" : ControlAddressOf(address));
}

void WebBrowser::OnHistory(const std::vector<EngineHistoryEntry>& entries, size_t current) {
    KeepAlive alive(*this);
    std::vector<TravelLog::Entry> mirrored;
    mirrored.reserve(entries.size());
    for (const EngineHistoryEntry& entry : entries) {
        std::string address = ControlAddressOf(entry.address);
        std::string title = entry.title.empty() ? address : entry.title;
        mirrored.push_back({0, std::move(address), std::move(title), {}});
    }
    history_.Follow(std::move(mirrored), current);
    const bool canGoBack = history_.Relative(-1).has_value();
    const bool canGoForward = history_.Relative(1).has_value();
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
