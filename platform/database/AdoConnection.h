// The connection object. A connection string that names an ODBC driver or data source ("Driver=",
// "DSN=", "FILEDSN=", "Provider=MSDASQL") goes to the ODBC driver manager; any other opens an
// embedded SQLite database file named by "Data Source=" (or "Database=", "DBQ="): a Windows path
// resolved by the path layer, created when missing, or ":memory:". A provider such as
// "Provider=Microsoft.Jet.OLEDB.4.0" is ignored for a file, as are the user name and password.
#pragma once

#include <memory>
#include <string_view>

#include "platform/com/ComObject.h"
#include "platform/database/AdoInterfaces.h"
#include "platform/database/DatabaseEngine.h"

namespace platform {

class AdoConnection : public ComObject<_Connection, ISupportErrorInfo> {
public:
    HRESULT raw_Close() override;
    HRESULT raw_Execute(BSTR commandText, VARIANT* recordsAffected, long options,
                        _Recordset** recordset) override;
    HRESULT raw_Open(BSTR connectionString, BSTR userId, BSTR password, long options) override;
    HRESULT get_State(long* state) override;

    HRESULT InterfaceSupportsErrorInfo(REFIID iid) override;

    // Whether `options` asks for a command this connection runs: command text (adCmdText,
    // adCmdUnknown or unspecified), optionally with adExecuteNoRecords or the asynchronous flags,
    // which run synchronously here.
    static bool IsTextCommand(long options);

    // For record sets opened on this connection: null while it is closed.
    DatabaseEngine* database() const { return database_.get(); }

private:
    std::unique_ptr<DatabaseEngine> database_;
};

}  // namespace platform
