#include "platform/drawing/FontFaces.h"

#include <algorithm>
#include <cstring>

#include "platform/text/Gbk.h"

namespace platform {

const std::vector<std::string>& FontFaces::Names() {
    static const std::vector<std::string> faces = [] {
        std::vector<std::string> list = {"宋体",        "新宋体",   "黑体",    "楷体_GB2312",
                                         "仿宋_GB2312", "微软雅黑", "Courier", "MS Sans Serif"};
        std::stable_sort(list.begin(), list.end(), [](const std::string& a, const std::string& b) {
            return CompareNoCase(a, b) < 0;
        });
        return list;
    }();
    return faces;
}

bool FontFaces::IsChinese(const std::string& face) {
    return std::any_of(face.begin(), face.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

bool FontFaces::IsFixedPitch(const std::string& face) {
    return face != "微软雅黑" && face != "MS Sans Serif";
}

LOGFONTA FontFaces::LogFontOf(const std::string& face, LONG height, LONG weight, bool italic) {
    LOGFONTA font{};
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfItalic = italic ? 1 : 0;
    font.lfCharSet = IsChinese(face) ? GB2312_CHARSET : ANSI_CHARSET;
    font.lfOutPrecision = 3;   // OUT_STROKE_PRECIS
    font.lfClipPrecision = 2;  // CLIP_STROKE_PRECIS
    font.lfQuality = 1;        // DRAFT_QUALITY
    font.lfPitchAndFamily =
        IsFixedPitch(face) ? (FIXED_PITCH | FF_MODERN) : (VARIABLE_PITCH | FF_SWISS);
    const size_t length = CutAtCharBoundary(face, LF_FACESIZE - 1);
    std::memcpy(font.lfFaceName, face.data(), length);
    return font;
}

}  // namespace platform
