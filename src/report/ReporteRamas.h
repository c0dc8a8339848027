#pragma once
// The branch balance report of a listing: the accounts one level below Cuenta with their balances in the
// period.

#include "Listado.h"

namespace report::detalle {

void EscribirRamas(Listado& l);

} // namespace report::detalle
