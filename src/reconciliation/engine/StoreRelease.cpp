// Releasing lines: their rows leave the reconciliation so that another one can take the journal lines.

#include "Store.h"
#include "Filas.h"
#include "LinkList.h"
#include "StoreSql.h"
#include "Transaccion.h"

#include <QHash>
#include <QSet>

namespace conciliacion {

void ReconciliationStore::liberarEn(qint64 numero, Lado lado, const std::vector<qint64>& ids)
{
    if (ids.empty())
        return;
    const DescripcionLado& d = Describir(lado);
    const DescripcionLado& otro = Describir(OtroLado(lado));
    const QStringList listas = sql::ListasDeIds(ids);
    for (const QString& lista : listas)
        ejecutar(QStringLiteral("DELETE FROM MV_CONCILIACION_Cpte_AUX WHERE ") + d.enlace + QStringLiteral(" IN (")
                 + lista + QLatin1Char(')'));

    // The partners on the other side no longer name the released lines.
    const QSet<qint64> liberadas(ids.begin(), ids.end());
    const sql::Filas f(leer(QStringLiteral("SELECT ID, ") + otro.vinculo + QStringLiteral(" FROM ") + otro.tabla
                            + QStringLiteral(" WHERE ") + sql::DelNumero(numero) + QStringLiteral(" AND ") + otro.vinculo
                            + QStringLiteral(" <> ''")));
    QHash<QString, std::vector<qint64>> nuevosVinculos;
    for (qsizetype i = 0; i < f.Cantidad(); ++i) {
        const QString vinculo = f.Texto(i, 1);
        QString nuevo = vinculo;
        RecorrerVinculo(vinculo, [&](QStringView elemento) {
            bool ok = false;
            const qint64 id = elemento.toLongLong(&ok);
            if (ok && liberadas.contains(id))
                nuevo = QuitarDeVinculo(nuevo, id);
        });
        if (nuevo != vinculo)
            nuevosVinculos[nuevo].push_back(f.Entero(i, 0));
    }
    for (auto it = nuevosVinculos.cbegin(); it != nuevosVinculos.cend(); ++it) {
        for (const QString& lista : sql::ListasDeIds(it.value()))
            ejecutar(QStringLiteral("UPDATE ") + otro.tabla + QStringLiteral(" SET ") + otro.vinculo
                     + QStringLiteral(" = ") + sql::Texto(it.key()) + QStringLiteral(" WHERE ID IN (") + lista
                     + QStringLiteral(") AND ") + sql::DelNumero(numero));
    }

    for (const QString& lista : listas)
        ejecutar(QStringLiteral("DELETE ") + d.tabla + QStringLiteral(" WHERE ID IN (") + lista
                 + QStringLiteral(") AND ") + sql::DelNumero(numero));
}

Resultado ReconciliationStore::Liberar(qint64 numero, Lado lado, const std::vector<qint64>& ids)
{
    if (ids.empty())
        return Resultado::Hecho;
    // The transaction holds the write lock from its start, so the check stands until the writes are done.
    sql::Transaccion transaccion(cn());
    if (cabeceraFinalizada(numero))
        return Resultado::Finalizada;
    liberarEn(numero, lado, ids);
    transaccion.Confirmar();
    return Resultado::Hecho;
}

} // namespace conciliacion
