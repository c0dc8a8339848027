#pragma once
// The lines the party tables of the sales/purchase page and of the receipt page have in common: the name
// with the account and the voucher, the complement cell that ends that row, and the remarks, contact and
// telephone (left open at its end: each page closes the row its own way).

#include "MarcoDocumento.h"

namespace visores {

// `apertura` opens the row: the sales page opens the party table there, the receipt page continues the
// title block's table.
QString LineaNombre(ado::Recordset& cabecera, const Documento& d, const QString& apertura);
// The voucher's complement number (sales side only) and the row's end.
QString LineaComplemento(ado::Recordset& cabecera, const Documento& d);
// Address, locality, postal code and date. The two pages differ in a few literal cells: the row's indent
// ("" or a blank cell), the address cell and the cell before the postal code.
QString LineaDomicilio(ado::Recordset& cabecera, const QString& sangria, const QString& celdaDomicilio,
                       const QString& antesDelCp);
QString LineaObservaciones(ado::Recordset& cabecera);

} // namespace visores
