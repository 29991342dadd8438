// The exception of a data exchange that failed validation. The user has already been told why (a
// message box) and the focus is on the control at fault, so whoever catches it only reports the
// failure. Thrown as a heap object, like the framework's other exceptions.
#pragma once

#include "platform/com/Exception.h"

class CUserException : public CException {};

[[noreturn]] void AfxThrowUserException();
