// Finalizing a reconciliation.

#include "Store.h"
#include "Filas.h"
#include "StoreSql.h"
#include "Transaccion.h"

namespace conciliacion {

Resultado ReconciliationStore::Finalizar(const Cabecera& cabecera, const EstadosFilas& izquierda,
                                         const EstadosFilas& derecha, const QString& propietario)
{
    const QString p = sql::DelNumero(cabecera.numero);
    sql::Transaccion transaccion(cn());
    if (guardarEn(cabecera, izquierda, derecha) == Resultado::Finalizada)
        return Resultado::Finalizada;

    // Every unmarked line of the reconciliation, also those the lists do not show, is released.
    for (Lado lado : {Lado::Izquierda, Lado::Derecha}) {
        const DescripcionLado& d = Describir(lado);
        const sql::Filas f(leer(QStringLiteral("SELECT ID FROM ") + d.tabla + QStringLiteral(" WHERE ") + p
                                + QStringLiteral(" AND (") + d.marca + QStringLiteral(" IS NULL OR ") + d.marca
                                + QStringLiteral(" = 0)")));
        std::vector<qint64> ids;
        ids.reserve(size_t(f.Cantidad()));
        for (qsizetype i = 0; i < f.Cantidad(); ++i)
            ids.push_back(f.Entero(i, 0));
        liberarEn(cabecera.numero, lado, ids);
    }
    // The right side's mark is its FINALIZADA column: its marked lines carry 1 already.
    ejecutar(QStringLiteral("UPDATE MV_CONCILIACION SET FINALIZADA = 1 WHERE ") + p
             + QStringLiteral(" AND CONCILIADO = 1"));
    ejecutar(QStringLiteral("UPDATE MV_CONCILIACION_CAB SET FINALIZADA = 1 WHERE ") + p);
    SoltarBloqueo(cabecera.numero, propietario);
    transaccion.Confirmar();
    return Resultado::Hecho;
}

} // namespace conciliacion
