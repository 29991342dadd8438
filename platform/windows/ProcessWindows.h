// Joins the window manager of this process to the link between the programs of one user.
//
// Every top-level window of this process is published with its title, visibility, owner,
// rectangle, iconic state and place in the Z order, and republished whenever any of them changes,
// so other processes see it at once; it is withdrawn when destroyed and at exit. Messages that
// other processes post or send to it are queued with PostMessageA or handled with SendMessageA,
// except system messages whose parameters may be pointers (WM_SETTEXT, WM_GETTEXT, WM_NOTIFY...),
// which are dropped: a pointer of another process means nothing here.
//
// Windows of other processes appear here as foreign windows, brought up to date from the link
// before every lookup (FindWindowA, EnumWindows, WindowFromPoint, the start of a GetWindow walk of
// the top-level windows); between lookups their state is that of the last one. Messages posted or
// sent to them, ShowWindow, SetWindowPos and SetForegroundWindow on them travel over the link; a
// program's own windows never do.
#pragma once

namespace platform {

// False when the runtime folder cannot be used; the window manager then stays on its own.
bool ConnectWindowsToLink();
// Withdraws this process's windows, forgets the other processes' windows and stops listening.
void DisconnectWindowsFromLink();

}  // namespace platform
