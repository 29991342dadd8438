#include "platform/display/WebKitView.h"

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/display/GtkPresenter.h"
#include "platform/internet/UrlDownload.h"
#include "platform/windows/DesktopSync.h"
#include "platform/windows/WindowApi.h"

namespace platform {

using webcontrol::WebEngineHost;

struct WebKitView::Reporter {
    // Cleared on the control's thread as the control lets go of its engine; reports that arrive
    // later are dropped.
    WebEngineHost* host = nullptr;
};

struct WebKitView::View {
    HWND control = nullptr;
    std::shared_ptr<Reporter> reporter;
    // Null once GTK destroyed it (its window went first).
    WebKitWebView* web = nullptr;
    GtkWidget* layer = nullptr;
    HWND topLevel = nullptr;
    // In the top-level window's coordinates: the control, and the part of it its parents show,
    // where the view lies. A page cut at its left or top edge by a parent lays out in the part
    // shown: WebKit draws nothing in a view larger than the GTK window that holds it.
    RECT rect{};
    RECT clip{};
    bool visible = false;
    // The address the control asked for: its navigation was let through already.
    std::string asked;
    // The next load is the Reload the control asked for.
    bool reloading = false;
    bool failed = false;
    // The server answered the page with an error status, reported already: the failure of the
    // refused response is not the page's.
    bool refused = false;
    std::string hovered;
};

namespace {

GtkPresenter* presenter = nullptr;
// The views on the GTK thread; only that thread touches it.
std::set<std::shared_ptr<WebKitView::View>>* views = nullptr;

void OnGtkThread(std::function<void()> task) {
    g_idle_add_full(
        G_PRIORITY_DEFAULT,
        [](gpointer data) -> gboolean {
            (*static_cast<std::function<void()>*>(data))();
            return G_SOURCE_REMOVE;
        },
        new std::function<void()>(std::move(task)),
        [](gpointer data) { delete static_cast<std::function<void()>*>(data); });
}

// Hands an event to the control's thread; false when the control's window is gone.
bool Report(const WebKitView::View& view, std::function<void(WebEngineHost&)> event) {
    return RunOnWindowThread(view.control, [reporter = view.reporter, event = std::move(event)] {
        if (reporter->host != nullptr) {
            event(*reporter->host);
        }
    });
}

std::string Text(const char* text) {
    return text != nullptr ? text : "";
}

// One profile for every control of every program of the family.
WebKitWebContext* SharedContext() {
    static WebKitWebContext* context = [] {
        const std::string data = Text(g_get_user_data_dir()) + "/larchway/web";
        const std::string cache = Text(g_get_user_cache_dir()) + "/larchway/web";
        WebKitWebsiteDataManager* manager = webkit_website_data_manager_new(
            "base-data-directory", data.c_str(), "base-cache-directory", cache.c_str(), nullptr);
        webkit_cookie_manager_set_persistent_storage(
            webkit_website_data_manager_get_cookie_manager(manager),
            (data + "/cookies.sqlite").c_str(), WEBKIT_COOKIE_PERSISTENT_STORAGE_SQLITE);
        WebKitWebContext* made = webkit_web_context_new_with_website_data_manager(manager);
        g_object_unref(manager);
        return made;
    }();
    return context;
}

bool SameAddress(const std::string& asked, const std::string& requested) {
    // WebKit writes a host's root with its slash.
    return asked == requested || asked + "/" == requested;
}

void ReportHistory(WebKitWebView* web, WebKitView::View* view) {
    WebKitBackForwardList* list = webkit_web_view_get_back_forward_list(web);
    GList* back = webkit_back_forward_list_get_back_list(list);
    GList* forward = webkit_back_forward_list_get_forward_list(list);
    const int first = -static_cast<int>(g_list_length(back));
    const int last = static_cast<int>(g_list_length(forward));
    g_list_free(back);
    g_list_free(forward);
    std::vector<webcontrol::EngineHistoryEntry> entries;
    for (int index = first; index <= last; ++index) {
        if (WebKitBackForwardListItem* item = webkit_back_forward_list_get_nth_item(list, index)) {
            entries.push_back({Text(webkit_back_forward_list_item_get_uri(item)),
                               Text(webkit_back_forward_list_item_get_title(item))});
        }
    }
    // Before the first page commits the list is empty, and nothing is shown.
    const size_t current = entries.empty() ? 0 : static_cast<size_t>(-first);
    Report(*view, [entries = std::move(entries), current](WebEngineHost& host) {
        host.OnHistory(entries, current);
    });
}

// The server's error status for the page (400 and above) fails its load as the control's own
// engine fails it, where WebKit would show the server's page.
gboolean OnResponse(WebKitResponsePolicyDecision* decision, WebKitView::View* view) {
    if (!webkit_response_policy_decision_is_main_frame_main_resource(decision)) {
        return FALSE;
    }
    WebKitURIResponse* response = webkit_response_policy_decision_get_response(decision);
    const guint status = webkit_uri_response_get_status_code(response);
    const std::string address = Text(webkit_uri_response_get_uri(response));
    if (status < 400 || !(address.starts_with("http:") || address.starts_with("https:"))) {
        return FALSE;
    }
    view->refused = true;
    Report(*view, [address, status](WebEngineHost& host) {
        host.OnLoadFailed(address, static_cast<LONG>(status));
    });
    webkit_policy_decision_ignore(WEBKIT_POLICY_DECISION(decision));
    return TRUE;
}

gboolean OnPolicy(WebKitWebView*, WebKitPolicyDecision* decision, WebKitPolicyDecisionType type,
                  WebKitView::View* view) {
    if (type == WEBKIT_POLICY_DECISION_TYPE_RESPONSE) {
        return OnResponse(WEBKIT_RESPONSE_POLICY_DECISION(decision), view);
    }
    // New windows keep WebKit's own answer.
    if (type != WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION) {
        return FALSE;
    }
    WebKitNavigationAction* action = webkit_navigation_policy_decision_get_navigation_action(
        WEBKIT_NAVIGATION_POLICY_DECISION(decision));
    const std::string address =
        Text(webkit_uri_request_get_uri(webkit_navigation_action_get_request(action)));
    const std::string asked = std::exchange(view->asked, std::string());
    if (webkit_navigation_action_is_redirect(action) || SameAddress(asked, address)) {
        webkit_policy_decision_use(decision);
        return TRUE;
    }
    g_object_ref(decision);
    const bool reported = Report(*view, [decision, address](WebEngineHost& host) {
        const bool cancelled = host.OnBeforeNavigate(address);
        OnGtkThread([decision, cancelled] {
            if (cancelled) {
                webkit_policy_decision_ignore(decision);
            } else {
                webkit_policy_decision_use(decision);
            }
            g_object_unref(decision);
        });
    });
    if (!reported) {
        webkit_policy_decision_ignore(decision);
        g_object_unref(decision);
    }
    return TRUE;
}

void OnLoadChanged(WebKitWebView* web, WebKitLoadEvent event, WebKitView::View* view) {
    const std::string address = Text(webkit_web_view_get_uri(web));
    switch (event) {
        case WEBKIT_LOAD_STARTED: {
            view->failed = false;
            const bool reload = std::exchange(view->reloading, false);
            Report(*view,
                   [address, reload](WebEngineHost& host) { host.OnLoadStarted(address, reload); });
            break;
        }
        case WEBKIT_LOAD_COMMITTED:
            Report(*view, [address](WebEngineHost& host) { host.OnLoadCommitted(address); });
            ReportHistory(web, view);
            break;
        case WEBKIT_LOAD_FINISHED:
            if (!std::exchange(view->failed, false)) {
                Report(*view, [](WebEngineHost& host) { host.OnLoadFinished(); });
            }
            ReportHistory(web, view);
            break;
        default:
            break;
    }
}

LONG StatusOf(const GError* error) {
    if ((error->domain == WEBKIT_NETWORK_ERROR &&
         error->code == WEBKIT_NETWORK_ERROR_FILE_DOES_NOT_EXIST) ||
        g_error_matches(error, G_IO_ERROR, G_IO_ERROR_NOT_FOUND)) {
        return INET_E_RESOURCE_NOT_FOUND;
    }
    if (error->domain == WEBKIT_NETWORK_ERROR &&
        error->code == WEBKIT_NETWORK_ERROR_UNKNOWN_PROTOCOL) {
        return INET_E_UNKNOWN_PROTOCOL;
    }
    if (error->domain == WEBKIT_POLICY_ERROR) {
        return INET_E_DOWNLOAD_FAILURE;
    }
    return INET_E_CANNOT_CONNECT;
}

gboolean OnLoadFailed(WebKitWebView*, WebKitLoadEvent, const char* failing, GError* error,
                      WebKitView::View* view) {
    view->failed = true;
    if (std::exchange(view->refused, false)) {
        return TRUE;
    }
    // A stop, or another navigation in its place, or a response WebKit hands to a download:
    // no error of the page's.
    const bool stopped =
        (error->domain == WEBKIT_NETWORK_ERROR && error->code == WEBKIT_NETWORK_ERROR_CANCELLED) ||
        (error->domain == WEBKIT_POLICY_ERROR &&
         error->code == WEBKIT_POLICY_ERROR_FRAME_LOAD_INTERRUPTED_BY_POLICY_CHANGE);
    if (stopped) {
        Report(*view, [](WebEngineHost& host) { host.OnLoadStopped(); });
    } else {
        const std::string address = Text(failing);
        const LONG status = StatusOf(error);
        Report(*view,
               [address, status](WebEngineHost& host) { host.OnLoadFailed(address, status); });
    }
    // The control shows its own error page, or none when a sink cancelled.
    return TRUE;
}

void OnTitle(WebKitWebView* web, GParamSpec*, WebKitView::View* view) {
    const std::string title = Text(webkit_web_view_get_title(web));
    Report(*view, [title](WebEngineHost& host) { host.OnTitle(title); });
}

void OnProgress(WebKitWebView* web, GParamSpec*, WebKitView::View* view) {
    const double done = webkit_web_view_get_estimated_load_progress(web);
    Report(*view, [done](WebEngineHost& host) { host.OnProgress(done); });
}

void OnMouseTarget(WebKitWebView*, WebKitHitTestResult* hit, guint, WebKitView::View* view) {
    std::string link;
    if (webkit_hit_test_result_context_is_link(hit)) {
        link = Text(webkit_hit_test_result_get_link_uri(hit));
    }
    if (link != view->hovered) {
        view->hovered = link;
        Report(*view, [link](WebEngineHost& host) { host.OnHoveredLink(link); });
    }
}

// A window the page opens is the control's to make: its sinks hand back the control that shows it.
GtkWidget* OnCreate(WebKitWebView*, WebKitNavigationAction* action, WebKitView::View* view) {
    const std::string address =
        Text(webkit_uri_request_get_uri(webkit_navigation_action_get_request(action)));
    Report(*view, [address](WebEngineHost& host) { host.OnOpenWindow(address); });
    return nullptr;
}

void OnClose(WebKitWebView*, WebKitView::View* view) {
    Report(*view, [](WebEngineHost& host) { host.OnCloseRequested(); });
}

// window.status reports what a page script sets through a message of its own (WebKit shows no
// status text): the manager's menu page tells its links apart that way.
constexpr char kStatusChannel[] = "platformStatus";
constexpr char kStatusScript[] =
    "(function() {"
    "  var text = '';"
    "  Object.defineProperty(window, 'status', {configurable: true,"
    "    get: function() { return text; },"
    "    set: function(value) {"
    "      text = String(value);"
    "      window.webkit.messageHandlers.platformStatus.postMessage(text);"
    "    }});"
    "})();";

void OnStatusMessage(WebKitUserContentManager*, WebKitJavascriptResult* result,
                     WebKitView::View* view) {
    JSCValue* value = webkit_javascript_result_get_js_value(result);
    char* text = jsc_value_to_string(value);
    const std::string status = Text(text);
    g_free(text);
    Report(*view, [status](WebEngineHost& host) { host.OnPageStatus(status); });
}

gboolean OnPress(GtkWidget* widget, GdkEvent*, WebKitView::View*) {
    gtk_widget_grab_focus(widget);
    return FALSE;
}

void OnDestroyed(GtkWidget*, WebKitView::View* view) {
    view->web = nullptr;
    view->layer = nullptr;
}

gboolean OnChildPosition(GtkOverlay*, GtkWidget* widget, GdkRectangle* place,
                         WebKitView::View* view) {
    if (view->web == nullptr || widget != GTK_WIDGET(view->web)) {
        return FALSE;
    }
    place->x = view->clip.left;
    place->y = view->clip.top;
    place->width = std::max<int>(1, view->clip.right - view->clip.left);
    place->height = std::max<int>(1, view->clip.bottom - view->clip.top);
    return TRUE;
}

// The part of the control its parents' client areas leave visible, in the coordinates of its
// top-level window.
RECT VisiblePart(const WebKitView::View& view) {
    RECT window{};
    if (!GetWindowRect(view.topLevel, &window)) {
        return RECT{};
    }
    RECT visible = view.rect;
    for (HWND parent = GetParent(view.control); parent != nullptr && visible.right > visible.left;
         parent = GetParent(parent)) {
        RECT client{};
        GetClientRect(parent, &client);
        POINT origin{0, 0};
        ClientToScreen(parent, &origin);
        const RECT area{origin.x - window.left, origin.y - window.top,
                        origin.x - window.left + client.right,
                        origin.y - window.top + client.bottom};
        visible = RECT{std::max(visible.left, area.left), std::max(visible.top, area.top),
                       std::min(visible.right, area.right), std::min(visible.bottom, area.bottom)};
        if (parent == view.topLevel) {
            break;
        }
    }
    if (visible.right <= visible.left || visible.bottom <= visible.top) {
        return RECT{};
    }
    return visible;
}

// Puts the view into the layer of its top-level window's GTK window, which the presenter makes
// only once it shows that window, and again when it makes another.
void Attach(WebKitView::View& view) {
    if (view.web == nullptr || presenter == nullptr) {
        return;
    }
    GtkWidget* widget = GTK_WIDGET(view.web);
    GtkWidget* layer = view.topLevel != nullptr ? presenter->ViewLayer(view.topLevel) : nullptr;
    if (layer != view.layer) {
        if (view.layer != nullptr) {
            g_signal_handlers_disconnect_by_data(view.layer, &view);
            gtk_container_remove(GTK_CONTAINER(view.layer), widget);
        }
        view.layer = layer;
        if (layer != nullptr) {
            g_signal_connect(layer, "get-child-position", G_CALLBACK(OnChildPosition), &view);
            gtk_overlay_add_overlay(GTK_OVERLAY(layer), widget);
        }
    }
    view.clip = view.topLevel != nullptr ? VisiblePart(view) : RECT{};
    gtk_widget_set_visible(widget,
                           view.visible && layer != nullptr && view.clip.right > view.clip.left);
    gtk_widget_queue_resize(widget);
}

// The control's place in its top-level window and whether it shows, as the platform has them now;
// false when either window is gone.
bool PlaceNow(const WebKitView::View& view, RECT& place, bool& visible) {
    RECT window{};
    RECT control{};
    if (view.topLevel == nullptr || !GetWindowRect(view.topLevel, &window) ||
        !GetWindowRect(view.control, &control)) {
        return false;
    }
    place = RECT{control.left - window.left, control.top - window.top, control.right - window.left,
                 control.bottom - window.top};
    visible = IsWindowVisible(view.control) != FALSE;
    return true;
}

// A window above the control may have been shown, hidden or moved (a tab's page, the top-level
// window itself) without the control hearing of it: each view takes its control's place and
// visibility as the platform has them now.
void FollowControls() {
    if (views == nullptr) {
        return;
    }
    for (const auto& view : *views) {
        RECT place{};
        bool visible = false;
        if (!PlaceNow(*view, place, visible)) {
            continue;
        }
        const bool moved = place.left != view->rect.left || place.top != view->rect.top ||
                           place.right != view->rect.right || place.bottom != view->rect.bottom;
        if (moved || visible != view->visible || view->layer == nullptr) {
            view->rect = place;
            view->visible = visible;
            Attach(*view);
        }
    }
}

// WebKit reports the loads of the top document only: a script in every frame, in a world of its
// own that the page's scripts cannot reach, reports each frame's document as it starts and as it
// has loaded. About:blank, the empty document a frame holds before its own, is left out.
constexpr char kFrameMessages[] = "larchwayFrames";
constexpr char kFrameWorld[] = "larchway";
constexpr char kFrameScript[] = R"(
if (window !== window.top && location.href !== 'about:blank') {
    const frame = Math.random().toString(36).slice(2);
    const post = (kind) => window.webkit.messageHandlers.larchwayFrames.postMessage(
        kind + '\n' + frame + '\n' + location.href);
    post('committed');
    window.addEventListener('load', () => post('finished'));
})";

void OnFrameMessage(WebKitUserContentManager*, WebKitJavascriptResult* result,
                    WebKitView::View* view) {
    gchar* text = jsc_value_to_string(webkit_javascript_result_get_js_value(result));
    const std::string message = Text(text);
    g_free(text);
    const size_t kindEnd = message.find('\n');
    const size_t frameEnd =
        kindEnd == std::string::npos ? std::string::npos : message.find('\n', kindEnd + 1);
    if (frameEnd == std::string::npos) {
        return;
    }
    const std::string kind = message.substr(0, kindEnd);
    std::string frame = message.substr(kindEnd + 1, frameEnd - kindEnd - 1);
    std::string address = message.substr(frameEnd + 1);
    if (kind == "committed") {
        Report(*view, [frame = std::move(frame), address = std::move(address)](
                          WebEngineHost& host) { host.OnFrameCommitted(frame, address); });
    } else if (kind == "finished") {
        Report(*view,
               [frame = std::move(frame)](WebEngineHost& host) { host.OnFrameFinished(frame); });
    }
}

// The scripts that report what WebKit does not: frames' documents (in a world of their own) and
// window.status (in the page's world, where its scripts set it).
WebKitUserContentManager* PageReporters(WebKitView::View* view) {
    WebKitUserContentManager* content = webkit_user_content_manager_new();
    WebKitUserScript* status =
        webkit_user_script_new(kStatusScript, WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
                               WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, nullptr, nullptr);
    webkit_user_content_manager_add_script(content, status);
    webkit_user_script_unref(status);
    g_signal_connect(content, (std::string("script-message-received::") + kStatusChannel).c_str(),
                     G_CALLBACK(OnStatusMessage), view);
    webkit_user_content_manager_register_script_message_handler(content, kStatusChannel);

    webkit_user_content_manager_register_script_message_handler_in_world(content, kFrameMessages,
                                                                         kFrameWorld);
    g_signal_connect(content, (std::string("script-message-received::") + kFrameMessages).c_str(),
                     G_CALLBACK(OnFrameMessage), view);
    WebKitUserScript* script = webkit_user_script_new_for_world(
        kFrameScript, WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
        WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, kFrameWorld, nullptr, nullptr);
    webkit_user_content_manager_add_script(content, script);
    webkit_user_script_unref(script);
    return content;
}

void CreateWeb(const std::shared_ptr<WebKitView::View>& view) {
    if (views == nullptr) {
        views = new std::set<std::shared_ptr<WebKitView::View>>;
    }
    views->insert(view);
    WebKitView::View* raw = view.get();
    WebKitUserContentManager* content = PageReporters(raw);
    auto* web = WEBKIT_WEB_VIEW(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", SharedContext(),
                                             "user-content-manager", content, nullptr));
    g_object_unref(content);
    g_object_ref_sink(web);
    view->web = web;
    g_signal_connect(web, "decide-policy", G_CALLBACK(OnPolicy), raw);
    g_signal_connect(web, "load-changed", G_CALLBACK(OnLoadChanged), raw);
    g_signal_connect(web, "load-failed", G_CALLBACK(OnLoadFailed), raw);
    g_signal_connect(web, "notify::title", G_CALLBACK(OnTitle), raw);
    g_signal_connect(web, "notify::estimated-load-progress", G_CALLBACK(OnProgress), raw);
    g_signal_connect(web, "mouse-target-changed", G_CALLBACK(OnMouseTarget), raw);
    g_signal_connect(web, "button-press-event", G_CALLBACK(OnPress), raw);
    g_signal_connect(web, "create", G_CALLBACK(OnCreate), raw);
    g_signal_connect(web, "close", G_CALLBACK(OnClose), raw);
    // The control's sinks decide which windows a page's script may open.
    webkit_settings_set_javascript_can_open_windows_automatically(webkit_web_view_get_settings(web),
                                                                  TRUE);
    g_signal_connect(web, "destroy", G_CALLBACK(OnDestroyed), raw);
}

void DestroyWeb(const std::shared_ptr<WebKitView::View>& view) {
    if (views != nullptr) {
        views->erase(view);
    }
    WebKitWebView* web = view->web;
    if (view->layer != nullptr) {
        g_signal_handlers_disconnect_by_data(view->layer, view.get());
    }
    view->web = nullptr;
    view->layer = nullptr;
    if (web != nullptr) {
        g_signal_handlers_disconnect_by_data(web, view.get());
        g_signal_handlers_disconnect_by_data(webkit_web_view_get_user_content_manager(web),
                                             view.get());
        gtk_widget_destroy(GTK_WIDGET(web));
        g_object_unref(web);
    }
}

}  // namespace

void WebKitView::Offer(GtkPresenter* shown) {
    presenter = shown;
    OnGtkThread([shown] { shown->SetWindowsChanged(&FollowControls); });
    if (webcontrol::SetWebEngineFactory != nullptr) {
        webcontrol::SetWebEngineFactory(&WebKitView::Create);
    }
}

void WebKitView::Withdraw() {
    if (webcontrol::SetWebEngineFactory != nullptr) {
        webcontrol::SetWebEngineFactory(nullptr);
    }
}

std::unique_ptr<webcontrol::WebEngine> WebKitView::Create(HWND control, WebEngineHost& host) {
    return std::unique_ptr<webcontrol::WebEngine>(new WebKitView(control, host));
}

WebKitView::WebKitView(HWND control, WebEngineHost& host)
    : reporter_(std::make_shared<Reporter>()), view_(std::make_shared<View>()) {
    reporter_->host = &host;
    view_->control = control;
    view_->reporter = reporter_;
    OnGtkThread([view = view_] { CreateWeb(view); });
}

WebKitView::~WebKitView() {
    reporter_->host = nullptr;
    OnGtkThread([view = view_] { DestroyWeb(view); });
}

void WebKitView::Load(const std::string& address) {
    OnGtkThread([view = view_, address] {
        if (view->web != nullptr) {
            view->asked = address;
            view->reloading = false;
            webkit_web_view_load_uri(view->web, address.c_str());
        }
    });
}

void WebKitView::ShowErrorPage(const std::string& address, const std::string& html) {
    OnGtkThread([view = view_, address, html] {
        if (view->web != nullptr) {
            view->asked = address;
            webkit_web_view_load_alternate_html(view->web, html.c_str(), address.c_str(), nullptr);
        }
    });
}

void WebKitView::Travel(int steps) {
    OnGtkThread([view = view_, steps] {
        if (view->web == nullptr) {
            return;
        }
        WebKitBackForwardList* list = webkit_web_view_get_back_forward_list(view->web);
        if (WebKitBackForwardListItem* item = webkit_back_forward_list_get_nth_item(list, steps)) {
            webkit_web_view_go_to_back_forward_list_item(view->web, item);
        }
    });
}

void WebKitView::Reload() {
    OnGtkThread([view = view_] {
        if (view->web != nullptr) {
            // A refresh raises no BeforeNavigate2.
            view->asked = Text(webkit_web_view_get_uri(view->web));
            view->reloading = true;
            webkit_web_view_reload(view->web);
        }
    });
}

void WebKitView::Stop() {
    OnGtkThread([view = view_] {
        if (view->web != nullptr) {
            webkit_web_view_stop_loading(view->web);
        }
    });
}

void WebKitView::Place(HWND topLevel, const RECT& rect, bool visible) {
    OnGtkThread([view = view_, topLevel, rect, visible] {
        view->topLevel = topLevel;
        // The place the control reported may be older than the one the view follows already (a
        // dialog's controls are placed while it is hidden, and the dialog shows before this runs):
        // the platform's state now wins.
        if (!PlaceNow(*view, view->rect, view->visible)) {
            view->rect = rect;
            view->visible = visible;
        }
        Attach(*view);
    });
}

}  // namespace platform
