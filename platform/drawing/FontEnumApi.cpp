// EnumFontFamiliesA and EnumFontsA over the faces this system offers.
#include <string>

#include "platform/drawing/FontFaces.h"
#include "platform/drawing/Gdi.h"
#include "platform/drawing/TextFont.h"
#include "platform/text/Gbk.h"

using namespace platform;

namespace {

// The cell height the enumerated fonts are described at.
constexpr LONG kEnumHeight = 16;

int EnumerateFaces(LPCSTR name, FONTENUMPROCA proc, LPARAM lParam) {
    if (proc == nullptr) {
        return 0;
    }
    int result = 1;
    auto report = [&](const std::string& face, LONG weight, bool italic) {
        const LOGFONTA font = FontFaces::LogFontOf(face, kEnumHeight, weight, italic);
        const TEXTMETRICA metrics = TextFont::For(font)->metrics();
        result = proc(&font, &metrics, TRUETYPE_FONTTYPE, lParam);
        return result != 0;
    };
    for (const std::string& face : FontFaces::Names()) {
        if (name == nullptr) {
            if (!report(face, FW_NORMAL, false)) {
                break;
            }
        } else if (CompareNoCase(face, name) == 0) {
            report(face, FW_NORMAL, false) && report(face, FW_NORMAL, true) &&
                report(face, FW_BOLD, false) && report(face, FW_BOLD, true);
            break;
        }
    }
    return result;
}

}  // namespace

int EnumFontFamiliesA(HDC, LPCSTR family, FONTENUMPROCA proc, LPARAM lParam) {
    return EnumerateFaces(family, proc, lParam);
}

int EnumFontsA(HDC, LPCSTR face, FONTENUMPROCA proc, LPARAM lParam) {
    return EnumerateFaces(face, proc, lParam);
}
