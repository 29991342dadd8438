// Failing a call of the database objects: the object leaves error information (source and
// description, GBK) for the calling thread and returns the result code, so that the wrappers throw
// a _com_error whose Description() tells what went wrong.
#pragma once

#include <string_view>

#include "platform/database/AdoInterfaces.h"
#include "platform/database/DatabaseEngine.h"

namespace platform {

HRESULT RaiseDatabaseError(REFIID iid, HRESULT result, std::string_view source,
                           std::string_view description);

// One of the object library's own errors, with its standard description.
HRESULT RaiseAdoError(REFIID iid, ErrorValueEnum error, std::string_view source);

// An engine failure: text the engine rejected gives DB_E_ERRORSINCOMMAND, a broken constraint
// DB_E_INTEGRITYVIOLATION, anything else E_FAIL; the engine names the source and its message is
// the description.
HRESULT RaiseEngineError(REFIID iid, const DatabaseEngine::Error& error);

}  // namespace platform
