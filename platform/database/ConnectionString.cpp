#include "platform/database/ConnectionString.h"

namespace platform {

namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

std::u16string_view Trim(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::u16string FoldCase(std::u16string_view text) {
    std::u16string folded(text);
    for (char16_t& c : folded) {
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c - u'A' + u'a');
        }
    }
    return folded;
}

bool StartsWith(std::u16string_view text, std::u16string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

ConnectionString::ConnectionString(std::u16string_view text) {
    size_t at = 0;
    while (at < text.size()) {
        const size_t equals = text.find(u'=', at);
        const size_t semicolon = text.find(u';', at);
        if (equals == std::u16string_view::npos ||
            (semicolon != std::u16string_view::npos && semicolon < equals)) {
            if (semicolon == std::u16string_view::npos) {
                break;
            }
            at = semicolon + 1;
            continue;
        }
        std::u16string key = FoldCase(Trim(text.substr(at, equals - at)));
        at = equals + 1;
        while (at < text.size() && IsBlank(text[at])) {
            ++at;
        }
        std::u16string value;
        if (at < text.size() && (text[at] == u'"' || text[at] == u'\'')) {
            const char16_t quote = text[at++];
            while (at < text.size()) {
                if (text[at] == quote) {
                    if (at + 1 < text.size() && text[at + 1] == quote) {
                        value += quote;
                        at += 2;
                        continue;
                    }
                    ++at;
                    break;
                }
                value += text[at++];
            }
            const size_t rest = text.find(u';', at);
            at = rest == std::u16string_view::npos ? text.size() : rest + 1;
        } else {
            const size_t rest = text.find(u';', at);
            const size_t stop = rest == std::u16string_view::npos ? text.size() : rest;
            value = Trim(text.substr(at, stop - at));
            at = rest == std::u16string_view::npos ? text.size() : rest + 1;
        }
        if (!key.empty() && !Find(key)) {
            pairs_.emplace_back(std::move(key), std::move(value));
        }
    }
}

std::optional<std::u16string> ConnectionString::Find(std::u16string_view key) const {
    for (const auto& [name, value] : pairs_) {
        if (name == key) {
            return value;
        }
    }
    return std::nullopt;
}

bool ConnectionString::NamesOdbcSource() const {
    if (Find(u"driver") || Find(u"dsn") || Find(u"filedsn")) {
        return true;
    }
    const std::optional<std::u16string> provider = Find(u"provider");
    return provider && StartsWith(FoldCase(*provider), u"msdasql");
}

std::optional<std::u16string> ConnectionString::DatabaseFile() const {
    for (std::u16string_view key : {u"data source", u"database", u"dbq"}) {
        std::optional<std::u16string> value = Find(key);
        if (value && !value->empty()) {
            return value;
        }
    }
    return std::nullopt;
}

}  // namespace platform
