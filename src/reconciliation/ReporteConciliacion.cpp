#include "ReporteConciliacion.h"

#include "EntornoPrograma.h"
#include "reconciliation/engine/Store.h"

#include "data/DB_Dll.h"
#include "platform/suite/ColumnasReporte.h"

#include <QLocale>

namespace conciliacion {

namespace {

const QString kCampoNumero = QStringLiteral("IDCONCILIACION");

// The number the selection names; the other conditions restrict what is read.
QString numeroSeleccionado(const QList<suite::CondicionSeleccion>& seleccion)
{
    for (const suite::CondicionSeleccion& c : seleccion)
        if (c.campo.compare(kCampoNumero, Qt::CaseInsensitive) == 0)
            return c.valor.toString().trimmed();
    throw suite::ErrorReporte(QStringLiteral("La selección del reporte no indica la conciliación."));
}

QString celda(const QString& valor, const char* estilo = "")
{
    return QStringLiteral("<td%1>%2</td>").arg(QString::fromLatin1(estilo), valor.trimmed().toHtmlEscaped());
}

QString filaEncabezado(const QString& rotulo, const QString& valor)
{
    return QStringLiteral("<tr><td><b>%1</b></td>%2</tr>").arg(rotulo.toHtmlEscaped(), celda(valor));
}

} // namespace

void RegistrarReporteConciliacion()
{
    suite::Reporte::Registrar(QLatin1String(kReporteConciliacion), DocumentoConciliacion);
}

DatosReporte LeerConciliacion(ReconciliationStore& store, const QList<suite::CondicionSeleccion>& seleccion,
                              const AvanceLectura& avance)
{
    const QString numero = numeroSeleccionado(seleccion);
    QList<CondicionReporte> condiciones;
    for (const suite::CondicionSeleccion& c : seleccion)
        if (c.campo.compare(kCampoNumero, Qt::CaseInsensitive) != 0)
            condiciones << CondicionReporte{c.tabla, c.campo, c.valor};
    try {
        const std::optional<DatosReporte> datos = store.LeerReporte(NumeroDeTexto(numero), condiciones, avance);
        if (!datos)
            throw suite::ErrorReporte(QStringLiteral("No existe la conciliación Nro: %1").arg(numero));
        return *datos;
    } catch (const LecturaCancelada&) {
        throw suite::ErrorReporte(suite::kMensajeReporteCancelado);
    } catch (const CondicionDesconocida& e) {
        throw suite::ErrorReporte(e.campo.isEmpty()
                                      ? QStringLiteral("El reporte no conoce la tabla %1.").arg(e.tabla)
                                      : QStringLiteral("El reporte no conoce el campo %1.%2.").arg(e.tabla, e.campo));
    }
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

QString ConciliadoConAcotado(const QString& conciliadoCon)
{
    // The IDs apart, so that a long list wraps in its column instead of widening the table past the page.
    const QStringList socios = conciliadoCon.split(QLatin1Char(','), Qt::SkipEmptyParts);
    QStringList primeros;
    for (qsizetype i = 0; i < std::min<qsizetype>(socios.size(), kSociosEnReporte); ++i)
        primeros << socios.at(i).trimmed();
    if (socios.size() <= kSociosEnReporte)
        return primeros.join(QStringLiteral(", "));
    return primeros.join(QStringLiteral(", "))
           + QStringLiteral(" (y %1 más)").arg(QLocale().toString(qint64(socios.size() - kSociosEnReporte)));
}

suite::ContenidoReporte ContenidoConciliacion(const DatosReporte& datos, const QString& empresa,
                                              const suite::OpcionesDocumento& opciones, const QDateTime& impreso,
                                              const AvanceReporte& avance)
{
    const Cabecera& e = datos.cabecera;
    const QString cuenta = e.cuenta.trimmed();
    suite::ContenidoReporte c;
    QString& html = c.inicio;
    html = QStringLiteral("<html><body>");
    html += QStringLiteral("<h2 align=\"center\">%1</h2>").arg(empresa.trimmed().toHtmlEscaped());
    html += QStringLiteral("<h3 align=\"center\">Conciliación de Cuentas Nro: %1</h3>").arg(e.numero);
    if (opciones.fechaImpresion && impreso.isValid())
        html += QStringLiteral("<p align=\"center\">Impreso el %1</p>")
                    .arg(impreso.toString(QStringLiteral("dd/MM/yyyy HH:mm")));

    html += QStringLiteral("<table cellspacing=\"0\" cellpadding=\"2\">");
    html += filaEncabezado(QStringLiteral("Fecha de conciliación:"), e.fecha);
    html += filaEncabezado(QStringLiteral("Cuenta a Conciliar:"),
                           datos.descripcionCuenta.isEmpty() ? cuenta
                                                             : cuenta + QStringLiteral(" - ") + datos.descripcionCuenta);
    html += filaEncabezado(QStringLiteral("Período:"), e.fechaDesde.trimmed() + QStringLiteral(" - ") + e.fechaHasta.trimmed());
    html += filaEncabezado(QStringLiteral("U. Negocio:"), e.unegocio);
    html += filaEncabezado(QStringLiteral("Usuario:"), e.usuario);
    html += filaEncabezado(QStringLiteral("Observaciones:"), e.observaciones);
    html += filaEncabezado(QStringLiteral("Estado:"), e.finalizada ? QStringLiteral("Finalizada") : QStringLiteral("Abierta"));
    html += QStringLiteral("</table><br/>");

    // Sized to their content, measured on every line: amounts, dates and codes never wrap; Concepto and
    // "Conciliado con" take what is left of the page.
    suite::ColumnasReporte columnas({{QStringLiteral("Fecha")},
                                     {QStringLiteral("Vencimiento")},
                                     {QStringLiteral("TC")},
                                     {QStringLiteral("Comprobante")},
                                     {QStringLiteral("Concepto"), true},
                                     {QStringLiteral("Importe"), false, true},
                                     {QStringLiteral("Conciliado con"), true}});
    const qsizetype total = datos.lineas.size();
    c.filas.reserve(total + 1);
    for (qsizetype i = 0; i < total; ++i) {
        if (avance && avance(i, total))
            throw suite::ErrorReporte(suite::kMensajeReporteCancelado);
        const LineaReporte& l = datos.lineas.at(i);
        c.filas << columnas.Fila({l.fecha, l.vencimiento, l.tc, l.comprobante, l.concepto, ImporteReporte(l.importe),
                                  ConciliadoConAcotado(l.conciliadoCon)});
    }
    c.filas << columnas.Fila({QStringLiteral("Total (%1 movimientos)").arg(datos.lineas.size()),
                              ImporteReporte(datos.total()), QString()},
                             true, {5, 1, 1});
    c.tabla = suite::ColumnasReporte::Tabla();
    c.encabezado = columnas.Encabezado(opciones);
    c.fin = QStringLiteral("</body></html>");
    return c;
}

QString HtmlConciliacion(const DatosReporte& datos, const QString& empresa, const suite::OpcionesDocumento& opciones,
                         const QDateTime& impreso, const AvanceReporte& avance)
{
    return ContenidoConciliacion(datos, empresa, opciones, impreso, avance).Html();
}

suite::ContenidoReporte DocumentoConciliacion(const suite::PedidoReporte& pedido)
{
    // Table names follow the signed-in user, as every statement of the workbench does.
    ReconciliationStore store(pedido.conexion, gDB().gEsAdmin, EntornoPrograma());
    // Thousands of lines take a while: the printer's progress window hears how far each stage got.
    const auto etapa = [&pedido](const QString& nombre) {
        return [&pedido, nombre](qsizetype hechas, qsizetype total) {
            return pedido.avance && pedido.avance(nombre, hechas, total);
        };
    };
    const DatosReporte datos = LeerConciliacion(store, pedido.seleccion, etapa(QStringLiteral("Leyendo los movimientos")));
    const QString empresa = pedido.formulas.value(QString::fromLatin1(kFormulaEmpresa).toUpper());
    return ContenidoConciliacion(datos, empresa, pedido.opciones, pedido.impreso,
                                 etapa(QStringLiteral("Armando el reporte")));
}

} // namespace conciliacion
