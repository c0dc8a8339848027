// The movement report: the journal lines of Cuenta and its sub-accounts in the period, newest first, each
// with a link to its voucher; by listing type consolidated (0, 1), per cost centre (2) or with one sub-row
// per cost centre (3).

#include "ReporteMovimientos.h"

#include "Desgloses.h"
#include "EnlaceHTML.h"
#include "LibroIvaListado.h"
#include "Listado.h"

#include "core/Money.h"
#include "platform/suite/Utilidades.h"

namespace report::detalle {

namespace {

const QString kTD = QStringLiteral("<TD CLASS=TableRow>");
const QString kFinTD = QStringLiteral("</TD>");

QString cabecera(const QString& texto, bool derecha = false)
{
    return QStringLiteral("<TD CLASS=TableCaption") + (derecha ? QStringLiteral(" align=right> ") : QStringLiteral("> "))
           + texto + QStringLiteral(" </TD>");
}

void cabeceraTabla(Listado& l, const QStringList& celdas)
{
    l.Linea(QStringLiteral("<TABLE CLASS=TableDetalles WIDTH=100%>"));
    l.Linea(QStringLiteral("<TR> "));
    for (const QString& celda : celdas)
        l.Linea(celda);
    l.Linea(QStringLiteral("</TR>"));
}

QString textoCampo(Campos& f, const char* campo)
{
    return f[campo].toText();
}

QString celdaCampo(Campos& f, const char* campo)
{
    return kTD + Celda(f[campo]) + kFinTD;
}

// The voucher cell: its link, then "branch-number letter"; the anchor is closed by the cell.
QString celdaComprobante(Campos& f, const QString* cuentaCab, const QString* cuentaFiltro)
{
    const QString sucursal = textoCampo(f, "Sucursal");
    const QString numero = textoCampo(f, "Numero");
    const QString letra = textoCampo(f, "Letra");
    return QStringLiteral("<TD CLASS=TableRow><A HREF=\"")
           + EnlaceComprobante(textoCampo(f, "TC").trimmed(), sucursal, numero, letra, cuentaCab, cuentaFiltro)
           + QStringLiteral("\">") + TextoHTML(sucursal + QStringLiteral("-") + numero + QStringLiteral(" ") + letra)
           + kFinTD;
}

QString celdaLado(Campos& f)
{
    const ado::Variant importe = f["Importe"];
    QString texto = QStringLiteral("<TD CLASS=TableRow align=center>");
    if (!importe.isNull() && importe.toCurrency() != ado::Currency())
        texto += QStringLiteral("(") + Celda(f["DebeHaber"]) + QStringLiteral(")");
    return texto + kFinTD;
}

QString celdaImporte(const QString& texto)
{
    return QStringLiteral("<TD CLASS=TableRow align=right> ") + texto + kFinTD;
}

QString monedaConSigno(const ado::Variant& v)
{
    return ModGlobal::FmtMoneda(v.isNull() ? ado::Currency() : v.toCurrency(), -1);
}

void bandaMovimientos(Listado& l)
{
    if (l.p.eTipoListado < Consolidado || l.p.eTipoListado > PorUnidadYCentro)
        return;
    if (l.p.Cuenta.isEmpty()) {
        l.BandaSinSaldo();
        return;
    }
    const QString unidades = Listado::Condicion(QStringLiteral(" unidadnegocio "), l.p.eUnidadesNegocio, false);
    const QString inicio = QStringLiteral("Select sum(isnull(saldo,0)) as Saldo from ve_saldosctaAC where cuenta ");
    switch (l.p.eTipoListado) {
    case Consolidado:
    case PorUnidadNegocio:
        l.BandaSaldo(inicio + QStringLiteral("like '") + l.cuenta + QStringLiteral("%' and len(cuenta)=")
                     + QString::number(l.p.Cuenta.size()) + QStringLiteral(" and(") + unidades + QStringLiteral(") and ")
                     + l.Periodo());
        break;
    case PorCentroCosto:
        l.BandaSaldo(inicio + QStringLiteral("= '") + l.cuenta + QStringLiteral("' and (") + unidades
                     + QStringLiteral(")  and ") + l.Periodo() + QStringLiteral(" "));
        break;
    case PorUnidadYCentro:
        l.BandaSaldo(inicio + QStringLiteral("like '") + l.cuenta + QStringLiteral("%' and (") + unidades
                     + QStringLiteral(")  and ") + l.Periodo() + QStringLiteral(" "));
        break;
    default:
        break;
    }
}

// Rows of a movement query: "<TR>", then the row's cells and "</TR>" as one line; "</TABLE>" after the last.
// Nothing at all for an empty result (the table stays open, the trailer follows).
template <typename Fila>
void filas(Listado& l, ado::Recordset& rs, Fila fila)
{
    if (rs.EOF())
        return;
    l.ComenzarFilas(rs.RecordCount());
    for (; !rs.EOF(); rs.MoveNext()) {
        l.Paso(rs);
        l.Fila();
        l.Linea(QStringLiteral("<TR>"));
        fila();
    }
    l.Linea(QStringLiteral("</TABLE>"));
}

void consolidado(Listado& l, bool conIva)
{
    QStringList titulos{cabecera(QStringLiteral("Fecha")),      cabecera(QStringLiteral("Cpte")),
                        cabecera(QStringLiteral("Numero")),     cabecera(QStringLiteral("Concepto")),
                        cabecera(QStringLiteral("U. Negocio")), cabecera(QStringLiteral("D/H")),
                        cabecera(QStringLiteral("Importe"), true)};
    if (conIva)
        titulos << QStringLiteral("<TD CLASS=TableCaption align=right>iva</TD>");
    cabeceraTabla(l, titulos);

    const QString donde = QStringLiteral("cuenta like '") + l.cuenta + QStringLiteral("%' and(")
                          + Listado::Condicion(QStringLiteral(" unegocio "), l.p.eUnidadesNegocio, true)
                          + QStringLiteral(") and ") + l.Periodo() + QStringLiteral("  ") + l.filtro;
    LibroIvaListado libro;
    if (conIva)
        libro.Cargar(l, donde);
    ado::Recordset rs;
    l.Abrir(QStringLiteral("Select  cuenta,fecha,tc,sucursal,numero,letra, detalle, unegocio as UnidadNegocio,"
                           "[DEBE-HABER] AS DEBEHABER, sum(importe) as Importe, tipo_reg, mes_operativo, [numero asiento] "
                           "from mv_Asientos where ")
                + donde
                + QStringLiteral(" group by cuenta,fecha,tc,sucursal,numero,letra, detalle, unegocio ,[DEBE-HABER], "
                                 "tipo_reg, mes_operativo, [numero asiento] order by FECHA desc"),
            rs);
    Campos f(rs);
    filas(l, rs, [&] {
        const QString cuentaFila = textoCampo(f, "Cuenta");
        const ado::Variant importe = f["Importe"];
        QString linea = celdaCampo(f, "Fecha") + celdaCampo(f, "TC")
                        + celdaComprobante(f, &l.p.Cuenta, &cuentaFila) + celdaCampo(f, "Detalle")
                        + celdaCampo(f, "UnidadNegocio") + celdaLado(f) + celdaImporte(MonedaAbsoluta(importe));
        if (conIva)
            linea += celdaImporte(libro.Letra(f["TC"], f["Sucursal"],
                                              f["Numero"], f["Letra"],
                                              f["Tipo_Reg"], f["numero asiento"],
                                              f["Mes_Operativo"], importe.toCurrency()));
        l.Linea(linea + QStringLiteral("</TR>"));
    });
}

void porCentroCosto(Listado& l)
{
    cabeceraTabla(l, {cabecera(QStringLiteral("Fecha")), cabecera(QStringLiteral("Cpte")),
                      cabecera(QStringLiteral("Numero")), cabecera(QStringLiteral("Concepto")),
                      cabecera(QStringLiteral("C.Costo")), cabecera(QStringLiteral("Porcentaje"), true),
                      cabecera(QStringLiteral("Importe"), true), cabecera(QStringLiteral("D/H")),
                      cabecera(QStringLiteral("Total"), true)});
    ado::Recordset rs;
    l.Abrir(QStringLiteral("Select  cuenta,fecha,tc,sucursal,numero,letra, detalle,ccosto,  [DEBE-HABER] AS DEBEHABER, "
                           "importe, importecc as Importecc, porcentaje as porcentaje from VT_Asientos_CCosto where "
                           "cuenta like '")
                + l.cuenta + QStringLiteral("%'  and(")
                + Listado::Condicion(QStringLiteral(" unegocio "), l.p.eUnidadesNegocio, true) + QStringLiteral(") and(")
                + Listado::Condicion(QStringLiteral(" ccosto "), l.p.eCentrosCostos, true) + QStringLiteral(")   and ")
                + l.Periodo() + QStringLiteral(" ") + l.filtro
                + QStringLiteral(" order by FECHA desc, tc,sucursal,numero,letra , ccosto asc"),
            rs);
    Campos f(rs);
    filas(l, rs, [&] {
        const QString cuentaFila = textoCampo(f, "Cuenta");
        l.Linea(celdaCampo(f, "Fecha") + celdaCampo(f, "TC") + celdaComprobante(f, nullptr, &cuentaFila)
                + celdaCampo(f, "Detalle") + celdaCampo(f, "CCosto")
                + celdaImporte(Celda(f["Porcentaje"]))
                + celdaImporte(monedaConSigno(f["Importecc"]))
                + QStringLiteral("<TD CLASS=TableRow align=center>(") + Celda(f["DebeHaber"])
                + QStringLiteral(")</TD>") + celdaImporte(monedaConSigno(f["Importe"]))
                + QStringLiteral("</TR>"));
    });
}

void porUnidadYCentro(Listado& l)
{
    cabeceraTabla(l, {cabecera(QStringLiteral("Fecha")), cabecera(QStringLiteral("Cpte")),
                      cabecera(QStringLiteral("Numero")), cabecera(QStringLiteral("Concepto")),
                      cabecera(QStringLiteral("U. Negocio")), cabecera(QStringLiteral("Porcentaje"), true),
                      cabecera(QStringLiteral("D/H")), cabecera(QStringLiteral("Importe"), true)});
    const QVector<Centro> centros = LeerCentros(
        l, ConsultaDistintos(l, QStringLiteral("CCosto, descripcionCC"), QStringLiteral("VE_SALDOSCTAAC_CCosto"),
                             QStringLiteral("cuenta like '") + l.cuenta + QStringLiteral("%' and len(Cuenta)=")
                                 + QString::number(l.LargoHijo()),
                             Listado::Condicion(QStringLiteral(" CCosto "), l.p.eCentrosCostos, false))
               + QStringLiteral(" "));
    ado::Recordset rs;
    ado::Recordset parte;
    // The row's own account is read too: a line's share is looked up by the account it was posted to.
    l.Abrir(QStringLiteral("Select cuenta,fecha,tc,sucursal,numero,letra, detalle, unegocio as UnidadNegocio,"
                           "[DEBE-HABER] AS DEBEHABER, importe  from mv_Asientos where cuenta like '")
                + l.cuenta + QStringLiteral("%' and(")
                + Listado::Condicion(QStringLiteral(" unegocio "), l.p.eUnidadesNegocio, true) + QStringLiteral(") and ")
                + l.Periodo() + QStringLiteral(" ") + l.filtro + QStringLiteral(" order by FECHA desc"),
            rs);
    Campos f(rs);
    filas(l, rs, [&] {
        // The row's account rides in the link as in the other listings, so a purchase opened from here finds
        // its header.
        const QString cuentaFila = textoCampo(f, "Cuenta");
        l.Linea(celdaCampo(f, "Fecha") + celdaCampo(f, "TC") + celdaComprobante(f, nullptr, &cuentaFila)
                + celdaCampo(f, "Detalle") + celdaCampo(f, "UnidadNegocio")
                + QStringLiteral("<TD CLASS=TableRow align=right></TD>") + celdaLado(f)
                + celdaImporte(MonedaAbsoluta(f["Importe"])) + QStringLiteral("</TR>"));
        const QString claveCpte = QStringLiteral("Select porcentaje, importecc  from VT_ASIENTOS_CCOSTO1 where tc = '")
                                  + Literal(textoCampo(f, "TC")) + QStringLiteral("' and sucursal = '")
                                  + Literal(textoCampo(f, "Sucursal")) + QStringLiteral("' and numero = '")
                                  + Literal(textoCampo(f, "Numero")) + QStringLiteral("' and letra = '")
                                  + Literal(textoCampo(f, "Letra")) + QStringLiteral("' and CCosto= '");
        const QString condicionCuenta = QStringLiteral("' and cuenta = '") + Literal(cuentaFila)
                                        + QStringLiteral("'");
        for (const Centro& centro : centros) {
            l.Eventos();
            l.Linea(QStringLiteral("<TR bgcolor= #f0cac1>"));
            QString sub = QStringLiteral("<TD CLASS=TableRowAbierto align=right>") + TextoHTML(centro.codigo.value_or(QString()))
                          + QStringLiteral("</TD><TD CLASS=TableRowAbierto align=left></TD><TD CLASS=TableRowAbierto align=left>")
                          + TextoHTML(centro.descripcion) + kFinTD;
            l.Abrir(claveCpte + Literal(centro.codigo.value_or(QString())) + condicionCuenta, parte);
            const QString vacia = QStringLiteral("<TD CLASS=TableRowAbierto></TD>");
            const QString derecha = QStringLiteral("<TD CLASS=TableRowAbierto align=right>");
            if (parte.EOF())
                sub += vacia + vacia + derecha + QStringLiteral("0</TD>") + vacia + derecha + QStringLiteral("0</TD>");
            else
                sub += vacia + vacia + derecha + Celda(parte.Fields(QStringLiteral("porcentaje")).Value()) + kFinTD
                       + vacia + derecha + Celda(parte.Fields(QStringLiteral("importecc")).Value()) + kFinTD;
            l.Linea(sub + QStringLiteral("</TR>"));
        }
    });
}

} // namespace

void EscribirMovimientos(Listado& l, bool conIva)
{
    bandaMovimientos(l);
    switch (l.p.eTipoListado) {
    case Consolidado:
    case PorUnidadNegocio:
        consolidado(l, conIva);
        break;
    case PorCentroCosto:
        porCentroCosto(l);
        break;
    case PorUnidadYCentro:
        porUnidadYCentro(l);
        break;
    default:
        break;
    }
    l.Linea(QStringLiteral("&nbsp <TABLE Border=0 CellPadding=2 CellSpacing=0 WIDTH=100%><TR CLASS=TableTitulo><td ALIGN=left ><font color=white>Resultados ordenados por fecha descendente </td></TR></TABLE>"));
    l.Linea(QStringLiteral("</body></html>"));
}

} // namespace report::detalle
