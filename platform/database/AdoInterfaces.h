// The database objects' interfaces as the compiler's type-library import presents them: each
// interface carries its raw methods (the vtable: property accessors as get_X, methods as raw_X)
// and non-virtual wrappers that return plain values and throw _com_error, with the object's error
// information, when a raw call fails. Only the members the programs use are declared, in the
// original relative order. The objects are reached through their vtables only; they offer no
// late-bound (IDispatch) access.
//
//   _ConnectionPtr connection;
//   connection.CreateInstance(CLSID_Connection);
//   connection->Open("Data Source=data\\pictures.db", "", "", adConnectUnspecified);
//   _RecordsetPtr records = connection->Execute("SELECT name FROM pictures", nullptr, adCmdText);
//   while (!records->GetEOF()) { _variant_t name = records->GetFields()->GetItem(0L)->GetValue(); }
#pragma once

#include "platform/com/BstrT.h"
#include "platform/com/ComPtrT.h"
#include "platform/com/ErrorInfo.h"
#include "platform/com/VariantT.h"

DEFINE_GUID(CLSID_Connection, 0x00000514, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E,
            0xA4);
DEFINE_GUID(CLSID_Recordset, 0x00000535, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E,
            0xA4);
DEFINE_GUID(IID__Connection, 0x00000550, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E,
            0xA4);
DEFINE_GUID(IID__Recordset, 0x00000556, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E,
            0xA4);
DEFINE_GUID(IID_Fields, 0x00000564, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4);
DEFINE_GUID(IID_Field, 0x00000569, 0x0000, 0x0010, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4);

enum ObjectStateEnum {
    adStateClosed = 0,
    adStateOpen = 1,
};

enum ConnectOptionEnum {
    adConnectUnspecified = -1,
    adAsyncConnect = 0x10,
};

enum CommandTypeEnum {
    adCmdUnspecified = -1,
    adCmdText = 0x1,
    adCmdTable = 0x2,
    adCmdStoredProc = 0x4,
    adCmdUnknown = 0x8,
    adCmdFile = 0x100,
    adCmdTableDirect = 0x200,
};

enum ExecuteOptionEnum {
    adOptionUnspecified = -1,
    adAsyncExecute = 0x10,
    adAsyncFetch = 0x20,
    adAsyncFetchNonBlocking = 0x40,
    adExecuteNoRecords = 0x80,
};

enum CursorTypeEnum {
    adOpenUnspecified = -1,
    adOpenForwardOnly = 0,
    adOpenKeyset = 1,
    adOpenDynamic = 2,
    adOpenStatic = 3,
};

enum LockTypeEnum {
    adLockUnspecified = -1,
    adLockReadOnly = 1,
    adLockPessimistic = 2,
    adLockOptimistic = 3,
    adLockBatchOptimistic = 4,
};

// The object library's own error numbers; as result codes they sit in the control facility
// (0x800A0000 + number).
enum ErrorValueEnum {
    adErrInvalidArgument = 3001,
    adErrNoCurrentRecord = 3021,
    adErrItemNotFound = 3265,
    adErrObjectClosed = 3704,
    adErrObjectOpen = 3705,
    adErrProviderNotFound = 3706,
};

#define FACILITY_CONTROL 10
#define DB_E_ERRORSINCOMMAND ((HRESULT)0x80040E14L)
#define DB_E_INTEGRITYVIOLATION ((HRESULT)0x80040E2FL)

constexpr HRESULT AdoErrorResult(ErrorValueEnum error) {
    return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, error);
}

struct Field;
struct Fields;
struct _Recordset;
struct _Connection;

_COM_SMARTPTR_TYPEDEF(Field, IID_Field);
_COM_SMARTPTR_TYPEDEF(Fields, IID_Fields);
_COM_SMARTPTR_TYPEDEF(_Recordset, IID__Recordset);
_COM_SMARTPTR_TYPEDEF(_Connection, IID__Connection);

// One column of the record set's current record.
struct Field : IUnknown {
    static constexpr const IID& kIid = IID_Field;
    using Base = IUnknown;

    _bstr_t GetName();
    _variant_t GetValue();

    virtual HRESULT get_Name(BSTR* name) = 0;
    // The current record's value: VT_NULL, VT_I4 (VT_I8 beyond 32 bits), VT_R8, VT_BSTR or
    // VT_ARRAY | VT_UI1.
    virtual HRESULT get_Value(VARIANT* value) = 0;

protected:
    ~Field() = default;
};

struct Fields : IUnknown {
    static constexpr const IID& kIid = IID_Fields;
    using Base = IUnknown;

    long GetCount();
    FieldPtr GetItem(const _variant_t& index);

    virtual HRESULT get_Count(long* count) = 0;
    // `index` is a position from 0 (any value that converts to a number) or a column name
    // (compared ignoring ASCII case).
    virtual HRESULT get_Item(VARIANT index, Field** field) = 0;

protected:
    ~Fields() = default;
};

struct _Recordset : IUnknown {
    static constexpr const IID& kIid = IID__Recordset;
    using Base = IUnknown;

    VARIANT_BOOL GetEOF();
    // The spelling of code that imports the library with EOF renamed.
    VARIANT_BOOL GetEndOfFile() { return GetEOF(); }
    FieldsPtr GetFields();
    HRESULT Close();
    HRESULT MoveNext();
    HRESULT Open(const _variant_t& source, const _variant_t& activeConnection,
                 CursorTypeEnum cursorType, LockTypeEnum lockType, long options);
    long GetState();

    virtual HRESULT get_EOF(VARIANT_BOOL* endOfFile) = 0;
    virtual HRESULT get_Fields(Fields** fields) = 0;
    virtual HRESULT raw_Close() = 0;
    virtual HRESULT raw_MoveNext() = 0;
    // Runs the command text `source` on `activeConnection` (a connection object).
    virtual HRESULT raw_Open(VARIANT source, VARIANT activeConnection, CursorTypeEnum cursorType,
                             LockTypeEnum lockType, long options) = 0;
    virtual HRESULT get_State(long* state) = 0;

protected:
    ~_Recordset() = default;
};

struct _Connection : IUnknown {
    static constexpr const IID& kIid = IID__Connection;
    using Base = IUnknown;

    HRESULT Close();
    _RecordsetPtr Execute(_bstr_t commandText, VARIANT* recordsAffected, long options);
    HRESULT Open(_bstr_t connectionString, _bstr_t userId, _bstr_t password, long options);
    long GetState();

    virtual HRESULT raw_Close() = 0;
    // Always hands out a record set (a closed one for a statement that gives no rows) unless
    // `options` holds adExecuteNoRecords. `recordsAffected`, when given, receives VT_I4.
    virtual HRESULT raw_Execute(BSTR commandText, VARIANT* recordsAffected, long options,
                                _Recordset** recordset) = 0;
    virtual HRESULT raw_Open(BSTR connectionString, BSTR userId, BSTR password, long options) = 0;
    virtual HRESULT get_State(long* state) = 0;

protected:
    ~_Connection() = default;
};
