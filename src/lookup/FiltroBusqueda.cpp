#include "FiltroBusqueda.h"

#include "data/base/SqlText.h"

namespace lookup {

PartesSentencia SepararOrden(const QString& sql)
{
    const qsizetype p = sql.indexOf(QLatin1String("order by"), 0, Qt::CaseInsensitive);
    if (p < 0)
        return {sql, QString()};
    return {sql.left(p), sql.mid(p)};
}

QString PalabraUnion(const QString& sql)
{
    return sql.contains(QLatin1String("where"), Qt::CaseInsensitive) ? QStringLiteral(" and ")
                                                                       : QStringLiteral(" where ");
}

QString PatronLike(const QString& texto, bool contiene)
{
    const QString patron = contiene ? QLatin1Char('%') + texto + QLatin1Char('%') : texto + QLatin1Char('%');
    return QStringLiteral(" like ") + sqltext::Entrecomillar(patron) + QLatin1Char(' ');
}

FiltroLista FiltrarLista(const QString& sql, const QString& sqlBase, const QString& columna, const QString& texto,
                         bool usaConsultaLike)
{
    FiltroLista r;
    QString base = sqlBase;
    const PartesSentencia partes = SepararOrden(sql);
    if (!partes.orden.isEmpty()) {
        r.orden = partes.orden;
        base = partes.base;
    }
    QString prefijo;
    if (base.contains(QLatin1String("stk_ma_articulos."), Qt::CaseInsensitive))
        prefijo = QStringLiteral("stk_ma_articulos.");
    if (base.contains(QLatin1String("v_ma_articulos."), Qt::CaseInsensitive))
        prefijo = QStringLiteral("v_ma_articulos.");
    r.textoCaja = usaConsultaLike ? texto : QString(texto).replace(QLatin1Char('*'), QLatin1Char('%'));
    r.sql = base + PalabraUnion(sql) + prefijo + sqltext::NombreSql(columna) + PatronLike(r.textoCaja, usaConsultaLike)
            + r.orden;
    return r;
}

QString FiltrarArbol(const QString& sql, const QString& texto)
{
    const PartesSentencia partes = SepararOrden(sql);
    return partes.base + PalabraUnion(sql) + QStringLiteral("Descripcion") + PatronLike(texto, true) + partes.orden;
}

} // namespace lookup
