// The link table MV_CONCILIACION_Cpte_AUX: one row per linked pair of a left and a right line.

#include "Store.h"
#include "StoreSql.h"


namespace conciliacion {

void ReconciliationStore::desvincularSinMarca(qint64 numero)
{
    // Every unmarked line of the reconciliation, listed or not, loses its link rows.
    for (Lado lado : {Lado::Izquierda, Lado::Derecha}) {
        const DescripcionLado& d = Describir(lado);
        ejecutar(QStringLiteral("DELETE FROM MV_CONCILIACION_Cpte_AUX WHERE ") + d.enlace
                 + QStringLiteral(" IN (SELECT ID FROM ") + d.tabla + QStringLiteral(" WHERE ") + sql::DelNumero(numero)
                 + QStringLiteral(" AND (") + d.marca + QStringLiteral(" IS NULL OR ") + d.marca
                 + QStringLiteral(" = 0))"));
    }
}

bool ReconciliationStore::grabarVinculos(const VinculosAGrabar& vinculos, const AvanceEscritura& avance)
{
    for (const QString& ids : sql::ListasDeIds(vinculos.izquierdasNuevas))
        ejecutar(QStringLiteral("DELETE FROM MV_CONCILIACION_Cpte_AUX WHERE IDCPTE IN (") + ids + QLatin1Char(')'));
    // Each to each, one bound statement per pair, told a block at a time: nothing grows with the pairs.
    constexpr qint64 kBloque = 4096;
    const QString par = adaptar(QStringLiteral("INSERT INTO MV_CONCILIACION_Cpte_AUX (IdCpte, IdCpteAux) VALUES (?, ?)"));
    const qint64 total = vinculos.Cantidad();
    qint64 hechos = 0;
    if (avance && total > 0 && avance(0, total))
        return false;
    for (qint64 izquierda : vinculos.izquierdasNuevas) {
        for (qint64 derecha : vinculos.derechasNuevas) {
            cn().ExecuteBound(par, {izquierda, derecha});
            if (++hechos % kBloque == 0 && avance && avance(hechos, total))
                return false;
        }
    }
    return true;
}

} // namespace conciliacion
