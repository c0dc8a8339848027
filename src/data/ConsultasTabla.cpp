#include "ConsultasTabla.h"

#include "data/base/SqlText.h"

namespace consultas {

namespace {

enum class Clase { Texto, Fecha, Numero, Otra };

Clase claseDe(const ado::Variant& tipodato)
{
    const QString t = sqltext::TextoDeValor(tipodato).trimmed();
    if (t == QLatin1String("8"))
        return Clase::Texto;
    if (t == QLatin1String("7"))
        return Clase::Fecha;
    if (t == QLatin1String("3") || t == QLatin1String("5") || t == QLatin1String("4"))
        return Clase::Numero;
    return Clase::Otra;
}

QString numero(const QString& valor)
{
    return sqltext::TextoDeNumero(sqltext::NumeroDeTexto(valor));
}

// The key comparison shared by both existence checks; only the text form differs.
QString existe(const QString& prefijo, const QString& tabla, const QString& valor, const QString& campo,
               const ado::Variant& tipodato, const QString& condicion, const QString& comparacionTexto)
{
    if (!condicion.isEmpty())
        return prefijo + tabla + (sqltext::Contiene(condicion, QStringLiteral(" WHERE ")) ? QStringLiteral(" ")
                                                                                           : QStringLiteral(" WHERE "))
            + condicion;
    const QString base = prefijo + tabla + QStringLiteral(" WHERE ") + campo + QStringLiteral(" = ");
    switch (claseDe(tipodato)) {
    case Clase::Texto: return comparacionTexto;
    case Clase::Fecha: return base + valor.trimmed() + QLatin1Char(' ');
    case Clase::Numero: return base + numero(valor);
    case Clase::Otra: break;
    }
    return base + valor;
}

} // namespace

QString ExisteEnTabla(const QString& tabla, const QString& valorBuscado, const QString& campo,
                      const ado::Variant& tipodato, const QString& condicion)
{
    const QString texto = QStringLiteral("SELECT TOP 1  * FROM ") + tabla + QStringLiteral(" WHERE LTRIM(RTRIM(")
        + campo + QStringLiteral(")) =") + sqltext::Entrecomillar(valorBuscado.trimmed());
    return existe(QStringLiteral("SELECT TOP 1 * FROM "), tabla, valorBuscado, campo, tipodato, condicion, texto);
}

QString ExisteEnTablaST(const QString& tabla, const QString& valorBuscado, const QString& campo,
                        const ado::Variant& tipodato, const QString& condicion)
{
    const QString texto = QStringLiteral("SELECT * FROM ") + tabla + QStringLiteral(" WHERE ") + campo
        + QStringLiteral(" =") + sqltext::Entrecomillar(valorBuscado);
    return existe(QStringLiteral("SELECT * FROM "), tabla, valorBuscado, campo, tipodato, condicion, texto);
}

QString DatosTabla(const QString& tabla, const QString& valorBuscado, const QString& campo,
                   const ado::Variant& tipodato, const QString& condicion, bool usaTrim)
{
    const QString cola = condicion.trimmed().isEmpty() ? QString() : QStringLiteral(" AND ") + condicion;
    const QString desde = QStringLiteral("SELECT TOP 1 * FROM ") + tabla + QStringLiteral(" WHERE ");
    switch (claseDe(tipodato)) {
    case Clase::Texto:
        if (usaTrim)
            return desde + QStringLiteral("LTRIM(RTRIM(") + campo + QStringLiteral(")) =")
                + sqltext::Entrecomillar(valorBuscado.trimmed()) + QLatin1Char(' ') + cola;
        return desde + campo + QStringLiteral(" =") + sqltext::Entrecomillar(valorBuscado) + QLatin1Char(' ') + cola;
    case Clase::Fecha:
        // A quoted date: the servers this program runs on read no #date# literal.
        return desde + campo + QStringLiteral(" = ") + sqltext::Entrecomillar(valorBuscado.trimmed())
            + QLatin1Char(' ') + cola;
    case Clase::Numero: return desde + campo + QStringLiteral(" = ") + numero(valorBuscado) + cola;
    case Clase::Otra: break;
    }
    return desde + campo + QStringLiteral(" = ") + valorBuscado + cola;
}

QString Extremo(bool maximo, const QString& tabla, const QString& campo, const QString& condicion,
                bool recortarCondicion)
{
    QString sql = (maximo ? QStringLiteral("SELECT MAX(") : QStringLiteral("SELECT MIN(")) + campo
        + (maximo ? QStringLiteral(") AS MAYOR FROM ") : QStringLiteral(") AS MENOR FROM ")) + tabla;
    if (!condicion.trimmed().isEmpty())
        sql += QStringLiteral(" WHERE ") + (recortarCondicion ? condicion.trimmed() : condicion);
    return sql;
}

QString AddField(const QString& tabla, const QString& campo, const QString& tipo, bool permiteNulos,
                 const ado::Variant& valorDefault)
{
    QString sql = QStringLiteral("ALTER TABLE dbo.") + tabla + QStringLiteral(" ADD ") + campo + QLatin1Char(' ') + tipo
        + (permiteNulos ? QStringLiteral(" Null ") : QStringLiteral(" Not Null "));
    if (!valorDefault.isEmpty())
        sql += QStringLiteral(" CONSTRAINT DF_") + tabla.trimmed() + QLatin1Char('_') + campo.trimmed()
            + QStringLiteral(" DEFAULT (") + sqltext::TextoDeValor(valorDefault) + QLatin1Char(')');
    return sql;
}

} // namespace consultas
