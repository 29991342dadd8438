#include "platform/web/Page.h"

#include "platform/web/BlockLayout.h"
#include "platform/web/PageCharset.h"

namespace platform::web {

namespace {

// Bounds the timers one AdvanceTime runs, so that a page's timers can never keep the host's
// pump busy for ever.
constexpr int kMaxTimersPerAdvance = 1000;

// Bounds the scripts one load or write runs: a script may write another script, which may write
// another, without end.
constexpr int kMaxScriptsPerRun = 1000;

bool IsScriptLanguage(const HtmlNode& script) {
    std::string type = script.Attribute("type");
    std::string language = script.Attribute("language");
    for (std::string* text : {&type, &language}) {
        for (char& c : *text) {
            if (c >= 'A' && c <= 'Z') {
                c = static_cast<char>(c - 'A' + 'a');
            }
        }
    }
    bool typeOk = type.empty() || type == "text/javascript" || type == "text/jscript" ||
                  type == "application/javascript" || type == "application/x-javascript";
    bool languageOk =
        language.empty() || language.starts_with("javascript") || language == "jscript";
    return typeOk && languageOk;
}

std::string ScriptText(const HtmlNode& script) {
    std::string text;
    for (const auto& child : script.children()) {
        if (child->kind() == HtmlNode::Kind::Text) {
            text += child->text();
        }
    }
    return text;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        if (c != prefix[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

class Page::Call {
public:
    explicit Call(Page& page) : page_(page) { ++page_.calls_; }
    ~Call() {
        if (--page_.calls_ == 0 && page_.pendingLoad_) {
            auto [bytes, address] = std::move(*page_.pendingLoad_);
            page_.pendingLoad_.reset();
            page_.Load(bytes, address);
        }
    }
    Call(const Call&) = delete;
    Call& operator=(const Call&) = delete;

private:
    Page& page_;
};

Page::Page(PageHost& host, PageOptions options) : Page(host, options, 0) {}

Page::Page(PageHost& host, PageOptions options, int depth)
    : host_(host), options_(options), depth_(depth), layout_(std::make_unique<BlockLayout>()) {
    Reset();
}

Page::~Page() = default;

void Page::Reset() {
    // A new document gets a new window: fresh globals, no timers, no frames.
    frames_.clear();
    frameElements_.clear();
    hoveredFrame_ = nullptr;
    scripts_.reset();
    int64_t now = timers_.now();
    timers_ = TimerQueue();
    timers_.AdvanceTo(now);
    writeOpen_ = false;
    writeBuffer_.clear();
    currentScript_ = nullptr;
    scriptsDone_.clear();
    hovered_ = 0;
    shownLink_ = 0;
    complete_ = false;
}

PageScripts& Page::Scripts() {
    // The engine starts with the first script, so pages without any never pay for one.
    if (scripts_ == nullptr) {
        scripts_ =
            std::make_unique<PageScripts>(*this, options_.scriptBudget, options_.scriptMemoryLimit);
    }
    return *scripts_;
}

bool Page::Fire(HtmlNode& target, std::string_view type, int x, int y) {
    if (scripts_ == nullptr) {
        // Without an engine only handler attributes can react.
        std::string attribute = "on" + std::string(type);
        bool handled = false;
        for (HtmlNode* node = &target; node != nullptr && !handled; node = node->ParentElement()) {
            handled = node->HasAttribute(attribute);
        }
        if (!handled) {
            return false;
        }
    }
    return Scripts().Dispatch(target, type, x, y);
}

void Page::SetCharset(std::string_view charset) {
    charsetOverride_ = std::string(charset);
    if (!charsetOverride_.empty()) {
        document_.set_charset(charsetOverride_);
    }
}

void Page::Load(std::string_view bytes, std::string_view address) {
    if (calls_ > 0) {
        pendingLoad_.emplace(std::string(bytes), std::string(address));
        return;
    }
    Call call(*this);
    Reset();
    bytes_ = std::string(bytes);
    std::string charset = charsetOverride_;
    if (charset.empty()) {
        charset = SniffCharset(bytes);
    }
    if (charset.empty()) {
        charset = std::string(kDefaultCharset);
    }
    document_.Load(DecodePage(bytes, charset), address);
    document_.set_charset(charset);
    loading_ = true;
    RunPendingScripts();
    LoadFrames();
    loading_ = false;
    complete_ = true;
    HtmlNode* body = document_.Body();
    if (scripts_ != nullptr || (body != nullptr && body->HasAttribute("onload"))) {
        Scripts().DispatchLoad();
    }
    FlushWrites();
}

void Page::Reload() {
    std::string bytes = std::move(bytes_);
    std::string address = document_.address();
    Load(bytes, address);
}

void Page::RunPendingScripts() {
    // Scripts written by a running script join this loop rather than start a nested one.
    if (runningScripts_) {
        return;
    }
    runningScripts_ = true;
    // Pending scripts only ever come after the last one run (writes insert after their script),
    // so the search goes on from there while that script is still in the document.
    uint64_t last = 0;
    for (int run = 0; run < kMaxScriptsPerRun; ++run) {
        HtmlNode* root = &document_.root();
        HtmlNode* next = document_.FindNode(last);
        next = next != nullptr ? next->Next(root) : root;
        while (next != nullptr && !(next->Is("script") && !scriptsDone_.contains(next->serial()))) {
            next = next->Next(root);
        }
        if (next == nullptr) {
            break;
        }
        last = next->serial();
        scriptsDone_.insert(last);
        if (IsScriptLanguage(*next)) {
            RunScriptElement(*next);
        }
    }
    runningScripts_ = false;
}

void Page::RunScriptElement(HtmlNode& script) {
    std::string code;
    std::string address = document_.address();
    if (script.HasAttribute("src")) {
        address = document_.Src(script);
        std::optional<std::string> bytes = host_.Fetch(address, PageHost::FetchPurpose::Script);
        if (!bytes) {
            return;
        }
        std::string charset = script.Attribute("charset");
        code = DecodePage(*bytes, charset.empty() ? document_.charset() : charset);
    } else {
        code = ScriptText(script);
    }
    uint64_t serial = script.serial();
    currentScript_ = &script;
    Scripts().Run(code, address);
    // The script may have removed itself; its writes then go to the end of the body.
    currentScript_ = document_.FindNode(serial);
    FlushWrites();
    currentScript_ = nullptr;
}

void Page::LoadFrames() {
    for (HtmlNode* element : document_.FrameElements()) {
        if (static_cast<int>(frames_.size()) >= options_.maxFrames) {
            break;
        }
        auto frame = std::unique_ptr<Page>(new Page(host_, options_, depth_ + 1));
        frame->parent_ = this;
        frame->frameName_ = element->Attribute("name");
        std::string address =
            element->HasAttribute("src") ? document_.Src(*element) : std::string("about:blank");
        std::optional<std::string> bytes;
        if (depth_ + 1 < options_.maxFrameDepth && address != "about:blank") {
            bytes = host_.Fetch(address, PageHost::FetchPurpose::Frame);
        }
        frame->Load(bytes.value_or(std::string()), bytes ? address : "about:blank");
        frames_.push_back(std::move(frame));
        frameElements_.push_back(element->serial());
    }
}

void Page::FlushWrites() {
    if (writeBuffer_.empty()) {
        return;
    }
    std::string markup = std::move(writeBuffer_);
    writeBuffer_.clear();
    if (loading_ && currentScript_ != nullptr) {
        document_.InsertMarkupAfter(*currentScript_, markup);
    } else {
        document_.AppendMarkupToBody(markup);
    }
    if (!loading_) {
        // Written scripts run now; during loading the loading loop reaches them in order.
        RunPendingScripts();
    }
}

void Page::ScriptWrite(std::string_view utf8) {
    if (!loading_ && !writeOpen_) {
        ScriptOpen();
    }
    writeBuffer_ += utf8;
}

void Page::ScriptOpen() {
    if (loading_ || writeOpen_) {
        return;
    }
    // Writing into a finished page starts a new document at the same address.
    std::string address = document_.address();
    std::string charset = document_.charset();
    document_.Load("", address);
    document_.set_charset(charset);
    writeOpen_ = true;
    hovered_ = 0;
    shownLink_ = 0;
}

void Page::ScriptClose() {
    FlushWrites();
    writeOpen_ = false;
}

void Page::Write(std::string_view utf8) {
    Call call(*this);
    ScriptWrite(utf8);
    FlushWrites();
}

void Page::Close() {
    Call call(*this);
    ScriptClose();
}

bool Page::Execute(std::string_view code) {
    Call call(*this);
    bool ok = Scripts().Run(code, document_.address());
    FlushWrites();
    return ok;
}

void Page::MarkScriptsDone(const HtmlNode& subtree) {
    for (const HtmlNode* node = &subtree; node != nullptr; node = node->Next(&subtree)) {
        if (node->Is("script")) {
            scriptsDone_.insert(node->serial());
        }
    }
}

HtmlNode* Page::LinkOf(HtmlNode* element) const {
    for (HtmlNode* node = element; node != nullptr; node = node->ParentElement()) {
        if ((node->Is("a") || node->Is("area")) && node->HasAttribute("href")) {
            return node;
        }
    }
    return nullptr;
}

void Page::SetWidth(int width) {
    options_.width = width;
}

void Page::SetTextSize(int step) {
    options_.textSize = step;
    for (const auto& frame : frames_) {
        frame->SetTextSize(step);
    }
}

const PageLayout& Page::Layout() {
    layout_->SetTextSize(options_.textSize);
    layout_->Update(document_, options_.width);
    for (size_t i = 0; i < frames_.size() && i < frameElements_.size(); ++i) {
        HtmlNode* element = document_.FindNode(frameElements_[i]);
        std::optional<LayoutBox> box = element != nullptr ? layout_->BoxOf(*element) : std::nullopt;
        if (box) {
            frames_[i]->SetWidth(box->right - box->left);
        }
    }
    return *layout_;
}

void Page::HoverTo(HtmlNode* element, int x, int y) {
    uint64_t serial = element != nullptr ? element->serial() : 0;
    if (serial == hovered_) {
        return;
    }
    HtmlNode* old = document_.FindNode(hovered_);
    hovered_ = serial;
    HtmlNode* newLink = LinkOf(element);
    if (old != nullptr) {
        Fire(*old, "mouseout", x, y);
        FlushWrites();
    }
    if (shownLink_ != 0 && (newLink == nullptr || newLink->serial() != shownLink_)) {
        shownLink_ = 0;
        host_.OnStatusText("");
    }
    // The handlers above may have replaced the document.
    element = document_.FindNode(serial);
    if (element == nullptr) {
        return;
    }
    bool cancelled = Fire(*element, "mouseover", x, y);
    FlushWrites();
    newLink = LinkOf(document_.FindNode(serial));
    if (!cancelled && newLink != nullptr && newLink->serial() != shownLink_) {
        shownLink_ = newLink->serial();
        host_.OnStatusText(document_.Href(*newLink));
    }
}

Page* Page::FrameOf(uint64_t elementSerial) const {
    for (size_t i = 0; i < frameElements_.size(); ++i) {
        if (frameElements_[i] == elementSerial) {
            return frames_[i].get();
        }
    }
    return nullptr;
}

void Page::MoveInFrames(int x, int y) {
    Page* frame = FrameOf(hovered_);
    if (hoveredFrame_ != nullptr && hoveredFrame_ != frame) {
        hoveredFrame_->MouseLeave();
    }
    hoveredFrame_ = frame;
    HtmlNode* element = document_.FindNode(hovered_);
    std::optional<LayoutBox> box = element != nullptr ? layout_->BoxOf(*element) : std::nullopt;
    if (frame != nullptr && box) {
        frame->MouseMove(x - box->left, y - box->top);
    }
}

void Page::MouseMove(int x, int y) {
    Call call(*this);
    uint64_t hit = Layout().HitTest(x, y);
    HoverTo(document_.FindNode(hit), x, y);
    MoveInFrames(x, y);
}

void Page::MouseLeave() {
    Call call(*this);
    HoverTo(nullptr, -1, -1);
    MoveInFrames(-1, -1);
}

void Page::Click(int x, int y) {
    Call call(*this);
    MouseMove(x, y);
    HtmlNode* target = document_.FindNode(hovered_);
    if (target == nullptr) {
        return;
    }
    if (Page* frame = FrameOf(hovered_)) {
        std::optional<LayoutBox> box = layout_->BoxOf(*target);
        if (box) {
            frame->Click(x - box->left, y - box->top);
        }
        return;
    }
    uint64_t serial = target->serial();
    bool cancelled = Fire(*target, "click", x, y);
    FlushWrites();
    target = document_.FindNode(serial);
    if (!cancelled && target != nullptr) {
        DefaultClick(*target);
    }
}

void Page::DefaultClick(HtmlNode& target) {
    HtmlNode* link = LinkOf(&target);
    if (link == nullptr) {
        return;
    }
    std::string href = link->Attribute("href");
    std::string_view trimmed = href;
    while (!trimmed.empty() && (trimmed.front() == ' ' || trimmed.front() == '\t')) {
        trimmed.remove_prefix(1);
    }
    if (StartsWithNoCase(trimmed, "javascript:")) {
        Execute(trimmed.substr(11));
        return;
    }
    std::string targetName = link->Attribute("target");
    if (targetName.empty()) {
        for (HtmlNode* base : document_.GetElementsByTagName("base")) {
            if (base->HasAttribute("target")) {
                targetName = base->Attribute("target");
                break;
            }
        }
    }
    std::string address = document_.Href(*link);
    if (targetName == "_blank") {
        host_.OnNewWindow(address, targetName);
    } else {
        host_.OnNavigate(*this, address, targetName == "_self" ? std::string() : targetName);
    }
}

void Page::Navigate(std::string_view reference) {
    std::string_view trimmed = reference;
    if (StartsWithNoCase(trimmed, "javascript:")) {
        Execute(trimmed.substr(11));
        return;
    }
    host_.OnNavigate(*this, document_.Resolve(reference), "");
}

void Page::OpenWindow(std::string_view reference, std::string_view name) {
    std::string address = reference.empty() ? "about:blank" : document_.Resolve(reference);
    host_.OnNewWindow(address, std::string(name));
}

void Page::AdvanceTime(int64_t milliseconds) {
    Call call(*this);
    int64_t until = timers_.now() + std::max<int64_t>(milliseconds, 0);
    for (int run = 0; run < kMaxTimersPerAdvance; ++run) {
        std::optional<int> id = timers_.PopDue(until);
        if (!id) {
            break;
        }
        Scripts().RunTimer(*id);
        FlushWrites();
    }
    timers_.AdvanceTo(until);
    for (auto& frame : frames_) {
        frame->AdvanceTime(milliseconds);
    }
}

std::optional<int64_t> Page::NextTimerDelay() const {
    std::optional<int64_t> next = timers_.NextDelay();
    for (const auto& frame : frames_) {
        std::optional<int64_t> inner = frame->NextTimerDelay();
        if (inner && (!next || *inner < *next)) {
            next = inner;
        }
    }
    return next;
}

}  // namespace platform::web
