#include "picture/ExtractTemplate.h"

#include <utility>

namespace {

// The data entries in the order they are copied, with the marker each fills.
constexpr std::pair<const char*, int> kMarkerEntries[] = {
    {".音乐地址", 10},        {".音乐地址2", 11},      {".必需图片标志", 8},
    {".必不需图片标志", 9},   {".posturl", 6},         {".posturl2", 7},
    {".table_end", 13},       {".tr_begin", 14},       {".tr_end", 15},
    {".td_begin", 16},        {".td_end", 17},         {".a_begin", 18},
    {".a_http_begin", 19},    {".a_http_end", 20},     {".a_end1", 21},
    {".a_end2", 22},          {".page_begin", 23},     {".PageABegin", 26},
    {".PageAEnd", 27},        {".PageAUrlBegin", 28},  {".PageAUrlEnd", 29},
    {".PageANameBegin", 30},  {".PageANameEnd", 31},   {".ImageABegin", 32},
    {".ImageAEnd", 33},       {".ImageAUrlBegin", 34}, {".ImageAUrlEnd", 35},
    {".ImageANameBegin", 36}, {".ImageANameEnd", 37},  {".page_end", 24},
    {".MP_OBJECT", 25},
};

}  // namespace

CExtractTemplate& ExtractTemplate() {
    static CExtractTemplate instance;
    return instance;
}

int CExtractTemplate::Load() {
    return LoadFrom("data\\ms.dat");
}

int CExtractTemplate::LoadFrom(const char* path) {
    m_file.Load(path);
    for (const auto& [name, marker] : kMarkerEntries) {
        if (const CDataEntry* pEntry = m_file.FindBlock(name)) {
            m_markers[static_cast<size_t>(marker)] = pEntry->m_strValue;
        }
    }
    return 0;
}

int CExtractTemplate::Release() {
    m_file.Clear();
    return 0;
}

CString CExtractTemplate::GetMarker(int number) const {
    if (number < kFirstMarker || number > kLastMarker) {
        return CString();
    }
    return m_markers[static_cast<size_t>(number)];
}
