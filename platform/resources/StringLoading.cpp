#include <optional>
#include <string>

#include "platform/resources/ResourceApi.h"
#include "platform/text/CString.h"

BOOL CString::LoadString(UINT id) {
    std::optional<std::string> text = platform::LoadResourceString(nullptr, id);
    if (!text) {
        return FALSE;
    }
    *this = CString(std::string_view(*text));
    return TRUE;
}
