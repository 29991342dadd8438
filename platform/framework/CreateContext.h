// What a frame needs to build its view: the view's class, the document it shows and the
// template that made them; passed through CreateEx as the creation parameter.
#pragma once

#include "platform/framework/RuntimeClass.h"

class CDocTemplate;
class CDocument;
class CFrameWnd;
class CView;

class CCreateContext {
public:
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};
