#include "platform/internet/HttpResponseHeaders.h"

#include <algorithm>
#include <charconv>

namespace platform {
namespace {

std::string_view Trim(std::string_view text) {
    const std::string_view blanks = " \t\r\n";
    std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    std::size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

void HttpResponseHeaders::AddLine(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.remove_suffix(1);
    }
    if (line.starts_with("HTTP/")) {
        statusLine_ = line;
        fields_.clear();
        std::size_t versionEnd = line.find(' ');
        version_ = line.substr(0, versionEnd);
        std::string_view rest =
            versionEnd == std::string_view::npos ? std::string_view() : line.substr(versionEnd + 1);
        rest = Trim(rest);
        std::size_t codeEnd = std::min(rest.find(' '), rest.size());
        statusCode_ = 0;
        int code = 0;
        auto [end, error] = std::from_chars(rest.data(), rest.data() + codeEnd, code);
        if (error == std::errc() && end == rest.data() + codeEnd) {
            statusCode_ = code;
        }
        statusText_ = Trim(rest.substr(codeEnd));
        return;
    }
    if (line.empty()) {
        return;
    }
    if ((line.front() == ' ' || line.front() == '\t') && !fields_.empty()) {
        std::string& value = fields_.back().second;
        value += ' ';
        value += Trim(line);
        return;
    }
    std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) {
        return;
    }
    fields_.emplace_back(std::string(Trim(line.substr(0, colon))),
                         std::string(Trim(line.substr(colon + 1))));
}

std::optional<std::string_view> HttpResponseHeaders::Find(std::string_view name,
                                                          std::size_t index) const {
    for (const auto& [fieldName, value] : fields_) {
        if (EqualsIgnoringCase(fieldName, name) && index-- == 0) {
            return value;
        }
    }
    return std::nullopt;
}

std::string HttpResponseHeaders::RawWithLineEnds() const {
    std::string raw = statusLine_ + "\r\n";
    for (const auto& [name, value] : fields_) {
        raw += name + ": " + value + "\r\n";
    }
    return raw + "\r\n";
}

std::string HttpResponseHeaders::RawWithNuls() const {
    std::string raw = statusLine_;
    raw += '\0';
    for (const auto& [name, value] : fields_) {
        raw += name + ": " + value;
        raw += '\0';
    }
    return raw;
}

}  // namespace platform
