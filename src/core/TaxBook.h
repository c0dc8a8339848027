#pragma once
// Whether a journal line's amount is one its voucher recorded in a tax book (sales or purchases), and in
// which: "V" sales, "C" purchases, "" neither. The movement report prints the answer in its "iva" column.

#include "platform/ado/Currency.h"
#include "platform/ado/Variant.h"

#include <QString>
#include <QStringList>
#include <array>

namespace ado { class Recordset; }

namespace ModGlobal {

// The twelve tax-book amounts of a journal row, in the order they are compared.
const QStringList& ColumnasLibroIva();
using ImportesLibroIva = std::array<ado::Variant, 12>;
ImportesLibroIva LeerImportesLibroIva(ado::Recordset& rs);

// True when the stored side matches Importe exactly: one amount's absolute value, or the absolute value of
// the net sum (taxed + untaxed + exempt), the tax sum (the five tax amounts) or the withholding sum. Importe
// itself is not made absolute, so a negative one never matches. A missing (Null) amount matches nothing, and
// a sum with a missing part matches nothing.
bool CoincideConLibroIva(const ImportesLibroIva& importes, const ado::Currency& Importe);
// "V" for "Ventas", "C" for "Compras" (any letter case), else "".
QString LetraLibroIva(const QString& livaTipo);

// The detail rows of the voucher's entry (type code and letter trimmed, branch and number as given, entry
// number and operative month as whole numbers, register type) that belong to a tax book are read in the
// database's order; the first with a matching amount gives its book's letter. Cuenta has no effect. Entry
// number or month texts that are no whole numbers find nothing. A failed query is reported by the data layer
// and gives "".
QString ValidaTCRegistraciones(const QString& TC, const QString& Sucursal, const QString& Numero,
                               const QString& Letra, const ado::Variant& TipoReg, const QString& NumeroAsiento,
                               const QString& MesOperativo, const QString& Cuenta, const ado::Currency& Importe);

} // namespace ModGlobal
