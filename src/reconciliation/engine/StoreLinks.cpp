// The link table MV_CONCILIACION_Cpte_AUX: one row per linked pair of a left and a right line.

#include "Store.h"
#include "StoreSql.h"

#include <QSet>

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

void ReconciliationStore::grabarVinculos(const VinculosAGrabar& vinculos)
{
    for (const QString& ids : sql::ListasDeIds(vinculos.izquierdasNuevas))
        ejecutar(QStringLiteral("DELETE FROM MV_CONCILIACION_Cpte_AUX WHERE IDCPTE IN (") + ids + QLatin1Char(')'));

    // Several pairs per statement (Oracle takes one row per VALUES); a pair named twice is written once.
    const int kParesPorSentencia = oracle() ? 1 : 500;
    QSet<QPair<qint64, qint64>> escritos;
    QString valores;
    int enSentencia = 0;
    const auto escribir = [&] {
        if (enSentencia > 0)
            ejecutar(QStringLiteral("INSERT INTO MV_CONCILIACION_Cpte_AUX (IdCpte,IdCpteAux)  Values") + valores);
        valores.clear();
        enSentencia = 0;
    };
    for (const ParVinculo& p : vinculos.pares) {
        if (escritos.contains({p.izquierda, p.derecha}))
            continue;
        escritos.insert({p.izquierda, p.derecha});
        valores += (enSentencia > 0 ? QStringLiteral(",(") : QStringLiteral("("))
                   + QString::number(p.izquierda) + QLatin1Char(',') + QString::number(p.derecha) + QLatin1Char(')');
        if (++enSentencia == kParesPorSentencia)
            escribir();
    }
    escribir();
}

} // namespace conciliacion
