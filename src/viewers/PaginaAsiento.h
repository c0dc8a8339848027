#pragma once
// The accounting voucher page (BSC01CBTEctable.htm): the entry header, its lines with the debit and credit
// sums, the tax book and the cost centres of the entry, the history and the business unit. With an account
// the lines are those of the entry that holds the account's first line of the voucher; when no line of the
// voucher is on that account, the whole voucher is listed.

#include "EscritorDocumento.h"
#include "MarcoDocumento.h"

namespace visores {

ResultadoPagina GenerarPaginaAsiento(const QString& ruta, const Documento& d,
                                     ui::ErrorHandler manejador = ui::askOperator());

// The sections of the entry's first line (tax book, then cost centres); `numeroAsiento` "" for the whole
// voucher.
void EscribirLibroIvaYCentros(EscritorDocumento& e, const Documento& d, const QString& numeroAsiento);

} // namespace visores
