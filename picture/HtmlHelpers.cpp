#include "picture/HtmlHelpers.h"

#include <string>
#include <string_view>

#include "platform/files/FileApi.h"

int DeleteHtmlCache() {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("html\\*.htm", &found);
    if (search == INVALID_HANDLE_VALUE) {
        return 0;
    }
    do {
        const std::string_view name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || name == "." ||
            name == "..") {
            continue;
        }
        DeleteFileA(("html\\" + std::string(name)).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return 0;
}

void StripHtmlTags(CString& text) {
    // One pass: what stands before the first "<" can never become part of a tag again.
    const std::string_view source = text.view();
    std::string stripped;
    stripped.reserve(source.size());
    size_t at = 0;
    for (;;) {
        const size_t open = source.find('<', at);
        if (open == std::string_view::npos) {
            stripped.append(source.substr(at));
            break;
        }
        stripped.append(source.substr(at, open - at));
        const size_t close = source.find('>', open + 1);
        if (close == std::string_view::npos) {
            break;
        }
        at = close + 1;
    }
    text = CString(std::string_view(stripped));
}
