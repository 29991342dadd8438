#include "manager/PagePainter.h"

#include <string>

#include "manager/ManagerGdi.h"
#include "manager/SkinConfig.h"
#include "platform/framework/Wnd.h"

CPagePainter::~CPagePainter() {
    ReleaseBuffer();
}

int CPagePainter::LoadBackground(const char* fileName) {
    return background_.Load(fileName);
}

int CPagePainter::LoadSkin(const char* key) {
    char value[1024];
    if (ReadSkinValue(kSkinConfigFile, key, value, sizeof(value)) != 0) {
        return 1;
    }
    return LoadBackground(value);
}

int CPagePainter::ResetRects() {
    return rects_.Reset();
}

int CPagePainter::AddRect(const RECT& rect) {
    return rects_.AddRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

int CPagePainter::AddWindowRect(CWnd* page, CWnd* control) {
    CRect rect;
    control->GetWindowRect(&rect);
    page->ScreenToClient(&rect);
    return AddRect(rect);
}

void CPagePainter::SplitRects() {
    rects_.CollectEdges();
    rects_.Split();
    ready_ = 1;
}

CDC* CPagePainter::BeginDraw(CDC* windowDC, const RECT& rect) {
    if (ready_ == 0) {
        return nullptr;
    }
    ReleaseBuffer();
    bufferRect_ = rect;
    memoryDC_ = std::make_unique<CDC>();
    buffer_ = std::make_unique<CBitmap>();
    memoryDC_->CreateCompatibleDC(nullptr);
    buffer_->CreateCompatibleBitmap(windowDC, rect.right - rect.left, rect.bottom - rect.top);
    memoryDC_->SelectObject(buffer_.get());
    memoryDC_->SetBkMode(TRANSPARENT);
    ::SelectObject(memoryDC_->GetSafeHdc(), Gdi().uiFont);
    CBrush white;
    white.CreateSolidBrush(RGB(255, 255, 255));
    memoryDC_->FillRect(&rect, &white);
    return memoryDC_.get();
}

void CPagePainter::EndDraw(CDC* windowDC, BOOL whole) {
    if (memoryDC_ == nullptr) {
        return;
    }
    if (whole) {
        windowDC->BitBlt(0, 0, bufferRect_.right - bufferRect_.left,
                         bufferRect_.bottom - bufferRect_.top, memoryDC_.get(), 0, 0, SRCCOPY);
    } else {
        const RECT* rects = nullptr;
        const int count = rects_.GetRects(&rects);
        for (int i = 0; i < count; ++i) {
            const RECT& part = rects[i];
            windowDC->BitBlt(part.left, part.top, part.right - part.left, part.bottom - part.top,
                             memoryDC_.get(), part.left, part.top, SRCCOPY);
        }
    }
    ReleaseBuffer();
}

void CPagePainter::ReleaseBuffer() {
    memoryDC_.reset();
    buffer_.reset();
}

void CPagePainter::DrawTitle(CDC* dc, const RECT& client, const char* name) {
    const std::string title = std::string("  ::") + name + "::";
    RECT band{client.left, 0, client.right, kTitleBand};
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(RGB(255, 0, 0));
    HGDIOBJ oldFont = ::SelectObject(dc->GetSafeHdc(), Gdi().uiFont);
    dc->DrawText(title.c_str(), static_cast<int>(title.size()), &band,
                 DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    ::SelectObject(dc->GetSafeHdc(), oldFont);
}
