#include "platform/framework/SingleDocTemplate.h"

#include "platform/framework/Document.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/WinThread.h"

IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass,
                                       CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass) {}

CSingleDocTemplate::~CSingleDocTemplate() {
    if (m_pOnlyDoc != nullptr) {
        m_pOnlyDoc->m_pDocTemplate = nullptr;
    }
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc) {
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc) {
    CDocTemplate::RemoveDocument(pDoc);
    if (m_pOnlyDoc == pDoc) {
        m_pOnlyDoc = nullptr;
    }
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible) {
    if (lpszPathName != nullptr) {
        return nullptr;
    }
    CWinThread* thread = AfxGetThread();
    CDocument* document = m_pOnlyDoc;
    CFrameWnd* frame = nullptr;
    bool created = false;
    if (document != nullptr) {
        CWnd* main = thread != nullptr ? thread->GetMainWnd() : nullptr;
        if (main != nullptr && main->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
            frame = static_cast<CFrameWnd*>(main);
        }
    } else {
        document = CreateNewDocument();
        if (document == nullptr) {
            return nullptr;
        }
        created = true;
    }
    if (frame == nullptr) {
        // The document must survive a frame that fails halfway, views and all.
        const BOOL autoDelete = document->m_bAutoDelete;
        document->m_bAutoDelete = FALSE;
        frame = CreateNewFrame(document, nullptr);
        document->m_bAutoDelete = autoDelete;
        if (frame == nullptr) {
            if (created) {
                delete document;
            }
            return nullptr;
        }
    }
    if (!document->OnNewDocument()) {
        if (created) {
            frame->DestroyWindow();
        }
        return nullptr;
    }
    if (created && thread != nullptr && thread->m_pMainWnd == nullptr) {
        thread->m_pMainWnd = frame;
    }
    InitialUpdateFrame(frame, document, bMakeVisible);
    return document;
}
