// One rule of the browser's URL filter. The store owns its rules; the filter dialog creates, edits
// and deletes them in place.
#pragma once

#include "platform/text/CString.h"

// Values of FilterRule::scope. The field stays a plain int because the settings file stores
// whatever number it holds; a value outside these three makes the rule inert.
enum FilterScope {
    kFilterScopeAllSites = 0,
    kFilterScopeOnlySite = 1,
    kFilterScopeExceptSite = 2,
};

struct FilterRule {
    int scope = kFilterScopeAllSites;
    // Text that a blocked address contains, compared ignoring case.
    CString pattern;
    // Host text for the site-bound scopes, compared ignoring case; empty for kFilterScopeAllSites.
    CString site;
};
