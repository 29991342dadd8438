// The status line and header lines of one HTTP response, as they came from the server, for
// HttpQueryInfoA. Lines arrive one by one from the transfer; a new status line starts a new
// response (an interim "100 Continue" or a redirect that is followed), so the object always
// describes the latest one.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

class HttpResponseHeaders {
public:
    // Takes one line with or without its CR LF. A line that begins with "HTTP/" starts a new
    // response; a line that begins with a space or tab continues the previous header's value.
    void AddLine(std::string_view line);

    // The numeric status, 0 until a status line with a number arrived.
    int StatusCode() const { return statusCode_; }
    // "HTTP/1.1", and the reason phrase ("Not Found"), as the server sent them.
    const std::string& Version() const { return version_; }
    const std::string& StatusText() const { return statusText_; }

    // The value (without surrounding white space) of the index-th header of that name, compared
    // ignoring ASCII case; nullopt when there are fewer.
    std::optional<std::string_view> Find(std::string_view name, std::size_t index) const;

    // The status line and every header line, each ended by CR LF, and a final CR LF.
    std::string RawWithLineEnds() const;
    // The same lines each ended by NUL instead (a caller adds the second NUL after the last).
    std::string RawWithNuls() const;

private:
    std::string statusLine_;
    std::string version_;
    std::string statusText_;
    int statusCode_ = 0;
    std::vector<std::pair<std::string, std::string>> fields_;
};

}  // namespace platform
