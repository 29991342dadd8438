// The names a resource script may use without defining them, which on the original platform come
// from its system headers: window, dialog and control styles, standard command and dialog ids,
// virtual keys, menu flags and language ids, with their platform values.
#pragma once

#include <optional>
#include <string_view>

namespace platform {

std::optional<long long> FindBuiltinSymbol(std::string_view name);

}  // namespace platform
