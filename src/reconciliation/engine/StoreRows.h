#pragma once
// Stored lines of MV_CONCILIACION or MV_CONCILIACION_AUX as list rows.

#include "StoreTypes.h"
#include "platform/ado/Recordset.h"

namespace conciliacion {

// One list row per stored line, in the order given: every text through Conversiones::TextoCampo (Null reads
// as ""), the amount as stored (Null as 0), the check mark the line's stored mark. Marked lines are left out
// unless `incluirMarcadas`. A text that repeats from line to line (a date, a period, a type) is kept once and
// shared by the rows that show it.
WorkbenchRows FilasDeLineas(const ado::RowSet& datos, Lado lado, bool incluirMarcadas);
// The same rows added at the end of `filas`.
void AgregarFilasDeLineas(const ado::RowSet& datos, Lado lado, bool incluirMarcadas, WorkbenchRows& filas);

} // namespace conciliacion
