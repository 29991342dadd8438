// A page's JavaScript engine (a Duktape heap of its own) with the browser objects that page
// scripts use: window (status, open, close, external, timers, alert, confirm, location,
// navigator, event), document (write, title, collections, element lookup, location, charset) and
// element objects (attributes and custom attributes, innerHTML, innerText, style, click, ...).
// Every entry into the engine has an instruction budget and the heap a memory limit, so that no
// page can hang or exhaust its host.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

struct duk_hthread;

namespace platform::web {

class Page;
class HtmlNode;

class PageScripts {
public:
    // The engine's native functions for the page objects (defined with the engine code).
    struct Natives;

    PageScripts(Page& page, uint32_t budget, size_t memoryLimit);
    ~PageScripts();
    PageScripts(const PageScripts&) = delete;
    PageScripts& operator=(const PageScripts&) = delete;

    // Runs script text; errors go to the host. False when the script failed.
    bool Run(std::string_view code, std::string_view address);
    // Fires `type` ("click", "mouseover", "mouseout") at the element and bubbles it up through
    // its ancestors to the document. True when a handler cancelled the default action.
    bool Dispatch(const HtmlNode& target, std::string_view type, int x, int y);
    // The window's load event: the body's onload, else window.onload.
    void DispatchLoad();
    void RunTimer(int id);

    // Called by the engine's periodic interrupt.
    bool BudgetSpent();
    void* Allocate(size_t size);
    void* Reallocate(void* block, size_t size);
    void Free(void* block);

private:
    // Brackets one entry into the engine: the budget starts afresh at the outermost entry.
    class Entry;

    void InstallNatives();
    void InstallPrelude();
    // Runs `work` with every engine error caught (and reported to the host as coming from
    // `address`): a page error, a spent budget or a full heap. False when it failed.
    bool Protected(const std::function<void()>& work, std::string_view address);
    // Pushes one of the functions the prelude returned, throwing when there is none.
    void PushInternal(const char* name);
    void ReportTopError(std::string_view address);

    Page& page_;
    duk_hthread* context_ = nullptr;
    uint32_t budget_;
    uint32_t spent_ = 0;
    int entries_ = 0;
    size_t memoryLimit_;
    size_t memoryUsed_ = 0;
};

}  // namespace platform::web
