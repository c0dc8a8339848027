#pragma once
// The journal query of a panel load, and the statement that registers the free lines it returns. Both are
// built from the header: the period, the account, the two optional filters and the side. Pure text: no
// database is touched. The table-name rewriting for non-administrators is applied when they run.
//
// Operator and header texts go in as quoted literals with their quotes doubled. The user filter is a
// prefix match: its own "%", "_" and "[" are matched literally (bracketed, as the suite's server and the
// embedded engine read them; on Oracle, whose LIKE has no brackets, escaped with a backslash named by an
// ESCAPE clause). `oracle` also writes the registration's text joins with "||"; the rest of Oracle's
// dialect is the data layer's translation.

#include "StoreTypes.h"

namespace conciliacion {

// The where-text, blanks as the program always wrote it, e.g. " Where Fecha >= '2026-03-01' AND Fecha <=
// '2026-03-31' and (MV_ASIENTOS.CUENTA = '1101')  and (MV_ASIENTOS.[debe-haber] = 'D' )". Raises
// ado::Error 13 for a period bound that is not a date.
QString CondicionDiario(const Cabecera& cabecera, Lado lado, bool oracle = false);

// "SELECT * FROM MV_ASIENTOS " + the where-text + "  order by  fecha,tc,sucursal, numero".
QString ConsultaDiario(const Cabecera& cabecera, Lado lado, bool oracle = false);

// One INSERT ... SELECT that registers, under the header's number, every line of the journal query that no
// reconciliation holds in the side's table, in the query's order (so the new IDs follow it). Journal
// values are copied by the engine: texts never pass through the statement.
QString SentenciaRegistro(const Cabecera& cabecera, Lado lado, bool oracle = false);

} // namespace conciliacion
