#include "platform/webcontrol/WebBrowser.h"

#include <algorithm>

#include "platform/com/ComRuntime.h"
#include "platform/screen/ScreenApi.h"
#include "platform/time/Clock.h"
#include "platform/web/WebAddress.h"
#include "platform/webcontrol/AutomationText.h"
#include "platform/webcontrol/EngineAddress.h"
#include "platform/webcontrol/FrameBrowser.h"
#include "platform/webcontrol/HtmlDocumentObject.h"
#include "platform/webcontrol/PageFetcher.h"
#include "platform/webcontrol/UrlHistoryStore.h"
#include "platform/windows/WindowApi.h"
#include "platform/windows/WindowPlatform.h"

namespace platform::webcontrol {

namespace {

constexpr UINT kRunNavigationsMessage = WM_USER + 0x100;
constexpr UINT_PTR kPageTimer = 1;

// Addresses without a scheme are typed host names, as the original control takes them.
std::string AddressOf(const std::string& url) {
    std::string canonical = web::CanonicalAddress(url);
    if (canonical.empty()) {
        return "about:blank";
    }
    size_t colon = canonical.find(':');
    bool hasScheme = colon != std::string::npos && colon >= 2 &&
                     std::all_of(canonical.begin(), canonical.begin() + colon, [](char c) {
                         return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                                (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
                     });
    return hasScheme ? canonical : "http://" + canonical;
}

ATOM RegisterControlClass(WNDPROC procedure) {
    static const ATOM atom = [procedure] {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = procedure;
        windowClass.lpszClassName = WebBrowser::kWindowClass;
        windowClass.hbrBackground =
            reinterpret_cast<HBRUSH>(static_cast<intptr_t>(COLOR_WINDOW + 1));
        return RegisterSystemClass(windowClass);
    }();
    return atom;
}

}  // namespace

std::string WebBrowser::ErrorPage(const std::string& address) {
    return "<html><head><title>无法显示网页</title></head><body><p>无法显示网页</p><p>" + address +
           "</p></body></html>";
}

WebBrowser::WebBrowser()
    : connectionPoint_(this, DIID_DWebBrowserEvents2), events_(connectionPoint_) {}

WebBrowser::~WebBrowser() {
    DestroyControlWindow();
    ReleaseEngineFrames();
    DropLoadingFrames();
    if (page_ != nullptr) {
        ForgetDocuments(*page_);
        ForgetFrames(*page_);
    }
    if (external_ != nullptr) {
        external_->Release();
    }
    if (site_ != nullptr) {
        site_->Release();
    }
}

template <typename Interface>
Interface* WebBrowser::SiteInterface() const {
    Interface* found = nullptr;
    if (site_ != nullptr &&
        FAILED(site_->QueryInterface(Interface::kIid, reinterpret_cast<void**>(&found)))) {
        found = nullptr;
    }
    return found;
}

template IDocHostUIHandler* WebBrowser::SiteInterface<IDocHostUIHandler>() const;
template IOleCommandTarget* WebBrowser::SiteInterface<IOleCommandTarget>() const;
template IServiceProvider* WebBrowser::SiteInterface<IServiceProvider>() const;

// The window.

void WebBrowser::CreateControlWindow(HWND parent, const RECT& position) {
    RegisterControlClass(&WindowProcedure);
    hwnd_ = CreateWindowExA(0, kWindowClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                            position.left, position.top, position.right - position.left,
                            position.bottom - position.top, parent, nullptr, nullptr, nullptr);
    if (hwnd_ == nullptr) {
        return;
    }
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    if (WebEngineFactory make = CurrentWebEngineFactory()) {
        engine_ = make(hwnd_, *this);
        PlaceEngine();
    }
    if (!pending_.empty()) {
        Schedule();
    }
    ArmPageTimer();
}

void WebBrowser::DestroyControlWindow() {
    if (hwnd_ == nullptr) {
        return;
    }
    HWND window = hwnd_;
    hwnd_ = nullptr;
    engine_.reset();
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
}

void WebBrowser::PlaceEngine() {
    if (engine_ == nullptr || hwnd_ == nullptr) {
        return;
    }
    const HWND topLevel = GetAncestor(hwnd_, GA_ROOT);
    RECT window{};
    RECT control{};
    GetWindowRect(topLevel, &window);
    GetWindowRect(hwnd_, &control);
    const RECT place{control.left - window.left, control.top - window.top,
                     control.right - window.left, control.bottom - window.top};
    engine_->Place(topLevel, place, IsWindowVisible(hwnd_) != FALSE);
}

LRESULT CALLBACK WebBrowser::WindowProcedure(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    auto* browser = reinterpret_cast<WebBrowser*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (browser == nullptr) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        browser->hwnd_ = nullptr;
        browser->engine_.reset();
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    KeepAlive alive(*browser);
    return browser->OnMessage(message, wParam, lParam);
}

LRESULT WebBrowser::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    int x = GET_X_LPARAM(lParam);
    int y = GET_Y_LPARAM(lParam);
    bool interactive = page_ != nullptr && hasDocument_ && page_->complete();
    switch (message) {
        case kRunNavigationsMessage:
            RunPendingNavigations();
            return 0;
        case WM_TIMER:
            if (wParam != kPageTimer) {
                break;
            }
            KillTimer(hwnd_, kPageTimer);
            SyncPageClock();
            ArmPageTimer();
            return 0;
        case WM_MOUSEMOVE:
            if (interactive) {
                SyncPageClock();
                page_->MouseMove(x, y);
                ArmPageTimer();
            }
            return 0;
        case WM_LBUTTONUP:
            if (interactive) {
                SyncPageClock();
                page_->Click(x, y);
                ArmPageTimer();
            }
            return 0;
        case WM_WINDOWPOSCHANGED:
            PlaceEngine();
            break;
        case WM_SIZE:
            if (page_ != nullptr) {
                page_->SetWidth(LOWORD(lParam));
            }
            return 0;
        case WM_RBUTTONUP:
            if (IDocHostUIHandler* handler = SiteInterface<IDocHostUIHandler>()) {
                POINT point{x, y};
                ClientToScreen(hwnd_, &point);
                handler->ShowContextMenu(CONTEXT_MENU_DEFAULT, &point, nullptr, nullptr);
                handler->Release();
            }
            return 0;
        default:
            break;
    }
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

// Navigation.

web::Page& WebBrowser::EnsurePage() {
    if (page_ == nullptr) {
        web::PageOptions options;
        RECT client{};
        if (hwnd_ != nullptr && GetClientRect(hwnd_, &client) && client.right > 0) {
            options.width = client.right;
        }
        options.textSize = textSize_;
        page_ = std::make_unique<web::Page>(static_cast<web::PageHost&>(*this), options);
        clockSynced_ = MonotonicNow();
    }
    return *page_;
}

HRESULT WebBrowser::StartNavigation(std::string url, web::Page* frame,
                                    std::optional<uint64_t> travelEntry) {
    KeepAlive alive(*this);
    if (frame == page_.get()) {
        frame = nullptr;
    }
    DocumentLinkPtr frameLink;
    IDispatch* target = Self();
    std::string frameName;
    if (frame != nullptr) {
        FrameBrowser* browser = FrameOf(*frame);
        frameLink = browser->link();
        frameName = frame->frameName();
        target = browser;
    }
    // A sink may leave the page while it looks at the navigation, and the frame's object with it.
    target->AddRef();
    bool cancelled = events_.BeforeNavigate2(target, url, frameName);
    target->Release();
    if (cancelled) {
        return S_OK;
    }
    if (frame == nullptr) {
        // A new top-level navigation replaces one that has not started yet.
        std::erase_if(pending_, [](const PendingNavigation& waiting) {
            return waiting.frame == nullptr && !waiting.refresh;
        });
        busy_ = true;
    }
    pending_.push_back({std::move(url), std::move(frameLink), travelEntry, false});
    Schedule();
    return S_OK;
}

void WebBrowser::Schedule() {
    if (hwnd_ != nullptr) {
        PostMessageA(hwnd_, kRunNavigationsMessage, 0, 0);
    } else {
        RunPendingNavigations();
    }
}

void WebBrowser::RunPendingNavigations() {
    if (running_) {
        return;
    }
    KeepAlive alive(*this);
    running_ = true;
    while (!pending_.empty()) {
        PendingNavigation navigation = std::move(pending_.front());
        pending_.pop_front();
        if (navigation.refresh) {
            RunRefresh();
        } else if (navigation.frame != nullptr) {
            RunFrameNavigation(navigation);
        } else {
            RunNavigation(std::move(navigation));
        }
    }
    running_ = false;
    ArmPageTimer();
}

void WebBrowser::RunNavigation(PendingNavigation navigation) {
    std::string address = AddressOf(navigation.url);
    if (engine_ != nullptr) {
        engine_->Load(EngineAddressOf(address));
        return;
    }
    web::Page& page = EnsurePage();
    events_.DownloadBegin();
    events_.StatusTextChange(address);
    events_.ProgressChange(0, kProgressMax);
    FetchResult fetched = FetchAddress(address);
    if (!fetched.ok) {
        if (events_.NavigateError(Self(), address, "", fetched.status)) {
            events_.ProgressChange(-1, kProgressMax);
            events_.DownloadComplete();
            busy_ = !pending_.empty();
            return;
        }
        fetched.bytes = ErrorPage(address);
    }
    SyncPageClock();
    ForgetDocuments(page);
    ForgetFrames(page);
    if (external_ != nullptr) {
        external_->Release();
        external_ = nullptr;
    }
    location_ = web::CanonicalAddress(address);
    hasDocument_ = true;
    events_.NavigateComplete2(Self(), location_);
    page.SetCharset("");
    page.Load(fetched.bytes, address);
    std::vector<web::Page*> frames;
    AttachLoadedFrames(page, frames);
    DropLoadingFrames();
    location_ = page.document().address();
    std::string title = page.document().Title();
    title_ = title.empty() ? location_ : title;
    events_.TitleChange(title_);
    RecordVisit(location_, navigation);
    events_.ProgressChange(kProgressMax, kProgressMax);
    events_.ProgressChange(-1, kProgressMax);
    events_.StatusTextChange("");
    events_.DownloadComplete();
    busy_ = !pending_.empty();
    for (web::Page* frame : frames) {
        events_.DocumentComplete(FrameOf(*frame), frame->document().address());
    }
    events_.DocumentComplete(Self(), location_);
    bool leaving = std::any_of(pending_.begin(), pending_.end(), [](const auto& waiting) {
        return waiting.frame == nullptr && !waiting.refresh;
    });
    if (navigation.travelEntry && !leaving) {
        if (std::optional<TravelLog::Entry> entry = history_.Find(*navigation.travelEntry)) {
            RestoreFrames(*entry);
        }
    }
}

void WebBrowser::RunFrameNavigation(const PendingNavigation& navigation) {
    web::Page* framePage = navigation.frame->page;
    if (framePage == nullptr) {
        return;
    }
    FrameBrowser* frame = FrameOf(*framePage);
    std::string address = AddressOf(navigation.url);
    events_.DownloadBegin();
    FetchResult fetched = FetchAddress(address);
    if (!fetched.ok) {
        if (events_.NavigateError(frame, address, framePage->frameName(), fetched.status)) {
            events_.DownloadComplete();
            return;
        }
        fetched.bytes = ErrorPage(address);
    }
    SyncPageClock();
    ForgetDocuments(*framePage);
    ForgetFrames(*framePage);
    events_.NavigateComplete2(frame, web::CanonicalAddress(address));
    framePage->Load(fetched.bytes, address);
    std::vector<web::Page*> inner;
    AttachLoadedFrames(*framePage, inner);
    DropLoadingFrames();
    if (!navigation.travelEntry || !history_.MoveTo(*navigation.travelEntry)) {
        history_.Add(location_, title_, FrameAddresses());
    }
    events_.DownloadComplete();
    for (web::Page* page : inner) {
        events_.DocumentComplete(FrameOf(*page), page->document().address());
    }
    events_.DocumentComplete(frame, framePage->document().address());
}

void WebBrowser::RunRefresh() {
    if (engine_ != nullptr) {
        engine_->Reload();
        return;
    }
    if (page_ == nullptr || !hasDocument_) {
        return;
    }
    events_.DownloadBegin();
    FetchResult fetched = FetchAddress(location_);
    SyncPageClock();
    ForgetDocuments(*page_);
    ForgetFrames(*page_);
    if (fetched.ok) {
        page_->Load(fetched.bytes, location_);
    } else {
        page_->Reload();
    }
    std::vector<web::Page*> frames;
    AttachLoadedFrames(*page_, frames);
    DropLoadingFrames();
    std::string title = page_->document().Title();
    title_ = title.empty() ? location_ : title;
    history_.SetCurrentTitle(title_);
    events_.TitleChange(title_);
    events_.ProgressChange(-1, kProgressMax);
    events_.DownloadComplete();
}

void WebBrowser::RecordVisit(const std::string& address, const PendingNavigation& navigation) {
    if (navigation.travelEntry && history_.MoveTo(*navigation.travelEntry)) {
        history_.SetCurrentTitle(title_);
    } else {
        history_.Add(address, title_, FrameAddresses());
    }
    if (!address.starts_with("about:")) {
        UrlHistoryStore().AddLater(address, title_);
    }
}

HRESULT WebBrowser::TravelToEntry(uint64_t id) {
    std::optional<TravelLog::Entry> entry = history_.Find(id);
    if (!entry) {
        return E_INVALIDARG;
    }
    if (engine_ != nullptr) {
        // The log mirrors the engine's history: the entry is as many steps away in both.
        const int limit = static_cast<int>(TravelLog::kMaxEntries);
        for (int steps = -limit; steps <= limit; ++steps) {
            std::optional<TravelLog::Entry> there = history_.Relative(steps);
            if (there && there->id == id) {
                engine_->Travel(steps);
                return S_OK;
            }
        }
    }
    if (hasDocument_ && entry->url == location_ && RestoreFrames(*entry)) {
        return S_OK;
    }
    return StartNavigation(entry->url, nullptr, id);
}

bool WebBrowser::RestoreFrames(const TravelLog::Entry& entry) {
    std::vector<web::Page*> frames = FramePages();
    if (frames.size() != entry.frames.size()) {
        return false;
    }
    // Links rather than pages: each navigation's events may take the pages after it away.
    std::vector<std::pair<DocumentLinkPtr, std::string>> moves;
    for (size_t i = 0; i < frames.size(); ++i) {
        if (frames[i]->document().address() != entry.frames[i]) {
            moves.emplace_back(FrameOf(*frames[i])->link(), entry.frames[i]);
        }
    }
    for (auto& [link, address] : moves) {
        if (link->page != nullptr) {
            StartNavigation(address, link->page, entry.id);
        }
    }
    return !moves.empty();
}

std::vector<web::Page*> WebBrowser::FramePages() const {
    std::vector<web::Page*> pages;
    auto collect = [&pages](auto& self, const web::Page& page) -> void {
        for (const auto& frame : page.frames()) {
            pages.push_back(frame.get());
            self(self, *frame);
        }
    };
    if (page_ != nullptr) {
        collect(collect, *page_);
    }
    return pages;
}

std::vector<std::string> WebBrowser::FrameAddresses() const {
    std::vector<std::string> addresses;
    for (web::Page* frame : FramePages()) {
        addresses.push_back(frame->document().address());
    }
    return addresses;
}

void WebBrowser::OpenNewWindow(const std::string& address) {
    KeepAlive alive(*this);
    IDispatch* other = nullptr;
    bool cancelled = events_.NewWindow2(&other);
    if (other == nullptr) {
        return;
    }
    IWebBrowser2* browser = nullptr;
    if (!cancelled &&
        SUCCEEDED(other->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser)))) {
        BSTR url = BstrFromUtf8(address);
        browser->Navigate(url, nullptr, nullptr, nullptr, nullptr);
        SysFreeString(url);
        browser->Release();
    }
    other->Release();
}

web::Page* WebBrowser::FindFrame(web::Page& page, const std::string& name) const {
    std::vector<web::HtmlNode*> elements = page.document().FrameElements();
    const auto& frames = page.frames();
    for (size_t i = 0; i < frames.size() && i < elements.size(); ++i) {
        if (elements[i]->Attribute("name") == name) {
            return frames[i].get();
        }
        if (web::Page* inner = FindFrame(*frames[i], name)) {
            return inner;
        }
    }
    return nullptr;
}

FrameBrowser* WebBrowser::FrameOf(web::Page& page) {
    FrameBrowser*& frame = frames_[&page];
    if (frame == nullptr) {
        auto link = std::make_shared<DocumentLink>();
        link->page = &page;
        link->owner = this;
        frame = new FrameBrowser(std::move(link));
    }
    return frame;
}

void WebBrowser::AttachLoadedFrames(web::Page& page, std::vector<web::Page*>& order) {
    for (const auto& frame : page.frames()) {
        if (!loadingFrames_.empty() &&
            web::CanonicalAddress(loadingFrames_.front().address) == frame->document().address()) {
            FrameBrowser* browser = loadingFrames_.front().browser;
            loadingFrames_.pop_front();
            browser->link()->page = frame.get();
            frames_[frame.get()] = browser;
        } else {
            FrameOf(*frame);
        }
        order.push_back(frame.get());
        AttachLoadedFrames(*frame, order);
    }
}

void WebBrowser::DropLoadingFrames() {
    for (LoadingFrame& frame : loadingFrames_) {
        frame.browser->Release();
    }
    loadingFrames_.clear();
}

void WebBrowser::ForgetDocuments(web::Page& page) {
    if (selected_ == &page) {
        selected_ = nullptr;
    }
    auto found = documents_.find(&page);
    if (found != documents_.end()) {
        found->second.link->page = nullptr;
        found->second.link->owner = nullptr;
        found->second.document->Release();
        documents_.erase(found);
    }
    for (const auto& frame : page.frames()) {
        ForgetDocuments(*frame);
    }
}

void WebBrowser::ForgetFrames(web::Page& page) {
    for (const auto& frame : page.frames()) {
        ForgetFrames(*frame);
        auto found = frames_.find(frame.get());
        if (found != frames_.end()) {
            found->second->link()->page = nullptr;
            found->second->link()->owner = nullptr;
            found->second->Release();
            frames_.erase(found);
        }
    }
}

// The page's clock.

void WebBrowser::SyncPageClock() {
    std::chrono::milliseconds now = MonotonicNow();
    std::chrono::milliseconds elapsed = now - clockSynced_;
    clockSynced_ = now;
    if (page_ != nullptr && elapsed.count() > 0) {
        page_->AdvanceTime(elapsed.count());
    }
}

void WebBrowser::ArmPageTimer() {
    if (hwnd_ == nullptr || page_ == nullptr) {
        return;
    }
    std::optional<int64_t> delay = page_->NextTimerDelay();
    if (!delay) {
        KillTimer(hwnd_, kPageTimer);
        return;
    }
    int64_t elapsed = (MonotonicNow() - clockSynced_).count();
    int64_t wait = std::clamp<int64_t>(*delay - elapsed, 1, 0x7FFFFFFF);
    SetTimer(hwnd_, kPageTimer, static_cast<UINT>(wait), nullptr);
}

}  // namespace platform::webcontrol
