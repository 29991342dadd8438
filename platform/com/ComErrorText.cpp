#include "platform/com/HResult.h"

namespace platform {

const char* ComErrorText(HRESULT result) {
    switch (result) {
        case E_UNEXPECTED:
            return "Catastrophic failure";
        case E_NOTIMPL:
            return "Not implemented";
        case E_NOINTERFACE:
            return "No such interface supported";
        case E_POINTER:
            return "Invalid pointer";
        case E_ABORT:
            return "Operation aborted";
        case E_FAIL:
            return "Unspecified error";
        case E_ACCESSDENIED:
            return "Access is denied.";
        case E_HANDLE:
            return "The handle is invalid.";
        case E_OUTOFMEMORY:
            return "Not enough storage is available to complete this operation.";
        case E_INVALIDARG:
            return "The parameter is incorrect.";
        case RPC_E_CHANGED_MODE:
            return "Cannot change thread mode after it is set.";
        case CO_E_NOTINITIALIZED:
            return "CoInitialize has not been called.";
        case CO_E_CLASSSTRING:
            return "Invalid class string";
        case REGDB_E_CLASSNOTREG:
            return "Class not registered";
        case CLASS_E_NOAGGREGATION:
            return "Class does not support aggregation (or class object is remote)";
        case CLASS_E_CLASSNOTAVAILABLE:
            return "ClassFactory cannot supply requested class";
        case DISP_E_UNKNOWNINTERFACE:
            return "Unknown interface.";
        case DISP_E_MEMBERNOTFOUND:
            return "Member not found.";
        case DISP_E_PARAMNOTFOUND:
            return "Parameter not found.";
        case DISP_E_TYPEMISMATCH:
            return "Type mismatch.";
        case DISP_E_UNKNOWNNAME:
            return "Unknown name.";
        case DISP_E_NONAMEDARGS:
            return "No named arguments.";
        case DISP_E_BADVARTYPE:
            return "Bad variable type.";
        case DISP_E_EXCEPTION:
            return "Exception occurred.";
        case DISP_E_OVERFLOW:
            return "Out of present range.";
        case DISP_E_BADINDEX:
            return "Invalid index.";
        case DISP_E_ARRAYISLOCKED:
            return "Memory is locked.";
        case DISP_E_BADPARAMCOUNT:
            return "Invalid number of parameters.";
        case DISP_E_PARAMNOTOPTIONAL:
            return "Parameter not optional.";
        default:
            return "";
    }
}

}  // namespace platform
