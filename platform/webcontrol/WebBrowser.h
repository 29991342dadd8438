// The web browser control: CLSID_WebBrowser, created with CoCreateInstance once
// RegisterWebControlClasses has run.
//
// Hosting: a container gives the control its site (IOleObject::SetClientSite; the control asks
// the site for IDocHostUIHandler::GetHostInfo at once), then activates it with
// IOleObject::DoVerb(OLEIVERB_INPLACEACTIVATE or OLEIVERB_SHOW, ..., parent, rectangle), which
// creates the control's child window ("Shell Embedding") under the parent at that rectangle. The
// container reads the window with IOleWindow::GetWindow, gives it its control id with
// SetWindowLongPtrA(GWLP_ID), moves it with IOleInPlaceObject::SetObjectRects and removes it with
// InPlaceDeactivate or IOleObject::Close. Events go to the sinks advised on the connection point
// for DIID_DWebBrowserEvents2. From the site the control later asks GetExternal (when a script
// first reads window.external), ShowContextMenu (right button), IOleCommandTarget::Exec of
// OLECMDID_SHOWSCRIPTERROR in CGID_DocHostCommandHandler (a script error; nothing is shown
// whatever the answer) and IServiceProvider for services it does not offer itself.
//
// Navigation: Navigate raises BeforeNavigate2 at once; unless a sink cancels, the page loads when
// the control's window next handles its messages (at once when it has no window), raising in this
// order: DownloadBegin, StatusTextChange (the address), ProgressChange (0), NavigateComplete2,
// BeforeNavigate2 and NavigateComplete2 for each frame as the page reaches it (a cancelled frame
// stays blank), TitleChange, ProgressChange (full, then -1), StatusTextChange (""),
// DownloadComplete, then DocumentComplete for each frame in document order and last for the top
// document. A frame navigates on its own (a link in it without a target, a location change in it,
// a link naming it), raising BeforeNavigate2, DownloadBegin, NavigateComplete2,
// DownloadComplete and DocumentComplete for that frame only. A failed fetch raises NavigateError
// instead of NavigateComplete2; unless cancelled, an error page at the address takes the page's
// place. Refresh and Refresh2 fetch and decode the page again (with a charset set through the
// document) and raise only the download events and TitleChange, as the original does. Every
// top-level page shown (about: pages aside) is added to the user's URL history; it and every frame
// navigation add an entry to the control's travel log, and travelling to an entry brings the frames
// back to the addresses they had then.
//
// Pages: the mouse over the window drives the page (hover, click), laid out for the window's
// width as it is now; window.status and hovered links
// raise StatusTextChange; links and location changes navigate the control or the named frame;
// window.open, target="_blank" and unknown targets raise NewWindow2, and a control handed back
// through ppDisp navigates to the address; window.close raises WindowClosing and, unless
// cancelled, the control has no application object from then on. Alerts and confirmations show
// nothing (confirm answers yes).
//
// Commands (ExecWB, and each document's IOleCommandTarget, standard group and CGID_MSHTML):
// - OLECMDID_SAVEAS writes the page's bytes as they were received (in the charset they came in)
//   to the file chosen in the save dialog (GetSaveFileNameA, opening in the Documents folder and
//   proposing the title). With OLECMDEXECOPT_DONTPROMPTUSER and a file name (VT_BSTR) as input
//   it writes to that file without asking; without a name the dialog is shown all the same, as
//   the original does. A cancelled dialog gives OLECMDERR_E_CANCELED; a file that cannot be
//   written shows a message and gives E_FAIL.
// - OLECMDID_ZOOM with an integer 0..4 sets the text size, smallest to largest (2 is normal), of
//   the page, its frames and the pages loaded after; other values give E_INVALIDARG. An output
//   (VT_I4) receives the size in force, which an empty input only reads.
// - OLECMDID_SELECTALL selects the document's text; OLECMDID_CLEARSELECTION and a new document
//   drop the selection. OLECMDID_COPY puts the selected text on the clipboard (CF_TEXT, GBK,
//   lines ended by CR LF) and is disabled (OLECMDERR_E_DISABLED) without a selection.
//   OLECMDID_CUT and OLECMDID_PASTE are always disabled: pages are not editable.
// - IDM_VIEWSOURCE writes the page's bytes to a new "source-XXXXXX.txt" in the temporary folder
//   and opens it with the desktop's opener (ShellExecuteA "open"); the file stays for the program
//   that shows it. E_FAIL when there is no opener.
// - Print, print preview, page setup, properties, find (OLECMDID_FIND, IDM_FIND) and Internet
//   options (IDM_OPTIONS) have no printer or dialog here: they are supported but never enabled,
//   and give OLECMDERR_E_DISABLED.
// Every command that reaches the control or a document is recorded (WebCommandLog.h). Without a
// document ExecWB gives OLECMDERR_E_DISABLED; unknown commands give OLECMDERR_E_NOTSUPPORTED.
#pragma once

#include <chrono>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/com/ComObject.h"
#include "platform/com/ConnectionPoint.h"
#include "platform/com/ServiceProvider.h"
#include "platform/web/Page.h"
#include "platform/webcontrol/BrowserEvents.h"
#include "platform/webcontrol/DocHostUIHandler.h"
#include "platform/webcontrol/DocumentLink.h"
#include "platform/webcontrol/OleControl.h"
#include "platform/webcontrol/TravelLog.h"
#include "platform/webcontrol/TravelLogStorage.h"
#include "platform/webcontrol/WebBrowserInterface.h"
#include "platform/webcontrol/WebEngine.h"

namespace platform::webcontrol {

class FrameBrowser;
class HtmlDocumentObject;

class WebBrowser final : public ComObject<IWebBrowser2, IOleObject, IOleInPlaceObject,
                                          IConnectionPointContainer, IServiceProvider>,
                         private web::PageHost,
                         private DocumentOwner,
                         private TravelHost,
                         private WebEngineHost {
public:
    // The class name of the control's window.
    static constexpr const char* kWindowClass = "Shell Embedding";

    WebBrowser();

    // IDispatch, by the ids of WebBrowserInterface.h.
    HRESULT GetTypeInfoCount(UINT* count) override;
    HRESULT GetTypeInfo(UINT index, LCID locale, ITypeInfo** typeInfo) override;
    HRESULT GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT nameCount, LCID locale,
                          DISPID* ids) override;
    HRESULT Invoke(DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                   VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

    // IWebBrowser2.
    HRESULT GoBack() override;
    HRESULT GoForward() override;
    HRESULT GoHome() override;
    HRESULT Navigate(BSTR url, VARIANT* flags, VARIANT* targetFrameName, VARIANT* postData,
                     VARIANT* headers) override;
    HRESULT Refresh() override;
    HRESULT Refresh2(VARIANT* level) override;
    HRESULT Stop() override;
    HRESULT get_Application(IDispatch** application) override;
    HRESULT get_Document(IDispatch** document) override;
    HRESULT get_LocationName(BSTR* name) override;
    HRESULT get_LocationURL(BSTR* url) override;
    HRESULT get_Busy(VARIANT_BOOL* busy) override;
    HRESULT Navigate2(VARIANT* url, VARIANT* flags, VARIANT* targetFrameName, VARIANT* postData,
                      VARIANT* headers) override;
    HRESULT QueryStatusWB(OLECMDID command, OLECMDF* status) override;
    HRESULT ExecWB(OLECMDID command, OLECMDEXECOPT option, VARIANT* input,
                   VARIANT* output) override;
    HRESULT get_ReadyState(READYSTATE* state) override;
    HRESULT get_Silent(VARIANT_BOOL* silent) override;
    HRESULT put_Silent(VARIANT_BOOL silent) override;
    HRESULT get_RegisterAsBrowser(VARIANT_BOOL* registered) override;
    HRESULT put_RegisterAsBrowser(VARIANT_BOOL registered) override;

    // IOleObject.
    HRESULT SetClientSite(IOleClientSite* site) override;
    HRESULT GetClientSite(IOleClientSite** site) override;
    HRESULT SetHostNames(LPCOLESTR containerApplication, LPCOLESTR containerObject) override;
    HRESULT Close(DWORD saveOption) override;
    HRESULT DoVerb(LONG verb, MSG* message, IOleClientSite* activeSite, LONG index, HWND parent,
                   LPCRECT position) override;
    HRESULT GetUserClassID(CLSID* clsid) override;
    HRESULT GetMiscStatus(DWORD aspect, DWORD* status) override;

    // IOleWindow and IOleInPlaceObject.
    HRESULT GetWindow(HWND* window) override;
    HRESULT ContextSensitiveHelp(BOOL enterMode) override;
    HRESULT InPlaceDeactivate() override;
    HRESULT UIDeactivate() override;
    HRESULT SetObjectRects(LPCRECT position, LPCRECT clip) override;
    HRESULT ReactivateAndUndo() override;

    // IConnectionPointContainer.
    HRESULT EnumConnectionPoints(IEnumConnectionPoints** points) override;
    HRESULT FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

    // IServiceProvider: the travel log (SID_STravelLogCursor), the control itself
    // (IWebBrowser2), else whatever the site's provider offers.
    HRESULT QueryService(REFGUID service, REFIID iid, void** object) override;

    // The DOCHOSTUIINFO flags the site gave (0 without a site).
    DWORD hostFlags() const { return hostFlags_; }

private:
    struct PendingNavigation {
        std::string url;
        // The frame to load into (its page is gone when the page was left); null for the top
        // page.
        DocumentLinkPtr frame;
        std::optional<uint64_t> travelEntry;
        bool refresh = false;
    };
    // The object model of the document a page shows now.
    struct CachedDocument {
        DocumentLinkPtr link;
        HtmlDocumentObject* document = nullptr;
    };
    struct LoadingFrame {
        FrameBrowser* browser;
        std::string address;
    };
    // Holds a reference while the control calls out (events, page scripts), so that a sink
    // releasing the last reference from inside cannot free it mid-call.
    class KeepAlive {
    public:
        explicit KeepAlive(WebBrowser& browser) : browser_(browser) { browser_.AddRef(); }
        ~KeepAlive() { browser_.Release(); }
        KeepAlive(const KeepAlive&) = delete;
        KeepAlive& operator=(const KeepAlive&) = delete;

    private:
        WebBrowser& browser_;
    };

    ~WebBrowser() override;

    static constexpr LONG kProgressMax = 10000;
    // What the control shows in place of a page that could not be loaded.
    static std::string ErrorPage(const std::string& address);

    static LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControlWindow(HWND parent, const RECT& position);
    void DestroyControlWindow();
    // Tells the desktop's engine where the control's window is now.
    void PlaceEngine();

    IDispatch* Self() { return static_cast<IWebBrowser2*>(this); }
    web::Page& EnsurePage();
    // Navigates the top page, or the frame page `frame`.
    HRESULT StartNavigation(std::string url, web::Page* frame, std::optional<uint64_t> travelEntry);
    void Schedule();
    void RunPendingNavigations();
    void RunNavigation(PendingNavigation navigation);
    void RunFrameNavigation(const PendingNavigation& navigation);
    void RunRefresh();
    void RecordVisit(const std::string& address, const PendingNavigation& navigation);
    // Travelling back to an entry whose frames showed other addresses than they show now
    // navigates those frames; false when the frames differ in number (another page).
    bool RestoreFrames(const TravelLog::Entry& entry);
    // The frame pages of the top page in document order, the frames inside a frame after it.
    std::vector<web::Page*> FramePages() const;
    std::vector<std::string> FrameAddresses() const;
    void OpenNewWindow(const std::string& address);
    web::Page* FindFrame(web::Page& page, const std::string& name) const;
    FrameBrowser* FrameOf(web::Page& page);
    // Gives the frames of `page` (and theirs) their automation objects, collecting the frame
    // pages in document order.
    void AttachLoadedFrames(web::Page& page, std::vector<web::Page*>& order);
    // Before `page` loads another document: cuts the object model's links into it and into its
    // frames, and the frames' automation objects (the frames go with the document).
    void ForgetDocuments(web::Page& page);
    void ForgetFrames(web::Page& page);
    void DropLoadingFrames();
    // Catches the page's virtual clock up with real time, running the timers that fell due.
    void SyncPageClock();
    void ArmPageTimer();
    IDispatch* External();
    template <typename Interface>
    Interface* SiteInterface() const;

    // web::PageHost.
    void OnStatusText(const std::string& text) override;
    void OnTitleChange(const std::string& title) override;
    void OnNavigate(web::Page& source, const std::string& address,
                    const std::string& target) override;
    void OnNewWindow(const std::string& address, const std::string& target) override;
    void OnWindowClose() override;
    void OnScriptError(const web::ScriptError& error) override;
    void Alert(const std::string& text) override;
    bool Confirm(const std::string& text) override;
    std::optional<std::string> Fetch(const std::string& address, FetchPurpose purpose) override;
    std::optional<web::ScriptValue> GetExternal(const std::string& name) override;
    bool PutExternal(const std::string& name, const web::ScriptValue& value) override;
    std::optional<web::ScriptValue> CallExternal(
        const std::string& name, const std::vector<web::ScriptValue>& arguments) override;

    // DocumentOwner.
    void OnDocumentTitle(web::Page& page, const std::string& title) override;
    void AfterDocumentWork() override;
    IDispatch* ApplicationObject() override;
    IDispatch* DocumentObject(web::Page& page) override;
    DWORD DocumentCommandStatus(web::Page& page, const GUID* group, DWORD command) override;
    HRESULT DocumentCommand(web::Page& page, const GUID* group, DWORD command, DWORD option,
                            VARIANT* input, VARIANT* output) override;

    // Commands (WebBrowserCommands.cpp), on `page`, the top page or a frame's.
    HRESULT RunCommand(web::Page& page, const GUID* group, DWORD command, DWORD option,
                       VARIANT* input, VARIANT* output);
    HRESULT SavePage(web::Page& page, DWORD option, VARIANT* input);
    HRESULT Zoom(VARIANT* input, VARIANT* output);
    HRESULT CopyText(web::Page& page);
    HRESULT ViewSource(web::Page& page);

    // WebEngineHost (WebBrowserEngineHost.cpp): the desktop's engine shows the pages.
    bool OnBeforeNavigate(const std::string& address) override;
    void OnLoadStarted(const std::string& address, bool reload) override;
    void OnLoadCommitted(const std::string& address) override;
    void OnProgress(double done) override;
    void OnTitle(const std::string& title) override;
    void OnLoadFinished() override;
    void OnLoadFailed(const std::string& address, LONG status) override;
    void OnLoadStopped() override;
    void OnHoveredLink(const std::string& address) override;
    void OnHistory(const std::vector<EngineHistoryEntry>& entries, size_t current) override;
    void OnFrameCommitted(const std::string& frame, const std::string& address) override;
    void OnFrameFinished(const std::string& frame) override;
    void ReleaseEngineFrames();
    void OnOpenWindow(const std::string& address) override;
    void OnCloseRequested() override;
    // The end of a refresh by the engine, loaded or not.
    void EndRefresh();

    // TravelHost.
    IUnknown* TravelHostIdentity() override { return Identity(); }
    TravelLog& History() override { return history_; }
    HRESULT TravelToEntry(uint64_t id) override;

    ConnectionPoint connectionPoint_;
    BrowserEvents events_;
    IOleClientSite* site_ = nullptr;
    IDispatch* external_ = nullptr;
    DWORD hostFlags_ = 0;
    HWND hwnd_ = nullptr;
    // The desktop's engine, made with the window when the display offers one; the page then
    // stays null.
    std::unique_ptr<WebEngine> engine_;
    // What the engine last said of its history, and of the load under way.
    bool canGoBack_ = false;
    bool canGoForward_ = false;
    bool titleSeen_ = false;
    bool showingErrorPage_ = false;
    bool refreshing_ = false;
    // From the start of the top document's load to its end (finished, failed or stopped).
    bool loadingTop_ = false;
    // The frames of the document the engine shows, by the engine's name for their documents,
    // and the frames whose documents finished while the top document loads, in that order.
    struct EngineFrame {
        FrameBrowser* browser = nullptr;
        std::string address;
    };
    std::map<std::string, EngineFrame> engineFrames_;
    std::vector<std::string> finishedFrames_;
    std::unique_ptr<web::Page> page_;
    bool hasDocument_ = false;
    // The top-level address and title as the control reports them.
    std::string location_;
    std::string title_;
    TravelLog history_;
    std::deque<PendingNavigation> pending_;
    bool running_ = false;
    bool busy_ = false;
    bool closed_ = false;
    bool silent_ = false;
    bool registerAsBrowser_ = false;
    std::map<web::Page*, CachedDocument> documents_;
    std::map<web::Page*, FrameBrowser*> frames_;
    // Frames reached while a page loads, waiting for their pages to be attached.
    std::deque<LoadingFrame> loadingFrames_;
    std::chrono::milliseconds clockSynced_{0};
    // The text size step of every page the control shows.
    int textSize_ = web::PageOptions().textSize;
    // The page whose text is selected, if any.
    web::Page* selected_ = nullptr;
};

}  // namespace platform::webcontrol
