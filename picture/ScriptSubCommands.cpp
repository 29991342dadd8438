// The statements that take a sub-command: %html, %database and %formatstring.
#include <algorithm>
#include <string>
#include <vector>

#include "common/AppFolder.h"
#include "picture/HtmlExtractor.h"
#include "picture/HtmlHelpers.h"
#include "picture/ScriptEngine.h"
#include "picture/ScriptRelay.h"
#include "platform/text/Gbk.h"

namespace {

// The filler cells of a last row stop at this column, whatever count the script gives.
constexpr int kMaxTableColumns = 1000;
// "record" reads at most this many fields.
constexpr int kMaxRecordFields = 10;

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && platform::CompareNoCase(a, b) == 0;
}

// ASCII letters folded, never the second byte of a double-byte character.
std::string Folded(std::string_view text) {
    std::string folded(text);
    platform::ToLowerAscii(folded);
    return folded;
}

// Removes every stretch from a start marker through the next end marker, letters compared
// without case. After each removal the search resumes where a start marker could now begin
// across the join, which finds what a search from the beginning would.
std::string DeleteMiddle(std::string text, std::string_view start, std::string_view end) {
    if (start.empty() && end.empty()) {
        return text;
    }
    std::string folded = Folded(text);
    const std::string foldedStart = Folded(start);
    const std::string foldedEnd = Folded(end);
    size_t from = 0;
    for (;;) {
        const size_t first = platform::FindText(folded, foldedStart, from);
        if (first == std::string::npos) {
            break;
        }
        const size_t last = platform::FindText(folded, foldedEnd, first + foldedStart.size());
        if (last == std::string::npos) {
            break;
        }
        const size_t count = last + foldedEnd.size() - first;
        text.erase(first, count);
        folded.erase(first, count);
        const size_t limit = foldedStart.empty()               ? first
                             : first + 1 >= foldedStart.size() ? first + 1 - foldedStart.size()
                                                               : 0;
        while (from < limit) {
            const size_t next = from + platform::CharLengthAt(folded, from);
            if (next > limit) {
                break;
            }
            from = next;
        }
    }
    return text;
}

// The pieces of text between CR LF pairs, each with its CR LF; a text that ends with CR LF has
// no empty piece after it.
std::vector<std::string_view> CrLfPieces(std::string_view text) {
    std::vector<std::string_view> pieces;
    size_t from = 0;
    while (from < text.size()) {
        const size_t end = text.find("\r\n", from);
        const size_t stop = end == std::string_view::npos ? text.size() : end + 2;
        pieces.push_back(text.substr(from, stop - from));
        from = stop;
    }
    return pieces;
}

}  // namespace

int CScriptEngine::ExecHtml() {
    std::string command;
    if (NextArgument(command) != 0) {
        return 1;
    }
    if (EqualsNoCase(command, "get_a")) {
        return ExecGetLink(false);
    }
    if (EqualsNoCase(command, "get_img")) {
        return ExecGetLink(true);
    }
    if (EqualsNoCase(command, "navigate")) {
        return ExecNavigate();
    }
    if (EqualsNoCase(command, "open")) {
        return ExecOpen();
    }
    if (EqualsNoCase(command, "open2")) {
        return ExecOpenPane();
    }
    return 0;
}

int CScriptEngine::ExecGetLink(bool pictures) {
    // A walk reads the same base once per element; its buffer is kept for the thread.
    thread_local std::string base;
    if (NextArgument(base) != 0) {
        return 1;
    }
    ScriptVariable* html = NextVariable();
    ScriptVariable* text = html != nullptr ? NextVariable() : nullptr;
    ScriptVariable* address = text != nullptr ? NextVariable() : nullptr;
    if (address == nullptr) {
        return 1;
    }
    CHtmlExtractor extractor;
    std::string innerText;
    std::string link;
    const int result = pictures ? extractor.ExtractNextImage(base, html->value, innerText, link)
                                : extractor.ExtractNextLink(base, html->value, innerText, link);
    if (result != 0 || !Store(text, std::move(innerText)) || !Store(address, std::move(link))) {
        return 1;
    }
    return 0;
}

int CScriptEngine::ExecNavigate() {
    std::string address;
    if (NextArgument(address) != 0 || m_pRelay == nullptr || m_pPage == nullptr) {
        return 1;
    }
    CPageDlg* page = m_pPage;
    const CString url(address);
    return m_pRelay->Call([&](CScriptHost& host) {
        if (!host.IsPageOpen(page)) {
            return 1;
        }
        host.NavigatePage(page, url);
        return 0;
    }) == 0
               ? 0
               : 1;
}

int CScriptEngine::ExecOpen() {
    std::string newTab;
    std::string activate;
    std::string address;
    if (!NextArguments(newTab, activate, address) || m_pRelay == nullptr) {
        return 1;
    }
    const CString url(address);
    const int inNewTab = platform::ParseInt(newTab) == 1 ? 1 : 0;
    const int makeCurrent = platform::ParseInt(activate) == 1 ? 1 : 0;
    return m_pRelay->Call([&](CScriptHost& host) {
        host.OpenUrl(url, inNewTab, makeCurrent);
        return 0;
    }) == 0
               ? 0
               : 1;
}

int CScriptEngine::ExecOpenPane() {
    std::string address;
    if (NextArgument(address) != 0 || m_pRelay == nullptr) {
        return 1;
    }
    const CString url(address);
    return m_pRelay->Call([&](CScriptHost& host) { return host.NavigatePane(url); }) == 0 ? 0 : 1;
}

int CScriptEngine::ExecDatabase() {
    std::string command;
    if (NextArgument(command) != 0) {
        return 1;
    }
    if (EqualsNoCase(command, "open")) {
        std::string connection;
        if (NextArgument(connection) != 0) {
            return 1;
        }
        const int result = m_database.Open(CString(connection));
        if (!m_database.GetErrorText().IsEmpty()) {
            Trace(m_database.GetErrorText());
        }
        return result;
    }
    if (EqualsNoCase(command, "exec")) {
        std::string sql;
        if (NextArgument(sql) != 0) {
            return 1;
        }
        const int result = m_database.Execute(CString(sql));
        Trace(("execute database:" + std::to_string(result)).c_str());
        if (!m_database.GetErrorText().IsEmpty()) {
            Trace(m_database.GetErrorText());
        }
        return result;
    }
    if (EqualsNoCase(command, "record")) {
        return ExecRecord();
    }
    if (EqualsNoCase(command, "create_html_table")) {
        return ExecCreateHtmlTable();
    }
    return 0;
}

int CScriptEngine::ExecRecord() {
    int count = 0;
    if (NextIntArgument(count) != 0) {
        return 1;
    }
    const int fields = std::clamp(count, 0, kMaxRecordFields);
    std::vector<ScriptVariable*> variables;
    for (int i = 0; i < fields; ++i) {
        ScriptVariable* variable = NextVariable();
        if (variable == nullptr) {
            return 1;
        }
        variables.push_back(variable);
    }
    std::string sql;
    if (NextArgument(sql) != 0) {
        return 1;
    }
    std::vector<std::string> texts(variables.size());
    m_database.QueryFirstRecord(CString(sql), fields, texts);
    bool stored = true;
    for (size_t i = 0; i < variables.size(); ++i) {
        stored = Store(variables[i], std::move(texts[i])) && stored;
    }
    return stored ? 0 : 1;
}

int CScriptEngine::ExecCreateHtmlTable() {
    ScriptVariable* variable = NextVariable();
    int columns = 0;
    int fields = 0;
    std::string match;
    std::string class1;
    std::string class2;
    std::string cellFormat;
    std::string sql;
    if (variable == nullptr || NextIntArgument(columns) != 0 || NextIntArgument(fields) != 0 ||
        !NextArguments(match, class1, class2, cellFormat, sql)) {
        return 1;
    }
    CreateHtmlTable(variable, columns, fields, match, class1, class2, cellFormat, sql);
    return 0;
}

int CScriptEngine::CreateHtmlTable(ScriptVariable* pVariable, int columns, int fields,
                                   const std::string& match, const std::string& class1,
                                   const std::string& class2, const std::string& cellFormat,
                                   const std::string& sql) {
    CAdoRecordset records;
    if (m_database.OpenRecordset(CString(sql), records) != 0) {
        return 1;
    }
    std::string table;
    int cells = 0;
    std::vector<_variant_t> values;
    try {
        while (records.GetFieldValues(fields, values) == 0) {
            records.MoveNext();
            std::vector<std::string> texts;
            for (const _variant_t& value : values) {
                std::string text;
                if (!CAdoDatabase::ValueToText(value, text)) {
                    return 1;
                }
                texts.push_back(std::move(text));
            }
            if (cells == 0) {
                table += "<tr class=trpa369_a>";
            }
            // A record with fewer than two fields leaves the missing ones empty.
            const std::string first = texts.empty() ? std::string() : texts[0];
            const std::string second = texts.size() < 2 ? std::string() : texts[1];
            const std::string& cellClass =
                CString(first).CollateNoCase(match.c_str()) == 0 ? class1 : class2;
            table += "<td class=td_" + cellClass + ">" +
                     platform::FillPattern(cellFormat, {cellClass, first, second}) + "</td>";
            if (++cells == columns) {
                table += "</tr>";
                cells = 0;
            }
            if (table.size() > m_maxValueLength) {
                return 1;
            }
        }
    } catch (const _com_error&) {
        return 1;
    }
    if (cells != 0) {
        for (int cell = cells; cell < std::min(columns, kMaxTableColumns); ++cell) {
            table += "<td class=td_" + class2 + ">&nbsp;</td>";
        }
        table += "</tr>";
    }
    return Store(pVariable, std::move(table)) ? 0 : 1;
}

int CScriptEngine::ExecFormatString() {
    std::string command;
    if (NextArgument(command) != 0) {
        return 1;
    }
    static constexpr std::string_view kCommands[] = {
        "del_html_flag", "replace_line", "del_blank_line",  "lower", "del_mid_str",
        "rand",          "getcurrypath", "format_img_flag", "map",
    };
    const auto* known =
        std::find_if(std::begin(kCommands), std::end(kCommands),
                     [&](std::string_view name) { return EqualsNoCase(command, name); });
    if (known == std::end(kCommands)) {
        return 0;
    }
    const std::string_view name = *known;
    ScriptVariable* variable = NextVariable();
    if (variable == nullptr) {
        return 1;
    }
    const std::string_view value = variable->value.view();
    if (name == "del_html_flag") {
        CString text(value);
        StripHtmlTags(text);
        return Store(variable, std::string(text.view())) ? 0 : 1;
    } else if (name == "replace_line") {
        std::string search;
        std::string line;
        if (!NextArguments(search, line)) {
            return 1;
        }
        return Store(variable, ReplaceLines(value, search, line)) ? 0 : 1;
    } else if (name == "del_blank_line") {
        return Store(variable, DeleteBlankLines(value)) ? 0 : 1;
    } else if (name == "lower") {
        std::string lower(value);
        platform::ToLowerAscii(lower);
        return Store(variable, std::move(lower)) ? 0 : 1;
    } else if (name == "del_mid_str") {
        std::string start;
        std::string end;
        if (!NextArguments(start, end)) {
            return 1;
        }
        return Store(variable, DeleteMiddle(std::string(value), start, end)) ? 0 : 1;
    } else if (name == "rand") {
        return Store(variable, std::to_string(m_random.Next())) ? 0 : 1;
    } else if (name == "getcurrypath") {
        return Store(variable, std::string(GetAppFolderNoChdir().view())) ? 0 : 1;
    } else if (name == "format_img_flag") {
        std::string base;
        std::string format;
        if (!NextArguments(base, format)) {
            return 1;
        }
        return Store(variable, FormatImageTags(value, base, format)) ? 0 : 1;
    }
    return ExecMap(variable);
}

int CScriptEngine::ExecMap(ScriptVariable* pVariable) {
    std::string fallback;
    if (NextArgument(fallback) != 0) {
        return 1;
    }
    const std::string key(pVariable->value.view());
    if (!Store(pVariable, std::move(fallback))) {
        return 1;
    }
    std::string candidate;
    std::string value;
    while (NextArgument(candidate) == 0 && NextArgument(value) == 0) {
        if (EqualsNoCase(candidate, key)) {
            return Store(pVariable, std::move(value)) ? 0 : 1;
        }
    }
    return 0;
}

std::string CScriptEngine::ReplaceLines(std::string_view text, std::string_view search,
                                        std::string_view line) {
    std::string replaced;
    for (const std::string_view piece : CrLfPieces(text)) {
        if (platform::FindText(piece, search) == std::string_view::npos) {
            replaced.append(piece);
            continue;
        }
        replaced.append(line);
        if (piece.ends_with("\r\n")) {
            replaced += "\r\n";
        }
        if (replaced.size() > kMaxValueLength) {
            break;
        }
    }
    return replaced;
}

std::string CScriptEngine::DeleteBlankLines(std::string_view text) {
    std::string kept;
    for (std::string_view piece : CrLfPieces(text)) {
        if (piece.ends_with("\r\n")) {
            piece.remove_suffix(2);
        }
        const std::string line = CHtmlExtractor::Trimmed(piece);
        if (!line.empty()) {
            kept += line;
            kept += "\r\n";
        }
    }
    return kept;
}

std::string CScriptEngine::FormatImageTags(std::string_view text, std::string_view base,
                                           std::string_view format) {
    const std::string folded = Folded(text);
    std::string formatted;
    size_t from = 0;
    for (;;) {
        const size_t open = folded.find("<img", from);
        const size_t close = open == std::string::npos ? std::string::npos : folded.find('>', open);
        if (close == std::string::npos) {
            break;
        }
        formatted.append(text.substr(from, open - from));
        const std::string source = ResolveImageSource(text.substr(open, close - open + 1), base);
        if (source.size() >= 3) {
            formatted += platform::FillPattern(format, {source});
        }
        from = close + 1;
        if (formatted.size() > kMaxValueLength) {
            return formatted;
        }
    }
    formatted.append(text.substr(from));
    return formatted;
}

std::string CScriptEngine::ResolveImageSource(std::string_view tag, std::string_view base) {
    std::string root;
    std::string directory;
    CHtmlExtractor::SplitBase(base, root, directory);
    const size_t slashes = base.find("//");
    if (slashes != std::string_view::npos) {
        const size_t last = base.rfind('/');
        // A base without a path keeps its host: "scheme://host" gives "scheme://host/".
        directory =
            last > slashes + 1 ? std::string(base.substr(0, last + 1)) : std::string(base) + '/';
    }
    std::string value;
    CHtmlExtractor::AttributeValue(tag.substr(0, tag.find('>')), "src", value);
    value = CHtmlExtractor::Trimmed(value);
    if (value.find("//") != std::string::npos) {
        return value;
    }
    return (value.starts_with('/') ? root : directory) + value;
}
