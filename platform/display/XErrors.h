// Errors on the presenter's own X connections. Windows of other programs vanish between the
// questions asked about them, and Xlib's default answer to the error that follows is to end the
// process; on these connections such an error means only that the window is gone. Errors on
// other connections (GTK's) go to the handler installed before.
#pragma once

typedef struct _XDisplay Display;

namespace platform {

// Call before the connection is used from more than one thread; at most a few connections.
void IgnoreXErrorsOn(Display* display);

}  // namespace platform
