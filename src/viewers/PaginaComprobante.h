#pragma once
// The sales or purchase voucher page (BSC01CBTEdetalles.htm): the party, the items, tasks and remarks, the
// totals band, the vouchers it applies and that apply to it, the history and the business unit, and the
// link to its accounting entry. A purchase is found by its party account together with its key.

#include "EscritorDocumento.h"
#include "MarcoDocumento.h"

namespace visores {

ResultadoPagina GenerarPaginaComprobante(const QString& ruta, const Documento& d,
                                         ui::ErrorHandler manejador = ui::askOperator());

// The parts of the page after the party table, each reading the header row.
void EscribirLineasComprobante(EscritorDocumento& e, const Documento& d, ado::Recordset& cabecera);
void EscribirTotalesComprobante(EscritorDocumento& e, const Documento& d, ado::Recordset& cabecera);
void EscribirAplicacionesComprobante(EscritorDocumento& e, const Documento& d, ado::Recordset& cabecera);

} // namespace visores
