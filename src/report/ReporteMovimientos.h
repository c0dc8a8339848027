#pragma once
// The movement report of a listing: the journal lines of Cuenta and its sub-accounts in the period, each with
// a link to its voucher; `conIva` adds the voucher's tax-book columns.

#include "Listado.h"

namespace report::detalle {

void EscribirMovimientos(Listado& l, bool conIva);

} // namespace report::detalle
