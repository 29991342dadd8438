#include "browser/QuorDoc.h"

IMPLEMENT_DYNCREATE(CQuorDoc, CDocument)
