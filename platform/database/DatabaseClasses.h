// Makes the connection and record set classes creatable by CoCreateInstance. The program's
// start-up calls this once, before any thread creates a database object.
#pragma once

namespace platform {

// Registers CLSID_Connection and CLSID_Recordset; calling it again changes nothing.
void RegisterDatabaseClasses();

}  // namespace platform
