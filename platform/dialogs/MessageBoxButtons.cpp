#include "platform/dialogs/MessageBoxButtons.h"

#include <algorithm>

#include "platform/dialogs/MessageBoxApi.h"

namespace platform {

namespace {

constexpr MessageBoxButton kOk{IDOK, "确定"};
constexpr MessageBoxButton kCancel{IDCANCEL, "取消"};
constexpr MessageBoxButton kAbort{IDABORT, "中止(&A)"};
constexpr MessageBoxButton kRetry{IDRETRY, "重试(&R)"};
constexpr MessageBoxButton kIgnore{IDIGNORE, "忽略(&I)"};
constexpr MessageBoxButton kYes{IDYES, "是(&Y)"};
constexpr MessageBoxButton kNo{IDNO, "否(&N)"};
constexpr MessageBoxButton kTryAgain{IDTRYAGAIN, "重试(&T)"};
constexpr MessageBoxButton kContinue{IDCONTINUE, "继续(&C)"};

}  // namespace

std::optional<std::vector<MessageBoxButton>> MessageBoxButtons::For(UINT type) {
    switch (type & MB_TYPEMASK) {
        case MB_OK:
            return std::vector{kOk};
        case MB_OKCANCEL:
            return std::vector{kOk, kCancel};
        case MB_ABORTRETRYIGNORE:
            return std::vector{kAbort, kRetry, kIgnore};
        case MB_YESNOCANCEL:
            return std::vector{kYes, kNo, kCancel};
        case MB_YESNO:
            return std::vector{kYes, kNo};
        case MB_RETRYCANCEL:
            return std::vector{kRetry, kCancel};
        case MB_CANCELTRYCONTINUE:
            return std::vector{kCancel, kTryAgain, kContinue};
        default:
            return std::nullopt;
    }
}

size_t MessageBoxButtons::DefaultIndex(UINT type, size_t count) {
    const size_t index = (type & MB_DEFMASK) >> 8;
    return index < count ? index : 0;
}

int MessageBoxButtons::CancelResult(const std::vector<MessageBoxButton>& buttons) {
    if (std::any_of(buttons.begin(), buttons.end(),
                    [](const MessageBoxButton& button) { return button.id == IDCANCEL; })) {
        return IDCANCEL;
    }
    return buttons.size() == 1 && buttons[0].id == IDOK ? IDOK : 0;
}

}  // namespace platform
