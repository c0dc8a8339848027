#pragma once
// The receipt or payment page (BSC01RECIBOdetalles.htm): the party, the means of payment (the entry's other
// lines), the vouchers it settles, the total in words, the concept, the discounts and withholdings, the
// history and the business unit, and the link to its entry. The purchase side reads the same columns as
// the sales side.

#include "EscritorDocumento.h"
#include "MarcoDocumento.h"

namespace visores {

ResultadoPagina GenerarPaginaRecibo(const QString& ruta, const Documento& d,
                                    ui::ErrorHandler manejador = ui::askOperator());

// The settled vouchers, total, concept, withholdings and history.
void EscribirCierreRecibo(EscritorDocumento& e, const Documento& d, ado::Recordset& cabecera);

} // namespace visores
