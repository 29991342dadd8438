#include "platform/registry/RegistryText.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <optional>
#include <vector>

#include "platform/registry/RegistryPath.h"
#include "platform/text/HexDigit.h"

namespace platform {
namespace {

constexpr std::string_view kHeader = "larchway-registry 1";

bool IsPlain(unsigned char byte) {
    return byte >= 0x21 && byte <= 0x7E && byte != '%' && byte != '"' && byte != '\\';
}

void AppendEscaped(std::string& out, std::string_view bytes) {
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    for (char c : bytes) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (IsPlain(byte)) {
            out += c;
        } else {
            out += '%';
            out += kHexDigits[byte >> 4];
            out += kHexDigits[byte & 0x0F];
        }
    }
}

std::optional<std::string> Unescape(std::string_view escaped) {
    std::string bytes;
    bytes.reserve(escaped.size());
    for (std::size_t i = 0; i < escaped.size();) {
        unsigned char byte = static_cast<unsigned char>(escaped[i]);
        if (byte == '%') {
            if (escaped.size() - i < 3) {
                return std::nullopt;
            }
            int high = HexDigitValue(escaped[i + 1]);
            int low = HexDigitValue(escaped[i + 2]);
            if (high < 0 || low < 0) {
                return std::nullopt;
            }
            bytes += static_cast<char>(high * 16 + low);
            i += 3;
        } else if (IsPlain(byte)) {
            bytes += escaped[i];
            ++i;
        } else {
            return std::nullopt;
        }
    }
    return bytes;
}

std::optional<std::string_view> Unquote(std::string_view token) {
    if (token.size() < 2 || token.front() != '"' || token.back() != '"') {
        return std::nullopt;
    }
    return token.substr(1, token.size() - 2);
}

template <typename Number>
bool ParseNumber(std::string_view token, int base, Number& number) {
    if (token.empty()) {
        return false;
    }
    const char* end = token.data() + token.size();
    auto [stop, error] = std::from_chars(token.data(), end, number, base);
    return error == std::errc() && stop == end;
}

std::vector<std::string_view> SplitTokens(std::string_view line) {
    std::vector<std::string_view> tokens;
    std::size_t start = 0;
    while (true) {
        std::size_t space = line.find(' ', start);
        tokens.push_back(line.substr(start, space - start));
        if (space == std::string_view::npos) {
            return tokens;
        }
        start = space + 1;
    }
}

void AddMissingRoots(RegistryNode& top) {
    for (std::string_view root : kRegistryRootNames) {
        if (top.FindChild(root) == nullptr) {
            top.AddChild(std::string(root), 0);
        }
    }
}

void FormatKey(std::string& out, const RegistryNode& key, const std::string& escapedPath,
               std::size_t& keys, std::size_t& values) {
    ++keys;
    values += key.values().size();
    char time[17];
    std::snprintf(time, sizeof time, "%016llX",
                  static_cast<unsigned long long>(key.lastWriteTime()));
    out += "key \"";
    out += escapedPath;
    out += "\" ";
    out += time;
    out += '\n';
    for (const RegistryValue& value : key.values()) {
        out += "value \"";
        AppendEscaped(out, value.name);
        out += "\" ";
        out += std::to_string(value.type);
        out += " \"";
        AppendEscaped(out, value.data);
        out += "\"\n";
    }
    for (const auto& child : key.children()) {
        std::string childPath = escapedPath + '\\';
        AppendEscaped(childPath, child->name());
        FormatKey(out, *child, childPath, keys, values);
    }
}

// Parents come before their children, so every level but the last must exist already.
RegistryNode* ParseKey(RegistryNode& top, std::string_view pathToken, std::string_view timeToken) {
    std::optional<std::string_view> path = Unquote(pathToken);
    ULONGLONG time = 0;
    if (!path || timeToken.size() != 16 || !ParseNumber(timeToken, 16, time)) {
        return nullptr;
    }
    RegistryNode* parent = &top;
    std::size_t depth = 0;
    while (true) {
        std::size_t separator = path->find('\\');
        std::optional<std::string> name = Unescape(path->substr(0, separator));
        if (!name || name->empty() || name->size() > kMaxKeyNameLength) {
            return nullptr;
        }
        if (separator == std::string_view::npos) {
            bool isRoot = std::find(kRegistryRootNames.begin(), kRegistryRootNames.end(), *name) !=
                          kRegistryRootNames.end();
            if ((parent == &top && !isRoot) || depth > kMaxKeyDepth ||
                parent->FindChild(*name) != nullptr) {
                return nullptr;
            }
            return &parent->AddChild(std::move(*name), time);
        }
        parent = parent->FindChild(*name);
        if (parent == nullptr) {
            return nullptr;
        }
        ++depth;
        path = path->substr(separator + 1);
    }
}

bool ParseValue(RegistryNode& key, std::string_view nameToken, std::string_view typeToken,
                std::string_view dataToken) {
    std::optional<std::string_view> quotedName = Unquote(nameToken);
    std::optional<std::string_view> quotedData = Unquote(dataToken);
    DWORD type = 0;
    if (!quotedName || !quotedData || !ParseNumber(typeToken, 10, type)) {
        return false;
    }
    std::optional<std::string> name = Unescape(*quotedName);
    std::optional<std::string> data = Unescape(*quotedData);
    if (!name || !data || name->size() > kMaxValueNameLength || data->size() > kMaxValueDataSize ||
        key.FindValue(*name) != nullptr) {
        return false;
    }
    key.SetValue(*name, type, std::move(*data));
    return true;
}

}  // namespace

std::unique_ptr<RegistryNode> NewRegistry() {
    auto top = std::make_unique<RegistryNode>("");
    AddMissingRoots(*top);
    return top;
}

std::string FormatRegistryText(const RegistryNode& top) {
    std::string out(kHeader);
    out += '\n';
    std::size_t keys = 0;
    std::size_t values = 0;
    for (const auto& root : top.children()) {
        std::string path;
        AppendEscaped(path, root->name());
        FormatKey(out, *root, path, keys, values);
    }
    out += "end " + std::to_string(keys) + ' ' + std::to_string(values) + '\n';
    return out;
}

std::unique_ptr<RegistryNode> ParseRegistryText(std::string_view text) {
    auto top = std::make_unique<RegistryNode>("");
    RegistryNode* current = nullptr;
    std::size_t keys = 0;
    std::size_t values = 0;
    bool headerSeen = false;
    bool endSeen = false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t newline = text.find('\n', start);
        if (newline == std::string_view::npos || endSeen) {
            return nullptr;
        }
        std::string_view line = text.substr(start, newline - start);
        start = newline + 1;
        if (!headerSeen) {
            if (line != kHeader) {
                return nullptr;
            }
            headerSeen = true;
            continue;
        }
        std::vector<std::string_view> tokens = SplitTokens(line);
        if (tokens[0] == "key" && tokens.size() == 3) {
            current = ParseKey(*top, tokens[1], tokens[2]);
            if (current == nullptr) {
                return nullptr;
            }
            ++keys;
        } else if (tokens[0] == "value" && tokens.size() == 4) {
            if (current == nullptr || !ParseValue(*current, tokens[1], tokens[2], tokens[3])) {
                return nullptr;
            }
            ++values;
        } else if (tokens[0] == "end" && tokens.size() == 3) {
            std::size_t keyCount = 0;
            std::size_t valueCount = 0;
            if (!ParseNumber(tokens[1], 10, keyCount) || !ParseNumber(tokens[2], 10, valueCount) ||
                keyCount != keys || valueCount != values) {
                return nullptr;
            }
            endSeen = true;
        } else {
            return nullptr;
        }
    }
    if (!endSeen) {
        return nullptr;
    }
    AddMissingRoots(*top);
    return top;
}

}  // namespace platform
