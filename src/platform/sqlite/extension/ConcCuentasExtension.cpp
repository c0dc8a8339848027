// The company file's collations and functions as a loadable extension, so that the stock sqlite3 shell
// and other SQLite tools can check and query the file:  .load ./conccuentas
// Only what reading the file needs is registered; the program's connection settings (WAL, lock waits)
// stay the program's.

#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

#include "../SqliteRegistration.h"

extern "C" {

#ifdef _WIN32
__declspec(dllexport)
#else
__attribute__((visibility("default")))
#endif
int sqlite3_conccuentas_init(sqlite3* db, char** errorMessage, const sqlite3_api_routines* api)
{
    SQLITE_EXTENSION_INIT2(api);
    const char* what = "";
    const int rc = sqlcompat::registration::RegisterCollationsAndFunctions(db, &what);
    if (rc != SQLITE_OK && errorMessage)
        *errorMessage = sqlite3_mprintf("conccuentas: cannot register %s: %s", what, sqlite3_errstr(rc));
    return rc;
}

} // extern "C"
