#include "platform/web/PageScripts.h"

#include <duktape.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/web/HtmlSerializer.h"
#include "platform/web/Page.h"
#include "platform/web/PageScriptsPrelude.h"

extern "C" int platform_web_script_budget_spent(void* heapData) {
    return static_cast<platform::web::PageScripts*>(heapData)->BudgetSpent() ? 1 : 0;
}

namespace platform::web {

namespace {

// Room in front of every engine allocation for its size, keeping the block's alignment.
constexpr size_t kHeader = alignof(std::max_align_t);

PageScripts& Self(duk_context* context) {
    duk_memory_functions functions;
    duk_get_memory_functions(context, &functions);
    return *static_cast<PageScripts*>(functions.udata);
}

void* AllocateBlock(void* data, duk_size_t size) {
    return static_cast<PageScripts*>(data)->Allocate(size);
}

void* ReallocateBlock(void* data, void* block, duk_size_t size) {
    return static_cast<PageScripts*>(data)->Reallocate(block, size);
}

void FreeBlock(void* data, void* block) {
    static_cast<PageScripts*>(data)->Free(block);
}

// The engine calls this only for errors it cannot throw; a page must never end the process, but
// the engine cannot go on either, so the process stops with a message (as the engine's default
// does) rather than running on with a broken heap.
void FatalError(void*, const char* message) {
    std::fprintf(stderr, "page script engine failed: %s\n", message ? message : "");
    std::abort();
}

std::string ToText(duk_context* context, duk_idx_t index) {
    duk_size_t length = 0;
    const char* text = duk_safe_to_lstring(context, index, &length);
    return text != nullptr ? std::string(text, length) : std::string();
}

void PushText(duk_context* context, std::string_view text) {
    duk_push_lstring(context, text.data(), text.size());
}

void PushSerial(duk_context* context, const HtmlNode* node) {
    duk_push_number(context, node != nullptr ? static_cast<double>(node->serial()) : 0.0);
}

void PushSerials(duk_context* context, const std::vector<HtmlNode*>& nodes) {
    duk_idx_t array = duk_push_array(context);
    for (size_t i = 0; i < nodes.size(); ++i) {
        PushSerial(context, nodes[i]);
        duk_put_prop_index(context, array, static_cast<duk_uarridx_t>(i));
    }
}

ScriptValue ToScriptValue(duk_context* context, duk_idx_t index) {
    switch (duk_get_type(context, index)) {
        case DUK_TYPE_NULL:
            return {ScriptValue::Kind::Null, false, 0, {}};
        case DUK_TYPE_BOOLEAN:
            return ScriptValue::Boolean(duk_get_boolean(context, index) != 0);
        case DUK_TYPE_NUMBER:
            return ScriptValue::Number(duk_get_number(context, index));
        case DUK_TYPE_UNDEFINED:
        case DUK_TYPE_NONE:
            return {};
        default:
            return ScriptValue::String(ToText(context, index));
    }
}

void PushScriptValue(duk_context* context, const ScriptValue& value) {
    switch (value.kind) {
        case ScriptValue::Kind::Null:
            duk_push_null(context);
            break;
        case ScriptValue::Kind::Boolean:
            duk_push_boolean(context, value.boolean);
            break;
        case ScriptValue::Kind::Number:
            duk_push_number(context, value.number);
            break;
        case ScriptValue::Kind::String:
            PushText(context, value.text);
            break;
        case ScriptValue::Kind::Undefined:
        case ScriptValue::Kind::Method:
            duk_push_undefined(context);
            break;
    }
}

// The error value at `index` as the host sees it.
ScriptError DescribeError(duk_context* context, duk_idx_t index, std::string_view address) {
    ScriptError error;
    index = duk_normalize_index(context, index);
    error.address = std::string(address);
    if (duk_is_object(context, index)) {
        if (duk_get_prop_string(context, index, "lineNumber")) {
            error.line = duk_is_number(context, -1) ? duk_get_int(context, -1) : 0;
        }
        duk_pop(context);
        if (duk_get_prop_string(context, index, "fileName") && duk_is_string(context, -1)) {
            std::string file = ToText(context, -1);
            if (!file.empty()) {
                error.address = file;
            }
        }
        duk_pop(context);
    }
    duk_dup(context, index);
    error.message = ToText(context, -1);
    duk_pop(context);
    return error;
}

}  // namespace

class PageScripts::Entry {
public:
    explicit Entry(PageScripts& scripts) : scripts_(scripts) {
        if (scripts_.entries_++ == 0) {
            scripts_.spent_ = 0;
        }
    }
    ~Entry() { --scripts_.entries_; }
    Entry(const Entry&) = delete;
    Entry& operator=(const Entry&) = delete;

private:
    PageScripts& scripts_;
};

// The natives the prelude builds the browser objects on. Nodes travel as serial numbers, so a
// script holding an element whose node has gone reads empty values instead of freed memory.
struct PageScripts::Natives {
    static Page& PageOf(duk_context* context) { return Self(context).page_; }
    static HtmlDocument& Document(duk_context* context) { return PageOf(context).document_; }
    static HtmlNode* Node(duk_context* context, duk_idx_t index) {
        double serial = duk_to_number(context, index);
        if (!(serial >= 1) || serial > 9007199254740992.0) {
            return nullptr;
        }
        return Document(context).FindNode(static_cast<uint64_t>(serial));
    }

    static duk_ret_t Attributes(duk_context* context) {
        HtmlNode* node = Node(context, 0);
        duk_idx_t array = duk_push_array(context);
        if (node != nullptr) {
            duk_uarridx_t i = 0;
            for (const auto& [name, value] : node->attributes()) {
                PushText(context, name);
                duk_put_prop_index(context, array, i++);
                PushText(context, value);
                duk_put_prop_index(context, array, i++);
            }
        }
        return 1;
    }
    static duk_ret_t Attribute(duk_context* context) {
        HtmlNode* node = Node(context, 0);
        const std::string* value =
            node != nullptr ? node->FindAttribute(ToText(context, 1)) : nullptr;
        if (value == nullptr) {
            duk_push_null(context);
        } else {
            PushText(context, *value);
        }
        return 1;
    }
    static duk_ret_t ResolvedAttribute(duk_context* context) {
        HtmlNode* node = Node(context, 0);
        const std::string* value =
            node != nullptr ? node->FindAttribute(ToText(context, 1)) : nullptr;
        PushText(context, value != nullptr ? Document(context).Resolve(*value) : "");
        return 1;
    }
    static duk_ret_t SetAttribute(duk_context* context) {
        if (HtmlNode* node = Node(context, 0)) {
            node->SetAttribute(ToText(context, 1), ToText(context, 2));
        }
        return 0;
    }
    static duk_ret_t RemoveAttribute(duk_context* context) {
        if (HtmlNode* node = Node(context, 0)) {
            node->RemoveAttribute(ToText(context, 1));
        }
        return 0;
    }
    static duk_ret_t TagName(duk_context* context) {
        HtmlNode* node = Node(context, 0);
        std::string name = node != nullptr ? node->tag() : "";
        for (char& c : name) {
            if (c >= 'a' && c <= 'z') {
                c = static_cast<char>(c - 'a' + 'A');
            }
        }
        PushText(context, name);
        return 1;
    }
    static duk_ret_t Tag(duk_context* context) {
        HtmlNode* node = Node(context, 0);
        PushText(context, node != nullptr ? node->tag() : "");
        return 1;
    }
    static duk_ret_t GetInnerHtml(duk_context* context) {
        HtmlNode* node = Node(context, 0);
        PushText(context, node != nullptr ? InnerHtml(*node) : "");
        return 1;
    }
    static duk_ret_t SetInnerHtml(duk_context* context) {
        if (HtmlNode* node = Node(context, 0)) {
            Document(context).SetInnerHtml(*node, ToText(context, 1));
            // Scripts that arrive through innerHTML never run, as in browsers.
            PageOf(context).MarkScriptsDone(*node);
        }
        return 0;
    }
    static duk_ret_t GetOuterHtml(duk_context* context) {
        HtmlNode* node = Node(context, 0);
        PushText(context, node != nullptr ? OuterHtml(*node) : "");
        return 1;
    }
    static duk_ret_t GetInnerText(duk_context* context) {
        HtmlNode* node = Node(context, 0);
        PushText(context, node != nullptr ? InnerText(*node) : "");
        return 1;
    }
    static duk_ret_t SetInnerText(duk_context* context) {
        if (HtmlNode* node = Node(context, 0)) {
            Document(context).SetInnerText(*node, ToText(context, 1));
        }
        return 0;
    }
    static duk_ret_t Parent(duk_context* context) {
        HtmlNode* node = Node(context, 0);
        PushSerial(context, node != nullptr ? node->ParentElement() : nullptr);
        return 1;
    }
    static duk_ret_t Children(duk_context* context) {
        std::vector<HtmlNode*> children;
        if (HtmlNode* node = Node(context, 0)) {
            for (const auto& child : node->children()) {
                if (child->IsElement()) {
                    children.push_back(child.get());
                }
            }
        }
        PushSerials(context, children);
        return 1;
    }
    static duk_ret_t ById(duk_context* context) {
        PushSerial(context, Document(context).GetElementById(ToText(context, 0)));
        return 1;
    }
    static duk_ret_t ByTag(duk_context* context) {
        std::string tag = ToText(context, 0);
        HtmlDocument& document = Document(context);
        std::vector<HtmlNode*> found = document.GetElementsByTagName(tag);
        if (duk_to_number(context, 1) != 0) {
            HtmlNode* within = Node(context, 1);
            std::vector<HtmlNode*> inside;
            for (HtmlNode* node : found) {
                if (within != nullptr && node != within && within->Contains(node)) {
                    inside.push_back(node);
                }
            }
            found = std::move(inside);
        }
        PushSerials(context, found);
        return 1;
    }
    static duk_ret_t Collection(duk_context* context) {
        std::string name = ToText(context, 0);
        HtmlDocument& document = Document(context);
        if (name == "images") {
            PushSerials(context, document.Images());
        } else if (name == "links") {
            PushSerials(context, document.Links());
        } else if (name == "anchors") {
            PushSerials(context, document.Anchors());
        } else if (name == "forms") {
            PushSerials(context, document.Forms());
        } else {
            PushSerials(context, document.All());
        }
        return 1;
    }
    static duk_ret_t Body(duk_context* context) {
        PushSerial(context, Document(context).Body());
        return 1;
    }
    static duk_ret_t DocumentElement(duk_context* context) {
        PushSerial(context, Document(context).DocumentElement());
        return 1;
    }
    static duk_ret_t Title(duk_context* context) {
        PushText(context, Document(context).Title());
        return 1;
    }
    static duk_ret_t SetTitle(duk_context* context) {
        std::string title = ToText(context, 0);
        Document(context).SetTitle(title);
        if (PageOf(context).parent_ == nullptr) {
            PageOf(context).host_.OnTitleChange(Document(context).Title());
        }
        return 0;
    }
    static duk_ret_t Url(duk_context* context) {
        PushText(context, Document(context).address());
        return 1;
    }
    static duk_ret_t Charset(duk_context* context) {
        PushText(context, Document(context).charset());
        return 1;
    }
    static duk_ret_t SetCharset(duk_context* context) {
        PageOf(context).SetCharset(ToText(context, 0));
        return 0;
    }
    static duk_ret_t ReadyState(duk_context* context) {
        PushText(context, PageOf(context).complete_ ? "complete" : "loading");
        return 1;
    }
    static duk_ret_t Write(duk_context* context) {
        PageOf(context).ScriptWrite(ToText(context, 0));
        return 0;
    }
    static duk_ret_t OpenDocument(duk_context* context) {
        PageOf(context).ScriptOpen();
        return 0;
    }
    static duk_ret_t CloseDocument(duk_context* context) {
        PageOf(context).ScriptClose();
        return 0;
    }
    static duk_ret_t Navigate(duk_context* context) {
        PageOf(context).Navigate(ToText(context, 0));
        return 0;
    }
    static duk_ret_t Open(duk_context* context) {
        PageOf(context).OpenWindow(ToText(context, 0), ToText(context, 1));
        return 0;
    }
    static duk_ret_t Close(duk_context* context) {
        PageOf(context).host_.OnWindowClose();
        return 0;
    }
    static duk_ret_t Status(duk_context* context) {
        PageOf(context).host_.OnStatusText(ToText(context, 0));
        return 0;
    }
    static duk_ret_t Alert(duk_context* context) {
        PageOf(context).host_.Alert(ToText(context, 0));
        return 0;
    }
    static duk_ret_t Confirm(duk_context* context) {
        duk_push_boolean(context, PageOf(context).host_.Confirm(ToText(context, 0)));
        return 1;
    }
    static duk_ret_t AddTimer(duk_context* context) {
        double delay = duk_to_number(context, 0);
        if (!(delay > 0)) {
            delay = 0;
        }
        if (delay > 2147483647.0) {
            delay = 2147483647.0;
        }
        bool repeat = duk_to_boolean(context, 1) != 0;
        duk_push_int(context, PageOf(context).timers_.Add(static_cast<int64_t>(delay), repeat));
        return 1;
    }
    static duk_ret_t RemoveTimer(duk_context* context) {
        PageOf(context).timers_.Remove(duk_to_int(context, 0));
        return 0;
    }
    static duk_ret_t Error(duk_context* context) {
        Page& page = PageOf(context);
        page.host_.OnScriptError(DescribeError(context, 0, page.document_.address()));
        return 0;
    }
    static duk_ret_t DefaultClick(duk_context* context) {
        if (HtmlNode* node = Node(context, 0)) {
            PageOf(context).DefaultClick(*node);
        }
        return 0;
    }
    static duk_ret_t ExternalGet(duk_context* context) {
        std::string name = ToText(context, 0);
        std::optional<ScriptValue> value = PageOf(context).host_.GetExternal(name);
        if (!value) {
            return duk_error(context, DUK_ERR_TYPE_ERROR,
                             "Object doesn't support this property or method");
        }
        duk_push_object(context);
        duk_push_boolean(context, value->kind == ScriptValue::Kind::Method);
        duk_put_prop_string(context, -2, "method");
        PushScriptValue(context, *value);
        duk_put_prop_string(context, -2, "value");
        return 1;
    }
    static duk_ret_t ExternalPut(duk_context* context) {
        std::string name = ToText(context, 0);
        if (!PageOf(context).host_.PutExternal(name, ToScriptValue(context, 1))) {
            return duk_error(context, DUK_ERR_TYPE_ERROR,
                             "Object doesn't support this property or method");
        }
        return 0;
    }
    static duk_ret_t ExternalCall(duk_context* context) {
        std::string name = ToText(context, 0);
        std::vector<ScriptValue> arguments;
        duk_size_t count = duk_get_length(context, 1);
        for (duk_size_t i = 0; i < count && i < 64; ++i) {
            duk_get_prop_index(context, 1, static_cast<duk_uarridx_t>(i));
            arguments.push_back(ToScriptValue(context, -1));
            duk_pop(context);
        }
        std::optional<ScriptValue> result = PageOf(context).host_.CallExternal(name, arguments);
        if (!result) {
            return duk_error(context, DUK_ERR_TYPE_ERROR,
                             "Object doesn't support this property or method");
        }
        PushScriptValue(context, *result);
        return 1;
    }
};

PageScripts::PageScripts(Page& page, uint32_t budget, size_t memoryLimit)
    : page_(page), budget_(budget), memoryLimit_(memoryLimit) {
    context_ = duk_create_heap(AllocateBlock, ReallocateBlock, FreeBlock, this, FatalError);
    if (context_ == nullptr) {
        return;
    }
    Entry entry(*this);
    InstallNatives();
    InstallPrelude();
}

PageScripts::~PageScripts() {
    if (context_ != nullptr) {
        duk_destroy_heap(context_);
    }
}

void PageScripts::InstallNatives() {
    static const duk_function_list_entry natives[] = {
        {"attrs", Natives::Attributes, 1},
        {"attr", Natives::Attribute, 2},
        {"resolvedAttr", Natives::ResolvedAttribute, 2},
        {"setAttr", Natives::SetAttribute, 3},
        {"removeAttr", Natives::RemoveAttribute, 2},
        {"tagName", Natives::TagName, 1},
        {"tag", Natives::Tag, 1},
        {"innerHTML", Natives::GetInnerHtml, 1},
        {"setInnerHTML", Natives::SetInnerHtml, 2},
        {"outerHTML", Natives::GetOuterHtml, 1},
        {"innerText", Natives::GetInnerText, 1},
        {"setInnerText", Natives::SetInnerText, 2},
        {"parent", Natives::Parent, 1},
        {"children", Natives::Children, 1},
        {"byId", Natives::ById, 1},
        {"byTag", Natives::ByTag, 2},
        {"collection", Natives::Collection, 1},
        {"body", Natives::Body, 0},
        {"documentElement", Natives::DocumentElement, 0},
        {"title", Natives::Title, 0},
        {"setTitle", Natives::SetTitle, 1},
        {"url", Natives::Url, 0},
        {"charset", Natives::Charset, 0},
        {"setCharset", Natives::SetCharset, 1},
        {"readyState", Natives::ReadyState, 0},
        {"write", Natives::Write, 1},
        {"openDocument", Natives::OpenDocument, 0},
        {"closeDocument", Natives::CloseDocument, 0},
        {"navigate", Natives::Navigate, 1},
        {"open", Natives::Open, 2},
        {"close", Natives::Close, 0},
        {"status", Natives::Status, 1},
        {"alert", Natives::Alert, 1},
        {"confirm", Natives::Confirm, 1},
        {"addTimer", Natives::AddTimer, 2},
        {"removeTimer", Natives::RemoveTimer, 1},
        {"error", Natives::Error, 1},
        {"defaultClick", Natives::DefaultClick, 1},
        {"externalGet", Natives::ExternalGet, 1},
        {"externalPut", Natives::ExternalPut, 2},
        {"externalCall", Natives::ExternalCall, 2},
        {nullptr, nullptr, 0},
    };
    duk_push_global_stash(context_);
    duk_push_object(context_);
    duk_put_function_list(context_, -1, natives);
    duk_put_prop_string(context_, -2, "natives");
    duk_pop(context_);
}

void PageScripts::InstallPrelude() {
    Protected(
        [this] {
            duk_push_global_stash(context_);
            PushText(context_, kPageScriptsPrelude);
            PushText(context_, "prelude");
            duk_compile(context_, DUK_COMPILE_EVAL);
            duk_call(context_, 0);
            duk_get_prop_string(context_, -2, "natives");
            duk_push_global_object(context_);
            duk_call(context_, 2);
            duk_put_prop_string(context_, -2, "internal");
            duk_pop(context_);
        },
        "prelude");
}

bool PageScripts::Protected(const std::function<void()>& work, std::string_view address) {
    auto trampoline = [](duk_context*, void* data) -> duk_ret_t {
        (*static_cast<const std::function<void()>*>(data))();
        return 0;
    };
    void* data = const_cast<std::function<void()>*>(&work);
    bool ok = duk_safe_call(context_, trampoline, data, 0, 1) == DUK_EXEC_SUCCESS;
    if (!ok) {
        ReportTopError(address);
    }
    duk_pop(context_);
    return ok;
}

void PageScripts::ReportTopError(std::string_view address) {
    // Describing the error may run the page's code (a getter on the thrown object) or need
    // memory the page has used up, so it is guarded too.
    struct Description {
        ScriptError error;
        std::string_view address;
    } description{{}, address};
    auto describe = [](duk_context* context, void* data) -> duk_ret_t {
        auto* target = static_cast<Description*>(data);
        target->error = DescribeError(context, -1, target->address);
        return 0;
    };
    duk_dup_top(context_);
    if (duk_safe_call(context_, describe, &description, 1, 1) != DUK_EXEC_SUCCESS) {
        description.error = {"Error: script error", std::string(address), 0};
    }
    duk_pop(context_);
    page_.host_.OnScriptError(description.error);
}

void PageScripts::PushInternal(const char* name) {
    duk_push_global_stash(context_);
    duk_get_prop_string(context_, -1, "internal");
    // The page objects are missing when the prelude could not run (no memory left).
    if (!duk_is_object(context_, -1)) {
        duk_error(context_, DUK_ERR_ERROR, "page objects unavailable");
    }
    duk_get_prop_string(context_, -1, name);
    duk_remove(context_, -2);
    duk_remove(context_, -2);
}

bool PageScripts::Run(std::string_view code, std::string_view address) {
    if (context_ == nullptr) {
        return false;
    }
    Entry entry(*this);
    return Protected(
        [this, code, address] {
            PushText(context_, code);
            PushText(context_, address);
            duk_compile(context_, 0);
            duk_call(context_, 0);
        },
        address);
}

bool PageScripts::Dispatch(const HtmlNode& target, std::string_view type, int x, int y) {
    if (context_ == nullptr) {
        return false;
    }
    Entry entry(*this);
    bool cancelled = false;
    Protected(
        [&] {
            PushInternal("dispatch");
            PushSerial(context_, &target);
            PushText(context_, type);
            duk_push_int(context_, x);
            duk_push_int(context_, y);
            duk_call(context_, 4);
            cancelled = duk_to_boolean(context_, -1) != 0;
        },
        page_.document_.address());
    return cancelled;
}

void PageScripts::DispatchLoad() {
    if (context_ == nullptr) {
        return;
    }
    Entry entry(*this);
    Protected(
        [this] {
            PushInternal("load");
            duk_call(context_, 0);
        },
        page_.document_.address());
}

void PageScripts::RunTimer(int id) {
    if (context_ == nullptr) {
        return;
    }
    Entry entry(*this);
    Protected(
        [this, id] {
            PushInternal("runTimer");
            duk_push_int(context_, id);
            duk_call(context_, 1);
        },
        page_.document_.address());
}

bool PageScripts::BudgetSpent() {
    if (spent_ < budget_) {
        ++spent_;
    }
    return spent_ >= budget_;
}

void* PageScripts::Allocate(size_t size) {
    if (size > memoryLimit_ - memoryUsed_) {
        return nullptr;
    }
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (block == nullptr) {
        return nullptr;
    }
    std::memcpy(block, &size, sizeof(size));
    memoryUsed_ += size;
    return block + kHeader;
}

void* PageScripts::Reallocate(void* block, size_t size) {
    if (block == nullptr) {
        return Allocate(size);
    }
    auto* start = static_cast<unsigned char*>(block) - kHeader;
    size_t old = 0;
    std::memcpy(&old, start, sizeof(old));
    if (size > old && size - old > memoryLimit_ - memoryUsed_) {
        return nullptr;
    }
    auto* moved = static_cast<unsigned char*>(std::realloc(start, size + kHeader));
    if (moved == nullptr) {
        return nullptr;
    }
    std::memcpy(moved, &size, sizeof(size));
    memoryUsed_ = memoryUsed_ - old + size;
    return moved + kHeader;
}

void PageScripts::Free(void* block) {
    if (block == nullptr) {
        return;
    }
    auto* start = static_cast<unsigned char*>(block) - kHeader;
    size_t size = 0;
    std::memcpy(&size, start, sizeof(size));
    memoryUsed_ -= size;
    std::free(start);
}

}  // namespace platform::web
