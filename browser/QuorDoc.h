// The browser's document: the document/view skeleton wants one, but all browsing state lives in
// the main frame and its pages.
#pragma once

#include "platform/framework/Document.h"

class CQuorDoc : public CDocument {
    DECLARE_DYNCREATE(CQuorDoc)

protected:
    CQuorDoc() = default;
};
