#include "picture/SectionedFile.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>

#include "browser/BrowserDataStore.h"
#include "browser/SkinColors.h"
#include "common/TextLineFile.h"
#include "common/WholeFile.h"
#include "platform/files/FileApi.h"
#include "platform/time/Clock.h"

namespace {

constexpr char kCodeBegin[] = "[CODE_BEGIN]";
constexpr char kCodeEnd[] = "[CODE_END]";
constexpr char kDataBegin[] = "[DATA_BEGIN]";
constexpr char kDataEnd[] = "[DATA_END]";
constexpr char kNewsPage[] = "data//result.htm";

bool StartsWith(const char* line, const char* marker) {
    return std::strncmp(line, marker, std::strlen(marker)) == 0;
}

// A count from the file, held to what the file can hold: negative counts are none, and no table
// gets more slots than the file has lines.
size_t BoundedCount(const char* text, int lineCount) {
    const long long count = std::strtoll(text, nullptr, 10);
    return static_cast<size_t>(std::clamp<long long>(count, 0, lineCount));
}

// The second blank-separated word of the header line, as "%s %s" reads it.
CString SecondWord(std::string_view line) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    size_t start = 0;
    while (start < line.size() && blank(line[start])) {
        ++start;
    }
    while (start < line.size() && !blank(line[start])) {
        ++start;
    }
    while (start < line.size() && blank(line[start])) {
        ++start;
    }
    size_t end = start;
    while (end < line.size() && !blank(line[end])) {
        ++end;
    }
    return CString(line.substr(start, end - start));
}

int CountValueLines(CTextLineFile& file, char* line) {
    int count = 0;
    while (file.ReadValueLine(line, CSectionedFile::kLineBufferSize) == 0) {
        ++count;
    }
    file.Rewind();
    return count;
}

}  // namespace

CSectionedFile& NewsList() {
    static CSectionedFile news;
    return news;
}

void CSectionedFile::Clear() {
    m_codeEntries.clear();
    m_dataEntries.clear();
    m_nCodeRead = 0;
    m_nDataRead = 0;
    m_pMain = nullptr;
}

int CSectionedFile::Load(const char* path) {
    Clear();
    CTextLineFile file;
    if (file.Open(path) != 0) {
        return 0;
    }
    auto line = std::make_unique<char[]>(kLineBufferSize);
    char* text = line.get();
    const int lineCount = CountValueLines(file, text);
    if (file.ReadValueLine(text, kLineBufferSize) != 0) {
        return 0;
    }
    m_codeEntries.resize(BoundedCount(text, lineCount));
    if (file.ReadValueLine(text, kLineBufferSize) != 0) {
        return 0;
    }
    m_dataEntries.resize(BoundedCount(text, lineCount));

    size_t codeRead = 0;
    size_t dataRead = 0;
    while (file.ReadValueLine(text, kLineBufferSize) == 0) {
        if (StartsWith(text, kCodeBegin)) {
            CCodeEntry* pEntry =
                codeRead < m_codeEntries.size() ? &m_codeEntries[codeRead] : nullptr;
            if (pEntry != nullptr) {
                ++codeRead;
                pEntry->m_pOwner = this;
                pEntry->m_strName = SecondWord(text);
            }
            if (file.ReadValueLine(text, kLineBufferSize) != 0) {
                break;
            }
            if (pEntry != nullptr) {
                pEntry->m_lines.resize(BoundedCount(text, lineCount));
            }
            while (file.ReadValueLine(text, kLineBufferSize) == 0 &&
                   std::strcmp(text, kCodeEnd) != 0) {
                if (pEntry != nullptr &&
                    static_cast<size_t>(pEntry->m_nLinesRead) < pEntry->m_lines.size()) {
                    pEntry->m_lines[static_cast<size_t>(pEntry->m_nLinesRead++)] = text;
                }
            }
            if (pEntry != nullptr && pEntry->IsMain()) {
                m_pMain = pEntry;
            }
        } else if (StartsWith(text, kDataBegin)) {
            while (file.ReadValueLine(text, kLineBufferSize) == 0 &&
                   std::strcmp(text, kDataEnd) != 0) {
                if (dataRead < m_dataEntries.size()) {
                    m_dataEntries[dataRead++].Parse(text);
                }
            }
        }
    }
    m_nCodeRead = static_cast<int>(codeRead);
    m_nDataRead = static_cast<int>(dataRead);
    return 0;
}

CDataEntry* CSectionedFile::FindBlock(const char* name) {
    return const_cast<CDataEntry*>(std::as_const(*this).FindBlock(name));
}

const CDataEntry* CSectionedFile::FindBlock(const char* name) const {
    for (int i = 0; i < m_nDataRead; ++i) {
        if (m_dataEntries[static_cast<size_t>(i)].m_strName.CompareNoCase(name) == 0) {
            return &m_dataEntries[static_cast<size_t>(i)];
        }
    }
    return nullptr;
}

int CSectionedFile::WriteNewsList() {
    const SkinColors& skin = Skin();
    const char* message = DataStore().newsOff != 0 ? "滚动新闻功能己禁止" : "滚动新闻功能己启动";
    CString page;
    page.Format(
        "<html><head><title>quorra list</title> <meta http-equiv=\"Content-Type\" "
        "content=\"text/html; charset=gb2312\"></head><body bgcolor=#%02X%02X%02X scroll=no "
        "oncontextmenu=\"return false\" onselectstart=\"return false\"  "
        "STYLE=\"BORDER:0;font-size:12px;MARGIN-top:2PX;BORDER-TOP:0PX SOLID GRAY\"> "
        "<center><font color=#%02X%02X%02X>%s</font></center></body>",
        GetRValue(skin.newsBackground), GetGValue(skin.newsBackground),
        GetBValue(skin.newsBackground), GetRValue(skin.newsText), GetGValue(skin.newsText),
        GetBValue(skin.newsText), message);
    // Let a page that still reads the former file finish with it first. A page that cannot be
    // written anew must not go on showing the former state.
    ::Sleep(0);
    ::DeleteFileA(kNewsPage);
    // A failed write answers 0, not 1: callers are told that the page is missing.
    return WriteWholeFile(kNewsPage, page.view()) ? 1 : 0;
}
