#pragma once
// The chart tree report of a listing: the chart of accounts down to the configured level, then the totals of
// the first-level accounts.

#include "Listado.h"

namespace report::detalle {

void EscribirArbol(Listado& l);

} // namespace report::detalle
