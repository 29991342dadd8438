#include "platform/database/AdoErrors.h"

#include "platform/text/Encoding.h"

namespace platform {

namespace {

const char* StandardDescription(ErrorValueEnum error) {
    switch (error) {
        case adErrInvalidArgument:
            return "Arguments are of the wrong type, are out of acceptable range, or are in "
                   "conflict with one another.";
        case adErrNoCurrentRecord:
            return "Either BOF or EOF is True, or the current record has been deleted. Requested "
                   "operation requires a current record.";
        case adErrItemNotFound:
            return "Item cannot be found in the collection corresponding to the requested name or "
                   "ordinal.";
        case adErrObjectClosed:
            return "Operation is not allowed when the object is closed.";
        case adErrObjectOpen:
            return "Operation is not allowed when the object is open.";
        case adErrProviderNotFound:
            return "Provider cannot be found. It may not be properly installed.";
    }
    return "";
}

}  // namespace

HRESULT RaiseDatabaseError(REFIID iid, HRESULT result, std::string_view source,
                           std::string_view description) {
    IErrorInfo* info = CreateErrorInfo(iid, source, description);
    SetErrorInfo(0, info);
    info->Release();
    return result;
}

HRESULT RaiseAdoError(REFIID iid, ErrorValueEnum error, std::string_view source) {
    return RaiseDatabaseError(iid, AdoErrorResult(error), source, StandardDescription(error));
}

HRESULT RaiseEngineError(REFIID iid, const DatabaseEngine::Error& error) {
    HRESULT result = E_FAIL;
    if (error.kind() == DatabaseEngine::Error::Kind::kConstraint) {
        result = DB_E_INTEGRITYVIOLATION;
    } else if (error.kind() == DatabaseEngine::Error::Kind::kCommandText) {
        result = DB_E_ERRORSINCOMMAND;
    }
    return RaiseDatabaseError(iid, result, error.source(), Utf8ToGbk(error.what()));
}

}  // namespace platform
