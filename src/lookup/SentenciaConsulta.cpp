#include "SentenciaConsulta.h"

#include "data/base/SqlText.h"
#include "platform/suite/Utilidades.h"

#include <cmath>

namespace lookup {
namespace {

bool esFiltroEnBlanco(const QString& s) { return s.trimmed().isEmpty(); }

// " WHERE " and the filter. A filter that may end in a line comment ends with a line break, so that what the
// program appends after it (the ORDER BY here, a search's condition, the row limit's parenthesis on Oracle) is
// not taken into the comment.
QString conFiltro(QString sql, const QString& filtro)
{
    if (esFiltroEnBlanco(filtro))
        return sql;
    sql += QStringLiteral(" WHERE ") + filtro;
    if (filtro.contains(QLatin1String("--")))
        sql += QLatin1Char('\n');
    return sql;
}

QString conOrden(QString sql, const QString& campoBusqueda)
{
    if (!campoBusqueda.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + campoBusqueda;
    return sql;
}

} // namespace

QString EnvolverFiltro(const QString& where)
{
    if (where.trimmed().size() > 1 && !where.startsWith(QLatin1Char('(')))
        return QStringLiteral(" (") + where + QStringLiteral(") ");
    return where;
}

int TopeFilas(const QString& valorConfigurado)
{
    const double v = sqltext::NumeroDeTexto(valorConfigurado);
    const int tope = int(std::nearbyint(v));   // the default rounding mode: half to even
    return tope == 0 ? 1000 : tope;
}

bool EsSentencia(const QString& sql)
{
    return sql.contains(QLatin1String("SELECT"), Qt::CaseInsensitive);
}

QString ConVistaArticulos(const QString& sql)
{
    return suite::Utilidades::ReemplazarTexto(sql, QStringLiteral("V_MA_ARTICULOS"),
                                              QStringLiteral("VT_MA_ARTICULOS"));
}

std::optional<QString> SentenciaDeMascara(const MascaraConsulta& mascara, int tope, const QString& where,
                                          QString& campoBusqueda)
{
    QString tabla = LimpiarCampoMascara(mascara.Tabla);
    const QString columnas = ColumnasDeMascara(mascara.Campos);
    if (campoBusqueda.isEmpty()) {
        const qsizetype coma = columnas.indexOf(QLatin1Char(','));
        if (coma < 0)
            return std::nullopt;
        campoBusqueda = columnas.left(coma);
    }
    QString filtro = LimpiarCampoMascara(mascara.Extra);
    if (esFiltroEnBlanco(filtro) && !esFiltroEnBlanco(where))
        filtro = where;
    if (tabla.compare(QLatin1String("VT_PROVEEDORES"), Qt::CaseInsensitive) == 0
        || tabla.compare(QLatin1String("VT_CLIENTES"), Qt::CaseInsensitive) == 0) {
        if (esFiltroEnBlanco(filtro))
            filtro = QStringLiteral("Dada_De_Baja = 0");
    } else if (tabla.compare(QLatin1String("V_MA_ARTICULOS"), Qt::CaseInsensitive) == 0) {
        tabla = QStringLiteral("VT_MA_ARTICULOS");
        if (esFiltroEnBlanco(filtro))
            filtro = QStringLiteral("SUSPENDIDO = 0");
    }
    const QString sql = QStringLiteral("SELECT TOP ") + QString::number(tope) + QLatin1Char(' ') + columnas
                        + QStringLiteral(" FROM ") + tabla;
    return conOrden(conFiltro(sql, filtro), campoBusqueda);
}

QString SentenciaDeColumnas(const QString& tabla, const QStringList& campos, int tope, const QString& where,
                            QString& campoBusqueda)
{
    static const QStringList omitidos = {QStringLiteral("ID"), QStringLiteral("FECHAHORA_MODIFICACION"),
                                         QStringLiteral("FECHAHORA_GRABACION")};
    static const QStringList descriptivos = {QStringLiteral("DESCRIPCION"), QStringLiteral("NOMBRE"),
                                             QStringLiteral("DETALLE")};
    QStringList conservados;
    QString busqueda;
    for (const QString& campo : campos) {
        if (omitidos.contains(campo, Qt::CaseInsensitive))
            continue;
        conservados.prepend(campo);
        if (descriptivos.contains(campo, Qt::CaseInsensitive))
            busqueda = campo;
    }
    // The table's own field names, so a name with a blank or a dash is bracketed.
    QString columnas = QStringLiteral(" * ");
    if (!conservados.isEmpty()) {
        QStringList nombres;
        for (const QString& campo : conservados)
            nombres << sqltext::NombreSql(campo);
        columnas = nombres.join(QLatin1Char(','));
        campoBusqueda = busqueda.isEmpty() ? conservados.constLast() : busqueda;
    }
    const QString sql = QStringLiteral("SELECT TOP ") + QString::number(tope) + QLatin1Char(' ') + columnas
                        + QStringLiteral(" FROM ") + tabla;
    return conOrden(conFiltro(sql, where), conservados.isEmpty() ? campoBusqueda : sqltext::NombreSql(campoBusqueda));
}

QString SentenciaCampos(const QString& tabla)
{
    return QStringLiteral("select top 1 * from ") + tabla;
}

} // namespace lookup
