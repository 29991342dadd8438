#include "platform/framework/UserException.h"

void AfxThrowUserException() {
    throw new CUserException;
}
