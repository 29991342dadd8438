#include "picture/QuorApp.h"

#include "browser/BrowserDataStore.h"
#include "browser/SkinColors.h"
#include "picture/HtmlHelpers.h"
#include "picture/MainFrame.h"
#include "picture/QuorView.h"
#include "platform/drawing/Gdi.h"

namespace glintora {

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

CQuorApp::CQuorApp() {
    DataStore().startPageFields = CBrowserDataStore::StartPageFields::kAddressPattern;
}

BOOL CQuorApp::CheckPendingUpdate() {
    return FALSE;
}

void CQuorApp::CreateSharedFonts() {
    ReplaceFont(Skin().normalFont, CreateSongFont(12));
    ReplaceFont(Skin().headingFont, CreateSongFont(18));
}

void CQuorApp::PrepareProgramFolder() {
    DeleteHtmlCache();
}

CRuntimeClass* CQuorApp::FrameClass() const {
    return RUNTIME_CLASS(CMainFrame);
}

CRuntimeClass* CQuorApp::ViewClass() const {
    return RUNTIME_CLASS(CQuorView);
}

}  // namespace glintora
