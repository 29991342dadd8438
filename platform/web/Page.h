// One loaded page of the browser: its document, its scripts in a JavaScript engine of its own,
// its frames (each a page of its own), its timers on a virtual clock and its layout for mouse
// input. Everything happens on the calling thread; a page never shares its engine.
//
// Loading runs the page's scripts in document order (document.write inserts markup right after
// the writing script), then loads the frames, then runs the body's onload. A Load from inside one
// of the page's own PageHost callbacks (a click that navigates) waits until the page's current
// work is done; destroying the page there is not allowed.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/web/HtmlDocument.h"
#include "platform/web/PageHost.h"
#include "platform/web/PageLayout.h"
#include "platform/web/PageScripts.h"
#include "platform/web/TimerQueue.h"

namespace platform::web {

struct PageOptions {
    int width = 800;
    // The text size step the page is laid out with (PageLayout::SetTextSize).
    int textSize = 2;
    // How much each script entry (a script element, a handler, a timer) may run before it is
    // stopped with an error, in the engine's periodic interrupts: one as code starts running,
    // then one for every hundred thousand or so instructions.
    uint32_t scriptBudget = 400;
    // The most memory one page's engine may hold.
    size_t scriptMemoryLimit = 256u << 20;
    // Frames inside frames stop at this depth; frames past this count in one page stay empty.
    int maxFrameDepth = 4;
    int maxFrames = 64;
};

class Page {
public:
    explicit Page(PageHost& host, PageOptions options = {});
    ~Page();
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;

    // Decodes `bytes` by the charset they declare (or the one set with SetCharset), parses them
    // as the page at `address` and runs it: scripts, frames, onload.
    void Load(std::string_view bytes, std::string_view address);
    // Decodes and runs the same bytes again, with the charset set since.
    void Reload();
    // The charset for the next Load or Reload; "" returns to the declared one.
    void SetCharset(std::string_view charset);
    bool complete() const { return complete_; }
    // The width of the view the page is laid out for; frames take the width of their boxes.
    void SetWidth(int width);
    // The text size step of this page and its frames, kept for the documents they load later.
    void SetTextSize(int step);
    // The bytes of the last Load as they were given, before decoding.
    const std::string& source() const { return bytes_; }

    // The page this one is a frame of; null for the top page.
    Page* parent() const { return parent_; }
    // The name of the frame element showing this page; empty for the top page and unnamed frames.
    const std::string& frameName() const { return frameName_; }

    HtmlDocument& document() { return document_; }
    const HtmlDocument& document() const { return document_; }
    // Frames in document order.
    const std::vector<std::unique_ptr<Page>>& frames() const { return frames_; }

    // document.write and document.close from the host. After loading, the first write replaces
    // the document (as browsers do), later ones append until Close; scripts in the written
    // markup run.
    void Write(std::string_view utf8);
    void Close();

    // Runs `code` in the page; false when it failed (the error went to the host).
    bool Execute(std::string_view code);

    // Mouse input at page coordinates; input over a frame goes on to that frame's page.
    void MouseMove(int x, int y);
    void MouseLeave();
    void Click(int x, int y);
    // The up-to-date layout (for finding where elements are).
    const PageLayout& Layout();

    // Moves the virtual clock forward, running the timers that fall due, in this page and its
    // frames.
    void AdvanceTime(int64_t milliseconds);
    // Milliseconds until the next timer of this page or its frames, if any.
    std::optional<int64_t> NextTimerDelay() const;

private:
    friend class PageScripts;
    friend struct PageScripts::Natives;

    // Brackets the work of one public call, so that a Load asked for during it comes after it.
    class Call;

    Page(PageHost& host, PageOptions options, int depth);
    void Reset();
    PageScripts& Scripts();
    // Fires a mouse event at the element; true when a handler cancelled its default action.
    bool Fire(HtmlNode& target, std::string_view type, int x, int y);
    void RunPendingScripts();
    void RunScriptElement(HtmlNode& script);
    void LoadFrames();
    // Ends one script entry: markup written during it goes into the document.
    void FlushWrites();
    void ScriptWrite(std::string_view utf8);
    void ScriptOpen();
    void ScriptClose();
    void MarkScriptsDone(const HtmlNode& subtree);
    void DefaultClick(HtmlNode& target);
    void Navigate(std::string_view reference);
    void OpenWindow(std::string_view reference, std::string_view name);
    void HoverTo(HtmlNode* element, int x, int y);
    HtmlNode* LinkOf(HtmlNode* element) const;
    // The frame page shown by the element with this serial, if it shows one.
    Page* FrameOf(uint64_t elementSerial) const;
    // Passes the pointer on to the frame under it (if any) and out of the one it left.
    void MoveInFrames(int x, int y);

    PageHost& host_;
    PageOptions options_;
    int depth_ = 0;
    Page* parent_ = nullptr;
    std::string frameName_;
    HtmlDocument document_;
    std::unique_ptr<PageLayout> layout_;
    std::unique_ptr<PageScripts> scripts_;
    std::vector<std::unique_ptr<Page>> frames_;
    // The serial of the element showing each frame.
    std::vector<uint64_t> frameElements_;
    Page* hoveredFrame_ = nullptr;
    TimerQueue timers_;
    std::string bytes_;
    std::string charsetOverride_;
    bool loading_ = false;
    bool runningScripts_ = false;
    bool complete_ = false;
    bool writeOpen_ = false;
    std::string writeBuffer_;
    HtmlNode* currentScript_ = nullptr;
    std::set<uint64_t> scriptsDone_;
    int calls_ = 0;
    std::optional<std::pair<std::string, std::string>> pendingLoad_;
    uint64_t hovered_ = 0;
    uint64_t shownLink_ = 0;
};

}  // namespace platform::web
