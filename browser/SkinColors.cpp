#include "browser/SkinColors.h"

#include <cstdlib>
#include <cstring>

#include "common/TextLineFile.h"
#include "platform/drawing/Gdi.h"
#include "platform/screen/ScreenApi.h"

namespace {

constexpr size_t kLineSize = 600;
constexpr COLORREF kWhite = 0xFFFFFF;

// "RGB(" then three numbers separated by commas; a part that does not parse is 0 and ends the
// parse, as the original's scanf-style reading does.
COLORREF ParseRgb(const char* line) {
    int parts[3] = {0, 0, 0};
    const char* cursor = std::strncmp(line, "RGB(", 4) == 0 ? line + 4 : nullptr;
    for (int i = 0; i < 3 && cursor != nullptr; ++i) {
        char* end = nullptr;
        long value = std::strtol(cursor, &end, 10);
        if (end == cursor) {
            break;
        }
        parts[i] = static_cast<int>(value);
        cursor = *end == ',' ? end + 1 : nullptr;
    }
    return RGB(parts[0] & 0xFF, parts[1] & 0xFF, parts[2] & 0xFF);
}

void Rebuild(HBRUSH& brush, COLORREF color) {
    if (brush != nullptr) {
        DeleteObject(brush);
    }
    brush = CreateSolidBrush(color);
}

}  // namespace

COLORREF ReadSkinColor(CTextLineFile& file, const char* key, COLORREF defaultColor) {
    char line[kLineSize];
    if (file.FindLine(key, line) != 0 || file.ReadValueLine(line) != 0) {
        return defaultColor;
    }
    return ParseRgb(line);
}

void SkinColors::Load(const char* path) {
    CTextLineFile file;
    char line[kLineSize];
    bool read = file.Open(path) == 0 && file.FindLine("[SKIN_CONFIG]", line) == 0 &&
                file.FindLine("[STYLE]", line) == 0;
    if (read) {
        style = file.ReadValueLine(line) == 0 ? std::atoi(line) : 0;
        file.FindLine("[TOOL_CONFIG]", line);
        toolBackground = ReadSkinColor(file, "[BACKGROUND_COLOR]", kWhite);
        toolText = ReadSkinColor(file, "[TEXT_COLOR]", 0);
        file.FindLine("[PAGELABLE_CONFIG]", line);
        tabBackground = ReadSkinColor(file, "[BACKGROUND_COLOR]", kWhite);
        tabText = ReadSkinColor(file, "[TEXT_COLOR]", 0);
        tabSelectedBegin = ReadSkinColor(file, "[BEGIN_SELECTED_BACKGROUND_COLOR]", 0);
        tabSelectedEnd = ReadSkinColor(file, "[END_SELECTED_BACKGROUND_COLOR]", 0);
        tabSelectedText = ReadSkinColor(file, "[SELECTED_TEXT_COLOR]", 0);
        buttonBorder = ReadSkinColor(file, "[BUTTON_BORDER_COLOR]", 0);
        buttonBackground = ReadSkinColor(file, "[BUTTON_BACKGROUND_COLOR]", 0);
        buttonText = ReadSkinColor(file, "[BUTTON_TEXT_COLOR]", 0);
        selectedButtonBorder = ReadSkinColor(file, "[SELECTED_BUTTON_BORDER_COLOR]", 0);
        selectedButtonBackground = ReadSkinColor(file, "[SELECTED_BUTTON_BACKGROUND_COLOR]", 0);
        selectedButtonText = ReadSkinColor(file, "[SELECTED_BUTTON_TEXT_COLOR]", 0);
        newsBackground = ReadSkinColor(file, "[NEWS_BACKGROUND_COLOR]", 0);
        newsText = ReadSkinColor(file, "[NEWS_TEXT_COLOR]", 0);
        file.FindLine("[STATUS_CONFIG]", line);
        statusBackground = ReadSkinColor(file, "[BACKGROUND_COLOR]", kWhite);
        statusItemBackground = ReadSkinColor(file, "[ITEM_BACKGROUND_COLOR]", 0);
        statusItemBorder = ReadSkinColor(file, "[ITEM_BORDER_COLOR]", 0);
        statusText = ReadSkinColor(file, "[TEXT_COLOR]", 0);
        progressColor1 = ReadSkinColor(file, "[PROGRESS_COLOR_1]", 0);
        progressColor2 = ReadSkinColor(file, "[PROGRESS_COLOR_2]", 0);
        file.FindLine("[MENU_CONFIG]", line);
        menuBackgroundLeft = ReadSkinColor(file, "[BACKGROUND_LEFT]", kWhite);
        menuBackgroundRight = ReadSkinColor(file, "[BACKGROUND_RIGHT]", 0);
        menuText = ReadSkinColor(file, "[TEXT_COLOR]", 0);
        menuSelectedBorder = ReadSkinColor(file, "[SELECTED_BORDER]", 0);
        menuSelectedBackground = ReadSkinColor(file, "[SELECTED_BACKGROUND]", 0);
        menuSelectedText = ReadSkinColor(file, "[SELECTED_TEXT_COLOR]", 0);
    }
    if (style == 1) {
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        for (COLORREF* member : {&toolBackground, &tabBackground, &statusBackground,
                                 &tabSelectedEnd, &buttonBackground, &newsBackground,
                                 &statusItemBackground, &progressColor2, &menuBackgroundRight}) {
            *member = face;
        }
    }
    Rebuild(toolBrush, toolBackground);
    Rebuild(tabBrush, tabBackground);
    Rebuild(statusBrush, statusBackground);
}

SkinColors& Skin() {
    static SkinColors colors;
    return colors;
}
