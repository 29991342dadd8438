#include "picture/PictureApp.h"

#include "browser/BrowserDataStore.h"
#include "browser/SkinColors.h"
#include "picture/HtmlHelpers.h"
#include "picture/PictureFrame.h"
#include "picture/PictureView.h"
#include "platform/drawing/Gdi.h"

namespace {

void ReplaceFont(HFONT& slot, HFONT font) {
    if (slot != nullptr) {
        ::DeleteObject(slot);
    }
    slot = font;
}

HFONT CreateSongFont(int height) {
    return ::CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 0x20, "宋体");
}

}  // namespace

CPictureApp::CPictureApp() {
    DataStore().startPageFields = CBrowserDataStore::StartPageFields::kAddressPattern;
}

BOOL CPictureApp::CheckPendingUpdate() {
    return FALSE;
}

void CPictureApp::CreateSharedFonts() {
    ReplaceFont(Skin().normalFont, CreateSongFont(12));
    ReplaceFont(Skin().headingFont, CreateSongFont(18));
}

void CPictureApp::PrepareProgramFolder() {
    DeleteHtmlCache();
}

CRuntimeClass* CPictureApp::FrameClass() const {
    return RUNTIME_CLASS(CPictureFrame);
}

CRuntimeClass* CPictureApp::ViewClass() const {
    return RUNTIME_CLASS(CPictureView);
}
