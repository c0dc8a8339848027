#pragma once
// Stored lines of MV_CONCILIACION or MV_CONCILIACION_AUX as list rows.

#include "StoreTypes.h"
#include "platform/ado/Recordset.h"

namespace conciliacion {

// One list row per stored line, in the order given: every text through Conversiones::TextoCampo (Null reads
// as ""), the amount as stored (Null as 0), the check mark the line's stored mark. Marked lines are left out
// unless `incluirMarcadas`.
WorkbenchRows FilasDeLineas(const ado::RowSet& datos, Lado lado, bool incluirMarcadas);

} // namespace conciliacion
