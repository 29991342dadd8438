// The script's database connection: a connection object of the platform's database objects, whose
// failures become result codes, so that no failure leaves the script engine. A connection string
// that names a database file opens it as SQLite (a new file becomes one); "Driver=" or "DSN="
// reaches any ODBC data source through unixODBC.
#pragma once

#include <string>
#include <vector>

#include "picture/AdoRecordset.h"
#include "platform/text/CString.h"

class CAdoDatabase {
public:
    // Creates the connection object, initialising COM for this thread for the wrapper's life.
    // When the object cannot be created every operation reports a missing connection object.
    CAdoDatabase();
    virtual ~CAdoDatabase();
    CAdoDatabase(const CAdoDatabase&) = delete;
    CAdoDatabase& operator=(const CAdoDatabase&) = delete;

    // 0 opened; 1 without a connection object or after a COM error; 2 after any other failure.
    int Open(const CString& connectionString);
    // 0 done; -1 without a connection object; 1 after a COM error; -3 after any other failure.
    int Execute(const CString& sql);
    void Close();
    // 1 while the connection is open.
    int IsOpen();
    // Runs sql and holds its record set in records. 0; -1 without a connection object; 1 after a
    // failure.
    int OpenRecordset(const CString& sql, CAdoRecordset& records);
    // The first record's first count fields as texts, trailing white space trimmed; a value that
    // has no text form gives "". 0 with the texts; -1 when the query yields no record; 1 without a
    // connection object or after a failure (the texts then unchanged).
    int QueryFirstRecord(const CString& sql, int count, std::vector<std::string>& texts);

    // "连接数据库失败！错误信息：" and the description of the COM error of the last Open,
    // Execute or OpenRecordset; empty when it had none.
    const CString& GetErrorText() const { return m_errorText; }

    // The text of a field value, trailing white space trimmed: a string as it is, any other value
    // converted. False when the value has no text form.
    static bool ValueToText(const _variant_t& value, std::string& text);

private:
    void NoteError(const _com_error& error);

    bool m_comInitialised = false;
    CString m_connectionString;
    _ConnectionPtr m_connection;
    CString m_errorText;
};
