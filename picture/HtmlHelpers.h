// Two helpers of the picture collector around its generated pages.
#pragma once

#include "platform/text/CString.h"

// Deletes every file "html\*.htm" below the current folder (start-up makes it the program
// folder); folders are left alone and failures ignored. Always 0.
int DeleteHtmlCache();

// Removes every tag, "<" through the next ">"; a "<" without a ">" after it cuts the text there.
// A ">" without a "<" before it stays.
void StripHtmlTags(CString& text);
