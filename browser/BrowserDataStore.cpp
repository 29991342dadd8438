#include "browser/BrowserDataStore.h"

#include <errno.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "common/TextLineFile.h"
#include "common/WholeFile.h"
#include "platform/dialogs/MessageBoxApi.h"
#include "platform/files/FileApi.h"
#include "platform/files/Path.h"
#include "platform/framework/AfxMessageBox.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/Wnd.h"
#include "platform/text/Encoding.h"
#include "platform/text/Gbk.h"

namespace {

constexpr char kVisitedPath[] = "data\\visited.dat";
constexpr char kStartPagePath[] = "data\\main.htm";
// Bytes of startUrl kept in the settings file: the field less its last byte, which is always NUL.
constexpr size_t kStoredStartUrlLength = sizeof(CBrowserDataStore::startUrl) - 1;
// Scope and the two lengths: the least a rule record can take.
constexpr size_t kMinRuleRecordLength = 12;
// What follows the rules: promptMode, windowRect, the six options and the stored start address.
constexpr size_t kFieldsAfterRulesLength = 4 + 16 + 24 + kStoredStartUrlLength;
constexpr char kDamagedSuffix[] = ".damaged";

struct BuiltInEngine {
    const char* name;
    const char* url;
};

constexpr BuiltInEngine kBuiltInEngines[] = {
    {"百度网页", "http://www.baidu.com/s?tn=vortane_dg&word=%s"},
    {"百度新闻", "http://news.baidu.com/ns?tn=vortane_dg&word=%s"},
    {"百度MP3", "http://mp3.baidu.com/m?tn=vortane_dg&word=%s"},
    {"百度图片", "http://image.baidu.com/i?vortane_dg&word=%s"},
    {"GOOGLE网页", "http://www.google.cn/search?hl=zh-CN&q=%s"},
    {"GOOGLE图片", "http://images.google.cn/images?hl=zh-CN&q=%s"},
    {"GOOGLE资讯", "http://news.google.cn/news?hl=zh-CN&q=%s"},
    {"GOOGLE论坛", "http://groups.google.cn/groups?hl=zh-CN&q=%s"},
};

// The settings file is read from a byte view that each successful read shortens, so no read can
// pass the end and every length is checked against what is left.
bool ReadInt32(std::string_view& bytes, int& value) {
    if (bytes.size() < 4) {
        return false;
    }
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i) {
        bits = (bits << 8) | static_cast<unsigned char>(bytes[i]);
    }
    value = static_cast<int>(static_cast<std::int32_t>(bits));
    bytes.remove_prefix(4);
    return true;
}

bool ReadCountedText(std::string_view& bytes, CString& text) {
    int length = 0;
    if (!ReadInt32(bytes, length) || length < 0 || static_cast<size_t>(length) > bytes.size()) {
        return false;
    }
    text = CString(bytes.data(), length);
    bytes.remove_prefix(static_cast<size_t>(length));
    return true;
}

void AppendInt32(std::string& bytes, int value) {
    std::uint32_t bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<char>(bits & 0xFF));
        bits >>= 8;
    }
}

void AppendCountedText(std::string& bytes, const CString& text) {
    AppendInt32(bytes, text.GetLength());
    bytes.append(text.view());
}

bool ReadWholeFile(const char* path, std::string& bytes) {
    FILE* file = platform::OpenStdioFile(path, "rb");
    if (file == nullptr) {
        return false;
    }
    char chunk[4096];
    size_t count = 0;
    while ((count = std::fread(chunk, 1, sizeof(chunk), file)) > 0) {
        bytes.append(chunk, count);
    }
    std::fclose(file);
    return true;
}

// Saving happens at exit and after the filter dialog, where a silent failure would lose the
// user's changes unnoticed: the failure always goes to the standard error, and to a message box
// over the main window once the program has one.
void ReportSaveFailure(const char* path) {
    std::fprintf(stderr, "%s: %s could not be saved; the previous file is kept\n",
                 program_invocation_short_name, platform::GbkToUtf8(path).c_str());
    CWnd* mainWindow = AfxGetMainWnd();
    if (mainWindow != nullptr && mainWindow->GetSafeHwnd() != nullptr) {
        CString text;
        text.Format("无法保存设置文件 %s，原来的文件保持不变。", path);
        AfxMessageBox(text, MB_OK | MB_ICONWARNING);
    }
}

// Callers pass addresses from the controls; a null one reads as "", as CString takes it.
std::string_view TextOf(const char* text) {
    return text == nullptr ? std::string_view() : text;
}

// A quick test that every equal pair of texts passes: case folding keeps lengths, and setting
// bit 0x20 of every byte maps each ASCII letter and its other case to the same byte. Eight bytes
// are tested at a time, which keeps the search of a full visited list short.
bool MayEqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    constexpr std::uint64_t kCaseBits = 0x2020202020202020u;
    size_t i = 0;
    for (; i + 8 <= a.size(); i += 8) {
        std::uint64_t x = 0;
        std::uint64_t y = 0;
        std::memcpy(&x, a.data() + i, 8);
        std::memcpy(&y, b.data() + i, 8);
        if ((x | kCaseBits) != (y | kCaseBits)) {
            return false;
        }
    }
    for (; i < a.size(); ++i) {
        if ((a[i] | 0x20) != (b[i] | 0x20)) {
            return false;
        }
    }
    return true;
}

// Finds the first entry equal to `text` ignoring case, as `_mbsicmp` compares.
std::vector<CString>::iterator FindNoCase(std::vector<CString>& list, std::string_view text) {
    return std::find_if(list.begin(), list.end(), [text](const CString& entry) {
        return MayEqualNoCase(entry.view(), text) &&
               platform::CompareNoCase(entry.view(), text) == 0;
    });
}

// The filter tests plain bytes, as the original filter does: a pattern may match across the
// boundary of a two-byte character.
bool Contains(std::string_view text, std::string_view what) {
    return text.find(what) != std::string_view::npos;
}

// The address up to the first '/' after its "//", or the whole address when no such '/' exists.
std::string_view HostPart(std::string_view url) {
    size_t schemeEnd = url.find("//");
    size_t from = schemeEnd == std::string_view::npos ? 0 : schemeEnd + 2;
    size_t slash = url.find('/', from);
    return slash == std::string_view::npos ? url : url.substr(0, slash);
}

}  // namespace

CBrowserDataStore::CBrowserDataStore() : path("data\\filter.dat") {}

int CBrowserDataStore::Load() {
    std::string file;
    if (ReadWholeFile(path, file) && !LoadSettings(file) && !file.empty()) {
        damagedSettings_ = std::move(file);
    }
    LoadVisited(kVisitedPath);
    LoadEngines();
    return 0;
}

bool CBrowserDataStore::LoadSettings(std::string_view bytes) {
    int count = 0;
    if (!ReadInt32(bytes, filterPaused) || !ReadInt32(bytes, count)) {
        return false;
    }
    // A count that the file cannot hold is itself the damage. The rules are then read from the
    // bytes before the fixed-size fields, which stand at the end of the file, for as long as
    // they are whole; a damaged count never turns those fields into rules.
    const bool countFits =
        count >= 0 && static_cast<size_t>(count) <= bytes.size() / kMinRuleRecordLength;
    std::string_view ruleBytes = bytes;
    std::string_view fieldBytes;
    if (!countFits && bytes.size() >= kFieldsAfterRulesLength) {
        ruleBytes = bytes.substr(0, bytes.size() - kFieldsAfterRulesLength);
        fieldBytes = bytes.substr(bytes.size() - kFieldsAfterRulesLength);
    }
    for (int i = 0; countFits ? i < count : !ruleBytes.empty(); ++i) {
        auto rule = std::make_unique<FilterRule>();
        if (!ReadInt32(ruleBytes, rule->scope) || !ReadCountedText(ruleBytes, rule->pattern) ||
            !ReadCountedText(ruleBytes, rule->site)) {
            return false;
        }
        rules.push_back(std::move(rule));
    }
    if (countFits) {
        fieldBytes = ruleBytes;
    } else if (fieldBytes.empty()) {
        return false;
    }
    for (int* field : {&promptMode, &windowRect.left, &windowRect.top, &windowRect.right,
                       &windowRect.bottom, &tabMaximized, &activateNewPage, &tabsAtBottom, &newsOff,
                       &startPageMode, &announceUpdates}) {
        if (!ReadInt32(fieldBytes, *field)) {
            return false;
        }
    }
    // A start address whose NUL was read is whole, even when the padding after it is cut short.
    const std::string_view stored = fieldBytes.substr(0, kStoredStartUrlLength);
    if (stored.find('\0') != std::string_view::npos || stored.size() == kStoredStartUrlLength) {
        std::memset(startUrl, 0, sizeof(startUrl));
        std::memcpy(startUrl, stored.data(), stored.size());
    }
    return countFits && fieldBytes.size() == kStoredStartUrlLength;
}

void CBrowserDataStore::LoadVisited(const char* visitedPath) {
    CTextLineFile file;
    if (file.Open(visitedPath) != 0) {
        return;
    }
    char line[kMaxVisitedLineLength + 1];
    while (file.ReadLine(line) == 0) {
        // A line cut to the buffer, or damaged, may end in the first byte of a two-byte
        // character; it goes, as a save would drop it.
        std::string_view text(line);
        text = text.substr(0, platform::CutAtCharBoundary(text, text.size()));
        // An empty line is no address (a file that begins with a line end yields one).
        if (!text.empty()) {
            visitedUrls.emplace_back(text);
        }
    }
}

void CBrowserDataStore::LoadEngines() {
    CTextLineFile file;
    if (file.Open(kStartPagePath) != 0) {
        return;
    }
    char line[3072];
    if (file.FindLine("SEARCH_INFO_BEGIN", line) != 0) {
        for (const BuiltInEngine& engine : kBuiltInEngines) {
            engineNames.emplace_back(engine.name);
            engineUrls.emplace_back(engine.url);
        }
    } else {
        while (file.ReadValueLine(line) == 0 && std::strcmp(line, "SEARCH_INFO_END") != 0) {
            const char* space = std::strchr(line, ' ');
            if (space == nullptr) {
                break;
            }
            engineNames.emplace_back(line, static_cast<int>(space - line));
            engineUrls.emplace_back(space + 1);
        }
    }
    file.Rewind();
    if (startPageFields == StartPageFields::kAddressPattern) {
        if (file.FindLine("MAIN_PAGE_END", line) == 0 && file.ReadValueLine(line) == 0) {
            addressPattern = line;
        }
        return;
    }
    if (file.FindLine("SEARCH_TOOL_INFO", line) == 0) {
        if (file.ReadValueLine(line) == 0) {
            musicBoxText = line;
            if (file.ReadValueLine(line) == 0) {
                musicSearchUrl = line;
            }
        }
    }
}

int CBrowserDataStore::Save() {
    startUrl[kStoredStartUrlLength] = '\0';
    std::string bytes;
    AppendInt32(bytes, filterPaused);
    AppendInt32(bytes, static_cast<int>(rules.size()));
    for (const std::unique_ptr<FilterRule>& rule : rules) {
        AppendInt32(bytes, rule->scope);
        AppendCountedText(bytes, rule->pattern);
        AppendCountedText(bytes, rule->site);
    }
    for (int field :
         {promptMode, windowRect.left, windowRect.top, windowRect.right, windowRect.bottom,
          tabMaximized, activateNewPage, tabsAtBottom, newsOff, startPageMode, announceUpdates}) {
        AppendInt32(bytes, field);
    }
    bytes.append(startUrl, kStoredStartUrlLength);
    // What a damaged file held past the damage could not be read; it is kept beside the new
    // file, once, rather than overwritten.
    if (damagedSettings_) {
        const std::string keptPath = std::string(path) + kDamagedSuffix;
        if (!WriteWholeFile(keptPath.c_str(), *damagedSettings_)) {
            ReportSaveFailure(keptPath.c_str());
            return 0;
        }
        damagedSettings_.reset();
    }
    if (!WriteWholeFile(path, bytes)) {
        ReportSaveFailure(path);
    }
    return 0;
}

int CBrowserDataStore::SaveAll() {
    Save();
    std::string bytes;
    size_t count = std::min(visitedUrls.size(), kMaxVisitedUrls);
    for (size_t i = 0; i < count; ++i) {
        std::string_view url = visitedUrls[i].view();
        bytes.append(url.substr(0, platform::CutAtCharBoundary(url, kMaxVisitedLineLength)));
        bytes.append("\r\n");
    }
    if (!WriteWholeFile(kVisitedPath, bytes)) {
        ReportSaveFailure(kVisitedPath);
    }
    return 0;
}

int CBrowserDataStore::AddVisitedUrl(const char* url) {
    // The address may be one of the entries (the address box hands them back), so it is copied
    // before the list changes.
    CString entry(url);
    auto found = FindNoCase(visitedUrls, entry.view());
    if (found != visitedUrls.end()) {
        visitedUrls.erase(found);
    }
    visitedUrls.insert(visitedUrls.begin(), std::move(entry));
    if (visitedUrls.size() > kMaxVisitedUrls) {
        visitedUrls.resize(kMaxVisitedUrls);
    }
    return 1;
}

bool CBrowserDataStore::IsUrlBlocked(const char* url) const {
    if (filterPaused != 0) {
        return false;
    }
    std::string address(TextOf(url));
    platform::ToLowerAscii(address);
    std::string lowered;
    // The entries are lowered as well as the address: an entry keeps the case the page gave it,
    // and one with a capital letter would otherwise never match, leaving its page blocked.
    for (const CString& allowed : allowedUrls) {
        lowered = allowed.view();
        platform::ToLowerAscii(lowered);
        if (Contains(address, lowered)) {
            return false;
        }
    }
    std::string_view host = HostPart(address);
    for (const std::unique_ptr<FilterRule>& rule : rules) {
        lowered = rule->pattern.view();
        platform::ToLowerAscii(lowered);
        if (!Contains(address, lowered)) {
            continue;
        }
        if (rule->scope == kFilterScopeAllSites) {
            return true;
        }
        lowered = rule->site.view();
        platform::ToLowerAscii(lowered);
        if (rule->scope == kFilterScopeOnlySite && Contains(host, lowered)) {
            return true;
        }
        if (rule->scope == kFilterScopeExceptSite) {
            return !Contains(host, lowered);
        }
    }
    return false;
}

int CBrowserDataStore::AddBlockedUrl(const char* url) {
    if (FindNoCase(blockedUrls, TextOf(url)) != blockedUrls.end()) {
        return 0;
    }
    blockedUrls.insert(blockedUrls.begin(), CString(url));
    return 1;
}

void CBrowserDataStore::AddAllowedUrl(const char* url) {
    if (FindNoCase(allowedUrls, TextOf(url)) == allowedUrls.end()) {
        allowedUrls.emplace_back(url);
    }
}

void CBrowserDataStore::ClearFilterRules() {
    rules.clear();
}

CBrowserDataStore& DataStore() {
    static CBrowserDataStore store;
    return store;
}
