// What a page reports to and asks of the browser around it. The browser control implements it:
// it turns the reports into its events (StatusTextChange, TitleChange, BeforeNavigate2,
// NewWindow2), the script error into the site's command target, the fetches into file and
// internet reads, and the external members into calls on the host's external object.
// All text is UTF-8.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform::web {

class Page;

// A value passed between page scripts and the host's external object.
struct ScriptValue {
    // `Method` answers a member lookup for a member that is called rather than read.
    enum class Kind { Undefined, Null, Boolean, Number, String, Method };
    Kind kind = Kind::Undefined;
    bool boolean = false;
    double number = 0;
    std::string text;

    static ScriptValue Boolean(bool value) { return {Kind::Boolean, value, 0, {}}; }
    static ScriptValue Number(double value) { return {Kind::Number, false, value, {}}; }
    static ScriptValue String(std::string value) {
        return {Kind::String, false, 0, std::move(value)};
    }
    static ScriptValue Method() { return {Kind::Method, false, 0, {}}; }
    bool operator==(const ScriptValue&) const = default;
};

struct ScriptError {
    std::string message;  // "ReferenceError: identifier 'x' undefined"
    std::string address;  // the page (or script file) the code came from
    int line = 0;         // 1-based; 0 when unknown
};

class PageHost {
public:
    virtual ~PageHost() = default;

    // Every assignment to window.status, every link the mouse enters ("" when it leaves one).
    virtual void OnStatusText(const std::string& text) = 0;
    // A script set the title of the top page; a frame's title is no window's title.
    virtual void OnTitleChange(const std::string& title) = 0;
    // A followed link or a location assignment in `source` (the top page or one of its frames),
    // with `target` naming the frame or window to navigate: the link's target ("_top",
    // "_parent", a frame's name), or "" for `source` itself.
    virtual void OnNavigate(Page& source, const std::string& address,
                            const std::string& target) = 0;
    // window.open and links with target="_blank".
    virtual void OnNewWindow(const std::string& address, const std::string& target) = 0;
    // window.close().
    virtual void OnWindowClose() = 0;
    // An uncaught script error; the page goes on.
    virtual void OnScriptError(const ScriptError& error) = 0;
    virtual void Alert(const std::string& text) = 0;
    virtual bool Confirm(const std::string& text) = 0;

    // What a fetch is for: a frame's content is a navigation of that frame (the host may refuse
    // it, leaving the frame blank), a script file is not.
    enum class FetchPurpose { Script, Frame };
    // The bytes at an absolute address, or nothing when they cannot (or may not) be read.
    virtual std::optional<std::string> Fetch(const std::string& address, FetchPurpose purpose) = 0;

    // window.external: a member's value (Kind::Method for callable members), or nothing when
    // the external object has no such member.
    virtual std::optional<ScriptValue> GetExternal(const std::string& name) = 0;
    // False when the member cannot be set.
    virtual bool PutExternal(const std::string& name, const ScriptValue& value) = 0;
    // The call's result, or nothing when the member is unknown or the call fails.
    virtual std::optional<ScriptValue> CallExternal(const std::string& name,
                                                    const std::vector<ScriptValue>& arguments) = 0;
};

}  // namespace platform::web
