// Errors on the presenter's own X connections. Windows of other programs vanish between the
// questions asked about them, and Xlib's default answer to the error that follows is to end the
// process; on these connections such an error means only that the window is gone. Errors on
// other connections (GTK's) go to the handler installed before.
#pragma once

typedef struct _XDisplay Display;

namespace platform {

// Call before the connection is used from more than one thread; at most a few connections.
void IgnoreXErrorsOn(Display* display);
// The code of the last error ignored on the connection since the last call (0 for none), for the
// requests whose failure is an answer (a key another program has grabbed). Call after XSync.
int TakeXError(Display* display);

}  // namespace platform
