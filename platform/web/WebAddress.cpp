#include "platform/web/WebAddress.h"

#include <vector>

#include "platform/text/HexDigit.h"

namespace platform::web {

namespace {

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::string_view Trimmed(std::string_view text) {
    auto isSpace = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
    };
    while (!text.empty() && isSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Length of "scheme:" at the start, or 0. A single letter before ':' is a drive, not a scheme.
size_t SchemeLength(std::string_view address) {
    if (address.empty() || !IsAsciiLetter(address[0])) {
        return 0;
    }
    for (size_t i = 1; i < address.size(); ++i) {
        char c = address[i];
        if (c == ':') {
            return i >= 2 ? i + 1 : 0;
        }
        if (!IsAsciiLetter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.') {
            return 0;
        }
    }
    return 0;
}

bool IsDrivePath(std::string_view text) {
    return text.size() >= 2 && IsAsciiLetter(text[0]) && text[1] == ':';
}

std::string LowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

bool IsHierarchical(std::string_view scheme) {
    return scheme == "file:" || scheme == "http:" || scheme == "https:" || scheme == "ftp:";
}

std::string Slashes(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c == '\\') {
            c = '/';
        }
    }
    return out;
}

// Removes "." and ".." segments from an absolute path ("/a/b/../c" -> "/a/c").
std::string RemoveDotSegments(std::string_view path) {
    std::vector<std::string_view> segments;
    bool trailingSlash = false;
    size_t start = 1;
    while (true) {
        size_t end = path.find('/', start);
        bool last = end == std::string_view::npos;
        std::string_view segment = path.substr(start, last ? std::string_view::npos : end - start);
        trailingSlash = false;
        if (segment == "..") {
            if (!segments.empty()) {
                segments.pop_back();
            }
            trailingSlash = last;
        } else if (segment == ".") {
            trailingSlash = last;
        } else {
            segments.push_back(segment);
        }
        if (last) {
            break;
        }
        start = end + 1;
    }
    std::string out;
    for (std::string_view segment : segments) {
        out += '/';
        out += segment;
    }
    if (out.empty() || trailingSlash) {
        out += '/';
    }
    return out;
}

struct SplitAddress {
    std::string scheme;     // "http:"
    std::string authority;  // "host:80" (without the slashes); drive paths keep "" here
    std::string path;       // "/a/b.htm"
    std::string query;      // "?x" or ""
};

SplitAddress Split(std::string_view address) {
    SplitAddress parts;
    size_t schemeLength = SchemeLength(address);
    parts.scheme = LowerAscii(address.substr(0, schemeLength));
    std::string rest = Slashes(address.substr(schemeLength));
    size_t fragment = rest.find('#');
    if (fragment != std::string::npos) {
        rest.resize(fragment);
    }
    if (rest.starts_with("//")) {
        size_t pathStart = rest.find_first_of("/?", 2);
        if (pathStart == std::string::npos) {
            pathStart = rest.size();
        }
        parts.authority = rest.substr(2, pathStart - 2);
        rest = rest.substr(pathStart);
    }
    size_t query = rest.find('?');
    if (query != std::string::npos) {
        parts.query = rest.substr(query);
        rest.resize(query);
    }
    parts.path = rest.empty() || rest.front() != '/' ? "/" + rest : rest;
    return parts;
}

}  // namespace

std::string CanonicalAddress(std::string_view address) {
    address = Trimmed(address);
    if (IsDrivePath(address) || address.starts_with("\\\\")) {
        return "file:///" + Slashes(address);
    }
    size_t schemeLength = SchemeLength(address);
    if (LowerAscii(address.substr(0, schemeLength)) == "file:") {
        std::string rest = Slashes(address.substr(schemeLength));
        size_t slashes = 0;
        while (slashes < rest.size() && rest[slashes] == '/') {
            ++slashes;
        }
        if (IsDrivePath(std::string_view(rest).substr(slashes))) {
            return "file:///" + rest.substr(slashes);
        }
        return "file:" + rest;
    }
    return std::string(address);
}

std::string ResolveAddress(std::string_view base, std::string_view reference) {
    reference = Trimmed(reference);
    if (SchemeLength(reference) != 0 || IsDrivePath(reference)) {
        return CanonicalAddress(reference);
    }
    std::string canonicalBase = CanonicalAddress(base);
    size_t schemeLength = SchemeLength(canonicalBase);
    std::string scheme = LowerAscii(std::string_view(canonicalBase).substr(0, schemeLength));
    if (!IsHierarchical(scheme)) {
        return scheme.empty() ? std::string(reference) : scheme + std::string(reference);
    }
    if (reference.empty()) {
        size_t fragment = canonicalBase.find('#');
        return fragment == std::string::npos ? canonicalBase : canonicalBase.substr(0, fragment);
    }
    SplitAddress parts = Split(canonicalBase);
    std::string ref = Slashes(reference);
    auto join = [&parts](const std::string& path, const std::string& tail) {
        return parts.scheme + "//" + parts.authority + RemoveDotSegments(path) + tail;
    };
    if (ref.starts_with("//")) {
        return CanonicalAddress(parts.scheme + ref);
    }
    if (ref.front() == '#') {
        return join(parts.path, parts.query + ref);
    }
    if (ref.front() == '?') {
        return join(parts.path, ref);
    }
    size_t tailStart = ref.find_first_of("?#");
    std::string refPath = ref.substr(0, tailStart);
    std::string tail = tailStart == std::string::npos ? "" : ref.substr(tailStart);
    if (refPath.starts_with('/')) {
        // A root path on a drive-letter file address stays on that drive.
        if (parts.scheme == "file:" && parts.authority.empty() &&
            IsDrivePath(std::string_view(parts.path).substr(1))) {
            return join(parts.path.substr(0, 3) + refPath, tail);
        }
        return join(refPath, tail);
    }
    std::string directory = parts.path.substr(0, parts.path.rfind('/') + 1);
    return join(directory + refPath, tail);
}

std::string PercentDecoded(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexDigitValue(text[i + 1]) >= 0 &&
            HexDigitValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexDigitValue(text[i + 1]) * 16 + HexDigitValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace platform::web
