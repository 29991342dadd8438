// ChooseFontA: the request, its answer or window, and the chosen font.
#include "platform/commondialogs/FontDialogApi.h"

#include <cstring>

#include "platform/commondialogs/FontDialogWindow.h"
#include "platform/text/Gbk.h"

namespace platform {

namespace {

int ScreenDotsPerInch() {
    HDC dc = CreateCompatibleDC(nullptr);
    const int dots = GetDeviceCaps(dc, LOGPIXELSY);
    DeleteDC(dc);
    return dots > 0 ? dots : 96;
}

FontSelection FromAnswer(const CommonDialogAnswer& answer, const FontSelection& initial,
                         bool effects) {
    FontSelection selection = initial;
    const std::string face(answer.font.lfFaceName, strnlen(answer.font.lfFaceName, LF_FACESIZE));
    if (!face.empty()) {
        selection.face = face;
    }
    if (answer.pointSize > 0) {
        selection.pointSize = answer.pointSize;
    }
    selection.bold = answer.font.lfWeight >= 600;
    selection.italic = answer.font.lfItalic != 0;
    if (effects) {
        selection.underline = answer.font.lfUnderline != 0;
        selection.strikeOut = answer.font.lfStrikeOut != 0;
        selection.color = answer.color;
    }
    return selection;
}

void Store(CHOOSEFONTA& choose, const FontSelection& selection, int dotsPerInch) {
    *choose.lpLogFont = FontChoice::ToLogFont(selection, dotsPerInch);
    choose.iPointSize = selection.pointSize * 10;
    if ((choose.Flags & CF_EFFECTS) != 0) {
        choose.rgbColors = selection.color;
    }
    choose.nFontType =
        static_cast<WORD>(SCREEN_FONTTYPE | (selection.bold ? BOLD_FONTTYPE : 0) |
                          (selection.italic ? ITALIC_FONTTYPE : 0) |
                          (!selection.bold && !selection.italic ? REGULAR_FONTTYPE : 0));
    if ((choose.Flags & CF_USESTYLE) != 0 && choose.lpszStyle != nullptr) {
        const std::string& style =
            FontChoice::Styles()[static_cast<size_t>(selection.italic + 2 * selection.bold)];
        std::memcpy(choose.lpszStyle, style.c_str(), style.size() + 1);
    }
}

}  // namespace

}  // namespace platform

BOOL ChooseFontA(LPCHOOSEFONTA lpcf) {
    using namespace platform;
    SetCommonDialogError(0);
    if (lpcf == nullptr || lpcf->lStructSize != sizeof(CHOOSEFONTA)) {
        SetCommonDialogError(CDERR_STRUCTSIZE);
        return FALSE;
    }
    if (lpcf->lpLogFont == nullptr) {
        SetCommonDialogError(CDERR_INITIALIZATION);
        return FALSE;
    }
    if ((lpcf->Flags & CF_BOTH) == 0) {
        SetCommonDialogError(CFERR_NOFONTS);
        return FALSE;
    }
    FontDialogSetup setup;
    setup.owner = lpcf->hwndOwner;
    setup.effects = (lpcf->Flags & CF_EFFECTS) != 0;
    if ((lpcf->Flags & CF_LIMITSIZE) != 0) {
        if (lpcf->nSizeMax < lpcf->nSizeMin) {
            SetCommonDialogError(CFERR_MAXLESSTHANMIN);
            return FALSE;
        }
        setup.minimumSize = lpcf->nSizeMin;
        setup.maximumSize = lpcf->nSizeMax;
    }
    const int dotsPerInch = ScreenDotsPerInch();
    if ((lpcf->Flags & CF_INITTOLOGFONTSTRUCT) != 0) {
        setup.initial = FontChoice::FromLogFont(*lpcf->lpLogFont,
                                                setup.effects ? lpcf->rgbColors : 0, dotsPerInch);
    } else {
        setup.initial.face = "宋体";
        setup.initial.color = setup.effects ? lpcf->rgbColors : 0;
    }

    CommonDialogRequest request;
    request.kind = CommonDialogKind::Font;
    request.owner = setup.owner;
    request.title = "字体";
    request.flags = lpcf->Flags;
    request.font = FontChoice::ToLogFont(setup.initial, dotsPerInch);
    request.color = setup.initial.color;

    std::optional<FontSelection> chosen;
    if (const std::optional<CommonDialogAnswer> answer = AskCommonDialogAnswerer(request)) {
        // The dialog offers no size outside the limits, so such an answer chooses nothing.
        if (answer->chosen) {
            chosen = FromAnswer(*answer, setup.initial, setup.effects);
            if (chosen->pointSize < setup.minimumSize || chosen->pointSize > setup.maximumSize) {
                chosen.reset();
            }
        }
    } else {
        chosen = FontDialogWindow::Run(setup);
    }
    if (!chosen) {
        return FALSE;
    }
    Store(*lpcf, *chosen, dotsPerInch);
    return TRUE;
}
