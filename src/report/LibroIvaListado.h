#pragma once
// The tax-book answers of a whole movement report from one query: the tax-book rows of every voucher entry
// the report lists, read once, then each report row is answered in memory exactly as
// ModGlobal::ValidaTCRegistraciones answers it with one query per row.

#include "platform/ado/Currency.h"
#include "platform/ado/Variant.h"

#include <QHash>
#include <QString>
#include <QVector>

#include "core/TaxBook.h"

namespace report::detalle {

class Listado;

class LibroIvaListado {
public:
    // Reads the tax-book rows of the entries that have a line matching `condicionMovimientos` (a WHERE text
    // over mv_Asientos without the word WHERE).
    void Cargar(Listado& l, const QString& condicionMovimientos);
    // The letter for a report row ("V", "C" or "").
    QString Letra(const ado::Variant& TC, const ado::Variant& Sucursal, const ado::Variant& Numero,
                  const ado::Variant& Letra, const ado::Variant& TipoReg, const ado::Variant& NumeroAsiento,
                  const ado::Variant& MesOperativo, const ado::Currency& Importe) const;

private:
    struct FilaLibro {
        ModGlobal::ImportesLibroIva importes;
        QString letra;
    };
    static QString Clave(const ado::Variant& TC, const ado::Variant& Sucursal, const ado::Variant& Numero,
                         const ado::Variant& Letra, const ado::Variant& TipoReg, const ado::Variant& NumeroAsiento,
                         const ado::Variant& MesOperativo);
    QHash<QString, QVector<FilaLibro>> m_filas;
};

} // namespace report::detalle
