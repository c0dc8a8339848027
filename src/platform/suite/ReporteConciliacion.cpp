#include "ReporteConciliacion.h"

#include "Utilidades.h"

#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"

#include <QLocale>
#include <QStringList>

namespace suite {

namespace {

const QString kTablaLineas = QStringLiteral("MV_CONCILIACION");
const QString kTablaEncabezado = QStringLiteral("MV_CONCILIACION_CAB");
const QString kCampoNumero = QStringLiteral("IDCONCILIACION");

QString literalSql(const ado::Variant& valor)
{
    switch (valor.type()) {
    case ado::VarType::Boolean:
        return valor.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case ado::VarType::Currency:
        return valor.toCurrency().toString();
    default:
        return QLatin1Char('\'') + valor.toString().replace(QLatin1Char('\''), QLatin1String("''"))
               + QLatin1Char('\'');
    }
}

// The conditions of one table as SQL, each column checked against the table's own columns (so that a
// formula can name nothing but a column) and written in brackets.
QStringList condicionesSql(ado::Connection& conexion, const QString& tabla,
                           const QList<CondicionSeleccion>& seleccion)
{
    const QStringList columnas = conexion.ColumnNames(tabla);
    QStringList sql;
    for (const CondicionSeleccion& c : seleccion) {
        if (c.tabla.compare(tabla, Qt::CaseInsensitive) != 0)
            continue;
        if (!columnas.contains(c.campo, Qt::CaseInsensitive))
            throw ErrorReporte(QStringLiteral("El reporte no conoce el campo %1.%2.").arg(c.tabla, c.campo));
        sql << QStringLiteral("[%1] = %2").arg(c.campo, literalSql(c.valor));
    }
    return sql;
}

// The rows of one table that meet the reconciliation's condition and the selection's conditions on it.
void abrirSeleccion(ado::Recordset& rs, ado::Connection& conexion, const QString& columnas, const QString& tabla,
                    const QString& condicion, const QList<CondicionSeleccion>& seleccion, const QString& orden = {})
{
    QStringList donde{condicion};
    donde << condicionesSql(conexion, tabla, seleccion);
    rs.Open(columnas + QStringLiteral(" FROM ") + tabla + QStringLiteral(" WHERE ")
                + donde.join(QLatin1String(" AND ")) + orden,
            &conexion);
}

QString texto(ado::Recordset& rs, const char* campo)
{
    return Utilidades::TextoCampo(rs[QString::fromLatin1(campo)]).trimmed();
}

void comprobarTablas(const QList<CondicionSeleccion>& seleccion)
{
    for (const CondicionSeleccion& c : seleccion) {
        const bool tablaConocida = c.tabla.compare(kTablaLineas, Qt::CaseInsensitive) == 0
                                   || c.tabla.compare(kTablaEncabezado, Qt::CaseInsensitive) == 0;
        if (!tablaConocida)
            throw ErrorReporte(QStringLiteral("El reporte no conoce la tabla %1.").arg(c.tabla));
    }
}

ado::Variant numeroSeleccionado(const QList<CondicionSeleccion>& seleccion)
{
    for (const CondicionSeleccion& c : seleccion)
        if (c.campo.compare(kCampoNumero, Qt::CaseInsensitive) == 0)
            return c.valor;
    throw ErrorReporte(QStringLiteral("La selección del reporte no indica la conciliación."));
}

EncabezadoConciliacion leerEncabezado(ado::Connection& conexion, const QString& condicion,
                                      const QList<CondicionSeleccion>& seleccion, const QString& numero)
{
    ado::Recordset rs;
    abrirSeleccion(rs, conexion, QStringLiteral("SELECT *"), kTablaEncabezado, condicion, seleccion);
    if (rs.EOF())
        throw ErrorReporte(QStringLiteral("No existe la conciliación Nro: %1").arg(numero));
    EncabezadoConciliacion e;
    e.numero = texto(rs, "IDCONCILIACION");
    e.fecha = texto(rs, "FECHA");
    e.cuenta = texto(rs, "CUENTA");
    e.observaciones = texto(rs, "OBSERVACIONES");
    e.desde = texto(rs, "FECHADESDE");
    e.hasta = texto(rs, "FECHAHASTA");
    e.unidadNegocio = texto(rs, "UNEGOCIO");
    e.usuario = texto(rs, "USUARIO");
    const ado::Variant finalizada = rs["FINALIZADA"];
    e.finalizada = !finalizada.isNull() && !finalizada.isEmpty() && finalizada.toBool();
    rs.Close();
    if (!e.cuenta.isEmpty()) {
        rs.Open(QStringLiteral("SELECT Descripcion FROM MA_CUENTAS WHERE Codigo = ")
                    + literalSql(ado::Variant(e.cuenta)),
                &conexion);
        if (!rs.EOF())
            e.descripcionCuenta = texto(rs, "Descripcion");
    }
    return e;
}

QList<LineaConciliacion> leerLineas(ado::Connection& conexion, const QString& condicion,
                                    const QList<CondicionSeleccion>& seleccion)
{
    ado::Recordset rs;
    abrirSeleccion(rs, conexion,
                   QStringLiteral("SELECT FECHAMOV, VENCIMIENTO, TC, COMPROBANTE, IMPORTE, CONCEPTO, CONCILIADOCON"),
                   kTablaLineas, condicion, seleccion, QStringLiteral(" ORDER BY FECHAMOV, ID"));
    QList<LineaConciliacion> lineas;
    for (; !rs.EOF(); rs.MoveNext()) {
        LineaConciliacion l;
        l.fecha = texto(rs, "FECHAMOV");
        l.vencimiento = texto(rs, "VENCIMIENTO");
        l.tc = texto(rs, "TC");
        l.comprobante = texto(rs, "COMPROBANTE");
        l.concepto = texto(rs, "CONCEPTO");
        const ado::Variant importe = rs["IMPORTE"];
        l.importe = importe.isNull() ? ado::Currency() : importe.toCurrency();
        l.conciliadoCon = texto(rs, "CONCILIADOCON");
        lineas << l;
    }
    return lineas;
}

QString celda(const QString& valor, const char* estilo = "")
{
    return QStringLiteral("<td%1>%2</td>").arg(QString::fromLatin1(estilo), valor.toHtmlEscaped());
}

QString filaEncabezado(const QString& rotulo, const QString& valor)
{
    return QStringLiteral("<tr><td><b>%1</b></td>%2</tr>").arg(rotulo.toHtmlEscaped(), celda(valor));
}

} // namespace

ado::Currency DatosConciliacion::total() const
{
    ado::Currency suma;
    for (const LineaConciliacion& l : lineas)
        suma += l.importe;
    return suma;
}

DatosConciliacion LeerConciliacion(ado::Connection& conexion, const QList<CondicionSeleccion>& seleccion,
                                   const QHash<QString, QString>& formulas)
{
    comprobarTablas(seleccion);
    const ado::Variant numero = numeroSeleccionado(seleccion);
    const QString condicion = QStringLiteral("[IDCONCILIACION] = ") + literalSql(numero);
    DatosConciliacion datos;
    datos.empresa = formulas.value(QString::fromLatin1(kFormulaEmpresa).toUpper()).trimmed();
    datos.encabezado = leerEncabezado(conexion, condicion, seleccion, numero.toString().trimmed());
    datos.lineas = leerLineas(conexion, condicion, seleccion);
    return datos;
}

QString ImporteReporte(const ado::Currency& importe)
{
    const qint64 escalado = importe.scaled();
    const qint64 centavos = ((escalado < 0 ? -escalado : escalado) + 50) / 100;
    const QLocale locale;
    QString numero = locale.toString(centavos / 100) + locale.decimalPoint()
                     + QStringLiteral("%1").arg(centavos % 100, 2, 10, QLatin1Char('0'));
    return escalado < 0 && centavos != 0 ? locale.negativeSign() + numero : numero;
}

QString HtmlConciliacion(const DatosConciliacion& datos, const OpcionesDocumento& opciones,
                         const QDateTime& impreso)
{
    const EncabezadoConciliacion& e = datos.encabezado;
    QString html = QStringLiteral("<html><body>");
    html += QStringLiteral("<h2 align=\"center\">%1</h2>").arg(datos.empresa.toHtmlEscaped());
    html += QStringLiteral("<h3 align=\"center\">Conciliación de Cuentas Nro: %1</h3>").arg(e.numero.toHtmlEscaped());
    if (opciones.fechaImpresion && impreso.isValid())
        html += QStringLiteral("<p align=\"center\">Impreso el %1</p>")
                    .arg(impreso.toString(QStringLiteral("dd/MM/yyyy HH:mm")));

    html += QStringLiteral("<table cellspacing=\"0\" cellpadding=\"2\">");
    html += filaEncabezado(QStringLiteral("Fecha de conciliación:"), e.fecha);
    html += filaEncabezado(QStringLiteral("Cuenta a Conciliar:"),
                           e.descripcionCuenta.isEmpty() ? e.cuenta : e.cuenta + QStringLiteral(" - ") + e.descripcionCuenta);
    html += filaEncabezado(QStringLiteral("Período:"), e.desde + QStringLiteral(" - ") + e.hasta);
    html += filaEncabezado(QStringLiteral("U. Negocio:"), e.unidadNegocio);
    html += filaEncabezado(QStringLiteral("Usuario:"), e.usuario);
    html += filaEncabezado(QStringLiteral("Observaciones:"), e.observaciones);
    html += filaEncabezado(QStringLiteral("Estado:"), e.finalizada ? QStringLiteral("Finalizada") : QStringLiteral("Abierta"));
    html += QStringLiteral("</table><br/>");

    html += QStringLiteral("<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\"><thead><tr>");
    for (const char* titulo : {"Fecha", "Vencimiento", "TC", "Comprobante", "Concepto", "Importe", "Conciliado con"})
        html += QStringLiteral("<th>%1</th>").arg(QString::fromUtf8(titulo));
    html += QStringLiteral("</tr></thead>");
    for (const LineaConciliacion& l : datos.lineas) {
        html += QStringLiteral("<tr>") + celda(l.fecha) + celda(l.vencimiento) + celda(l.tc) + celda(l.comprobante)
                + celda(l.concepto) + celda(ImporteReporte(l.importe), " align=\"right\"") + celda(l.conciliadoCon)
                + QStringLiteral("</tr>");
    }
    html += QStringLiteral("<tr><td colspan=\"5\"><b>Total (%1 movimientos)</b></td>").arg(datos.lineas.size());
    html += QStringLiteral("<td align=\"right\"><b>%1</b></td><td></td></tr>").arg(ImporteReporte(datos.total()));
    html += QStringLiteral("</table></body></html>");
    return html;
}

} // namespace suite
