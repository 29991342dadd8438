#include "platform/database/DatabaseClasses.h"

#include "platform/com/ComRuntime.h"
#include "platform/database/AdoConnection.h"
#include "platform/database/AdoRecordset.h"

namespace platform {

void RegisterDatabaseClasses() {
    RegisterComClass(CLSID_Connection, [](REFIID iid, void** object) {
        return CreateComObject<AdoConnection>(iid, object);
    });
    RegisterComClass(CLSID_Recordset, [](REFIID iid, void** object) {
        return CreateComObject<AdoRecordset>(iid, object);
    });
}

}  // namespace platform
