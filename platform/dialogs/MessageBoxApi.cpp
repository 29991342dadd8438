// MessageBoxA, its answerer and the record of the boxes asked for.
#include "platform/dialogs/MessageBoxApi.h"

#include <cstdio>
#include <mutex>

#include "platform/dialogs/MessageBoxButtons.h"
#include "platform/dialogs/MessageBoxWindow.h"
#include "platform/text/Encoding.h"

namespace platform {

namespace {

struct Boxes {
    std::mutex mutex;
    MessageBoxAnswerer answerer;
    std::vector<MessageBoxCall> shown;
};

Boxes& TheBoxes() {
    static Boxes boxes;
    return boxes;
}

}  // namespace

void SetMessageBoxAnswerer(MessageBoxAnswerer answerer) {
    Boxes& boxes = TheBoxes();
    std::lock_guard lock(boxes.mutex);
    boxes.answerer = std::move(answerer);
}

std::vector<MessageBoxCall> TakeShownMessageBoxes() {
    Boxes& boxes = TheBoxes();
    std::lock_guard lock(boxes.mutex);
    std::vector<MessageBoxCall> taken;
    taken.swap(boxes.shown);
    return taken;
}

int AnswerWithoutDisplay(const MessageBoxCall& call) {
    std::fprintf(stderr, "%s: %s\n", GbkToUtf8(call.caption).c_str(), GbkToUtf8(call.text).c_str());
    const auto buttons = MessageBoxButtons::For(call.type);
    if (!buttons || buttons->empty()) {
        return 0;
    }
    const int closed = MessageBoxButtons::CancelResult(*buttons);
    return closed != 0 ? closed : buttons->back().id;
}

}  // namespace platform

int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    const auto buttons = platform::MessageBoxButtons::For(uType);
    if (!buttons) {
        SetLastError(ERROR_INVALID_MSGBOX_STYLE);
        return 0;
    }
    platform::MessageBoxCall call;
    call.owner = hWnd;
    call.text = lpText != nullptr ? lpText : "";
    call.caption = lpCaption != nullptr ? lpCaption : "错误";
    call.type = uType;

    platform::Boxes& boxes = platform::TheBoxes();
    platform::MessageBoxAnswerer answerer;
    size_t index = 0;
    {
        // Recorded before it is answered, so that a box raised while this one is up comes after.
        std::lock_guard lock(boxes.mutex);
        answerer = boxes.answerer;
        index = boxes.shown.size();
        boxes.shown.push_back(call);
    }
    const int result = answerer ? answerer(call) : platform::MessageBoxWindow::Run(call, *buttons);
    std::lock_guard lock(boxes.mutex);
    if (index < boxes.shown.size()) {
        boxes.shown[index].result = result;
    }
    return result;
}
