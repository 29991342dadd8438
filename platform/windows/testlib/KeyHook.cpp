// A hook library loaded by name in the input tests: its keyboard hook procedure counts the keys it
// is shown and keeps the last one, as an outside hot-key library would watch them.
#include <cstdint>

namespace {
int calls = 0;
std::uintptr_t last_key = 0;
}  // namespace

extern "C" std::intptr_t KeyboardHookProc(int, std::uintptr_t key, std::intptr_t) {
    ++calls;
    last_key = key;
    return 0;
}

extern "C" int HookCalls() {
    return calls;
}

extern "C" std::uintptr_t LastHookKey() {
    return last_key;
}
