// Message boxes: MessageBoxA as a real modal dialog (the text, an icon and the system's buttons,
// sized to the text), and an answerer that tests and headless runs set instead, in which case no
// window is shown. Every box asked for is recorded, answered or shown.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/dialogs/DialogApi.h"

// clang-format off
#define MB_OK 0x00000000L
#define MB_OKCANCEL 0x00000001L
#define MB_ABORTRETRYIGNORE 0x00000002L
#define MB_YESNOCANCEL 0x00000003L
#define MB_YESNO 0x00000004L
#define MB_RETRYCANCEL 0x00000005L
#define MB_CANCELTRYCONTINUE 0x00000006L
#define MB_ICONHAND 0x00000010L
#define MB_ICONQUESTION 0x00000020L
#define MB_ICONEXCLAMATION 0x00000030L
#define MB_ICONASTERISK 0x00000040L
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_ICONSTOP MB_ICONHAND
#define MB_DEFBUTTON1 0x00000000L
#define MB_DEFBUTTON2 0x00000100L
#define MB_DEFBUTTON3 0x00000200L
#define MB_DEFBUTTON4 0x00000300L
#define MB_APPLMODAL 0x00000000L
#define MB_SYSTEMMODAL 0x00001000L
#define MB_TASKMODAL 0x00002000L
#define MB_SETFOREGROUND 0x00010000L
#define MB_TOPMOST 0x00040000L
#define MB_TYPEMASK 0x0000000FL
#define MB_ICONMASK 0x000000F0L
#define MB_DEFMASK 0x00000F00L
#define MB_MODEMASK 0x00003000L
#ifndef ERROR_INVALID_MSGBOX_STYLE
#define ERROR_INVALID_MSGBOX_STYLE 1438L
#endif
// clang-format on

// The id of the button chosen (IDOK, IDCANCEL, IDYES, ...). Esc and closing give IDCANCEL when the
// box has a cancel button, IDOK when OK is its only button, and nothing otherwise. A null caption
// is the system's "错误". 0 when the box cannot be made (an unknown button set, ERROR_INVALID_
// MSGBOX_STYLE, or a missing button class).
int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);

namespace platform {

struct MessageBoxCall {
    HWND owner = nullptr;
    std::string text;
    std::string caption;
    UINT type = 0;
    // The answer, once there is one.
    int result = 0;
};

// With an answerer, MessageBoxA returns what it answers and shows nothing. An empty answerer
// removes it.
using MessageBoxAnswerer = std::function<int(const MessageBoxCall&)>;
void SetMessageBoxAnswerer(MessageBoxAnswerer answerer);

// The boxes asked for since the last call, oldest first.
std::vector<MessageBoxCall> TakeShownMessageBoxes();

// The answerer of a run without a display, where no one could see or answer a box: the box's
// caption and text go to the standard error (as UTF-8), and it is answered as closing it would
// answer (its cancel button, or OK when that stands alone); a box that cannot be closed takes its
// last button (No, Ignore), the one that commits to least.
int AnswerWithoutDisplay(const MessageBoxCall& call);

}  // namespace platform
