// The literals, conditions and ID lists the store's statements are written with.

#include "StoreSql.h"

#include "StoreTypes.h"
#include "data/base/ValorSql.h"
#include "platform/suite/base/Conversiones.h"

namespace conciliacion::sql {

QString Texto(const QString& texto)
{
    return sqltext::ValorSQL(ado::Variant(texto), QStringLiteral("'"));
}

QString Fecha(const QString& fecha)
{
    return fecha.trimmed().isEmpty() ? QStringLiteral("NULL") : suite::Conversiones::FechaSQL(fecha);
}

QString DelNumero(qint64 numero)
{
    return QStringLiteral("IDCONCILIACION = ") + Texto(NumeroTabla(numero));
}

QStringList ListasDeIds(const std::vector<qint64>& ids, int porLista)
{
    QStringList listas;
    QString actual;
    int enActual = 0;
    for (qint64 id : ids) {
        if (enActual == porLista) {
            listas << actual;
            actual.clear();
            enActual = 0;
        }
        if (enActual > 0)
            actual += QLatin1Char(',');
        actual += QString::number(id);
        ++enActual;
    }
    if (enActual > 0)
        listas << actual;
    return listas;
}

} // namespace conciliacion::sql
