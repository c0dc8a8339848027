#include "ReporteConciliacion.h"

#include "EntornoPrograma.h"
#include "reconciliation/engine/Store.h"

#include "core/Globals.h"
#include "data/DB_Dll.h"
#include "platform/suite/Progreso.h"

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

DatosReporte LeerConciliacion(ReconciliationStore& store, const QList<suite::CondicionSeleccion>& seleccion)
{
    const QString numero = numeroSeleccionado(seleccion);
    QList<CondicionReporte> condiciones;
    for (const suite::CondicionSeleccion& c : seleccion)
        if (c.campo.compare(kCampoNumero, Qt::CaseInsensitive) != 0)
            condiciones << CondicionReporte{c.tabla, c.campo, c.valor};
    try {
        const std::optional<DatosReporte> datos = store.LeerReporte(NumeroDeTexto(numero), condiciones);
        if (!datos)
            throw suite::ErrorReporte(QStringLiteral("No existe la conciliación Nro: %1").arg(numero));
        return *datos;
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
    const QStringList socios = conciliadoCon.split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (socios.size() <= kSociosEnReporte)
        return conciliadoCon;
    QStringList primeros;
    for (qsizetype i = 0; i < kSociosEnReporte; ++i)
        primeros << socios.at(i).trimmed();
    return primeros.join(QStringLiteral(", "))
           + QStringLiteral(" (y %1 más)").arg(QLocale().toString(qint64(socios.size() - kSociosEnReporte)));
}

QString HtmlConciliacion(const DatosReporte& datos, const QString& empresa, const suite::OpcionesDocumento& opciones,
                         const QDateTime& impreso, const AvanceReporte& avance)
{
    const Cabecera& e = datos.cabecera;
    const QString cuenta = e.cuenta.trimmed();
    QString html = QStringLiteral("<html><body>");
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

    html += QStringLiteral("<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\"><thead><tr>");
    for (const char* titulo : {"Fecha", "Vencimiento", "TC", "Comprobante", "Concepto", "Importe", "Conciliado con"})
        html += QStringLiteral("<th>%1</th>").arg(QString::fromUtf8(titulo));
    html += QStringLiteral("</tr></thead>");
    const qsizetype total = datos.lineas.size();
    for (qsizetype i = 0; i < total; ++i) {
        if (avance && avance(i, total))
            throw suite::ErrorReporte(QStringLiteral("Reporte cancelado."));
        const LineaReporte& l = datos.lineas.at(i);
        html += QStringLiteral("<tr>") + celda(l.fecha) + celda(l.vencimiento) + celda(l.tc) + celda(l.comprobante)
                + celda(l.concepto) + celda(ImporteReporte(l.importe), " align=\"right\"")
                + celda(ConciliadoConAcotado(l.conciliadoCon)) + QStringLiteral("</tr>");
    }
    html += QStringLiteral("<tr><td colspan=\"5\"><b>Total (%1 movimientos)</b></td>").arg(datos.lineas.size());
    html += QStringLiteral("<td align=\"right\"><b>%1</b></td><td></td></tr>").arg(ImporteReporte(datos.total()));
    html += QStringLiteral("</table></body></html>");
    return html;
}

QString DocumentoConciliacion(const suite::PedidoReporte& pedido)
{
    // Table names follow the signed-in user, as every statement of the workbench does.
    ReconciliationStore store(pedido.conexion, gDB().gEsAdmin, EntornoPrograma());
    const DatosReporte datos = LeerConciliacion(store, pedido.seleccion);
    const QString empresa = pedido.formulas.value(QString::fromLatin1(kFormulaEmpresa).toUpper());
    // Thousands of lines take a while: the operator sees how far it got and may stop it.
    suite::Progreso& progreso = ModGlobal::gProgreso();
    progreso.Iniciar(QStringLiteral("Reporte"), true);
    struct Fin {
        suite::Progreso& p;
        ~Fin() { p.Terminar(); }
    } fin{progreso};
    return HtmlConciliacion(datos, empresa, pedido.opciones, pedido.impreso, [&](qsizetype hechas, qsizetype total) {
        bool cancelar = false;
        progreso.Avanzar(cancelar, QStringLiteral("Preparando el reporte"), QStringLiteral("Espere por Favor"),
                         QString::number(hechas * 100 / total) + QStringLiteral(" %"));
        return cancelar;
    });
}

} // namespace conciliacion
