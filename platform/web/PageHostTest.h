// A PageHost for tests: it records every report in order as one line of text, answers fetches
// from a table of addresses and serves an external object with one property and one method.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/web/Page.h"
#include "platform/web/PageHost.h"

namespace platform::testing {

class RecordingPageHost : public web::PageHost {
public:
    std::vector<std::string> events;
    std::vector<std::string> statusTexts;
    std::vector<web::ScriptError> errors;
    std::map<std::string, std::string> files;
    std::map<std::string, web::ScriptValue> externalValues{
        {"xxyyzz", web::ScriptValue::String("Wibble")}};
    bool confirmAnswer = true;

    void OnStatusText(const std::string& text) override {
        statusTexts.push_back(text);
        events.push_back("status " + text);
    }
    void OnTitleChange(const std::string& title) override { events.push_back("title " + title); }
    // A navigation from a frame names the frame ("from frame" for an unnamed one).
    void OnNavigate(web::Page& source, const std::string& address,
                    const std::string& target) override {
        std::string from;
        if (source.parent() != nullptr) {
            from = " from " + (source.frameName().empty() ? "frame" : source.frameName());
        }
        events.push_back("navigate " + address + (target.empty() ? "" : " " + target) + from);
    }
    void OnNewWindow(const std::string& address, const std::string& target) override {
        events.push_back("new-window " + address + " " + target);
    }
    void OnWindowClose() override { events.push_back("close"); }
    void OnScriptError(const web::ScriptError& error) override {
        errors.push_back(error);
        events.push_back("error " + error.message);
    }
    void Alert(const std::string& text) override { events.push_back("alert " + text); }
    bool Confirm(const std::string& text) override {
        events.push_back("confirm " + text);
        return confirmAnswer;
    }
    std::optional<std::string> Fetch(const std::string& address,
                                     web::PageHost::FetchPurpose purpose) override {
        events.push_back(
            (purpose == web::PageHost::FetchPurpose::Frame ? "fetch frame " : "fetch ") + address);
        auto found = files.find(address);
        if (found == files.end()) {
            return std::nullopt;
        }
        return found->second;
    }
    std::optional<web::ScriptValue> GetExternal(const std::string& name) override {
        if (name == "AddFavorite") {
            return web::ScriptValue::Method();
        }
        auto found = externalValues.find(name);
        if (found == externalValues.end()) {
            return std::nullopt;
        }
        return found->second;
    }
    bool PutExternal(const std::string& name, const web::ScriptValue& value) override {
        if (name == "AddFavorite") {
            return false;
        }
        externalValues[name] = value;
        return true;
    }
    std::optional<web::ScriptValue> CallExternal(
        const std::string& name, const std::vector<web::ScriptValue>& arguments) override {
        if (name != "AddFavorite") {
            return std::nullopt;
        }
        std::string call = "call " + name;
        for (const web::ScriptValue& argument : arguments) {
            call += " " + (argument.kind == web::ScriptValue::Kind::String
                               ? argument.text
                               : std::to_string(argument.number));
        }
        events.push_back(call);
        return web::ScriptValue::Boolean(true);
    }
};

}  // namespace platform::testing
