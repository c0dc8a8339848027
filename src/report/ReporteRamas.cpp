// The branch balance report: the children of Cuenta (the accounts one level below it) with their balances
// in the period, in code order, each linking to its own report; consolidated (0), one column per business
// unit (1) or cost centre (2), or unit columns with one sub-row per cost centre (3).

#include "ReporteRamas.h"

#include "Desgloses.h"
#include "EnlaceHTML.h"

namespace report::detalle {

namespace {

QString hijos(const Listado& l)
{
    return QStringLiteral("cuenta like '") + l.cuenta + QStringLiteral("%' and len(Cuenta)=") + QString::number(l.LargoHijo());
}

void banda(Listado& l)
{
    if (l.p.Cuenta.isEmpty()) {
        l.BandaSinSaldo();
        return;
    }
    const bool porCentro = l.p.eTipoListado == PorCentroCosto;
    l.BandaSaldo(QStringLiteral("Select sum(isnull(saldo,0)) as Saldo from ve_saldosctaAC where cuenta like '") + l.cuenta
                 + QStringLiteral("%' and len(cuenta)=") + QString::number(l.LargoHijo())
                 + (porCentro ? QStringLiteral(" and (") : QStringLiteral(" and("))
                 + Listado::Condicion(porCentro ? QStringLiteral(" UnidadNegocio ") : QStringLiteral(" unidadnegocio "),
                                      l.p.eUnidadesNegocio, true)
                 + QStringLiteral(") and ") + l.Periodo());
}

void consolidado(Listado& l)
{
    l.Linea(QStringLiteral("<TABLE CLASS=TableDetalles WIDTH=100%>"));
    l.Linea(QStringLiteral("<TR> "));
    l.Linea(QStringLiteral("<TD CLASS=TableCaption> Cuenta </TD>"));
    l.Linea(QStringLiteral("<TD CLASS=TableCaption> Descripcion </TD>"));
    l.Linea(QStringLiteral("<TD CLASS=TableCaption></TD>"));
    l.Linea(QStringLiteral("<TD CLASS=TableCaption align=right> Saldo </TD>"));
    l.Linea(QStringLiteral("</TR>"));
    ado::Recordset rs;
    l.Abrir(QStringLiteral("Select cuenta,descripcion, isnull(sum(saldo),0) as Saldo From ve_saldosctaAC where cuenta like '")
                + l.cuenta + QStringLiteral("%' and len(cuenta)=") + QString::number(l.LargoHijo()) + QStringLiteral("and(")
                + Listado::Condicion(QStringLiteral(" unidadnegocio "), l.p.eUnidadesNegocio, true)
                + QStringLiteral(") and ") + l.Periodo() + QStringLiteral(" ")
                + QStringLiteral(" group by cuenta, descripcion order by cuenta asc"),
            rs);
    if (rs.EOF())
        return;
    l.ComenzarFilas(rs.RecordCount());
    for (; !rs.EOF(); rs.MoveNext()) {
        l.Paso(rs);
        l.Fila();
        const QString codigo = rs.Fields(QStringLiteral("Cuenta")).Value().toText();
        const ado::Variant saldo = rs.Fields(QStringLiteral("Saldo")).Value();
        l.Linea(QStringLiteral("<TR>"));
        l.Linea(QStringLiteral("<TD CLASS=TableRow><A HREF=\"") + EnlaceCuenta(codigo) + QStringLiteral("\">")
                + TextoHTML(codigo) + QStringLiteral("</TD><TD CLASS=TableRow>")
                + Celda(rs.Fields(QStringLiteral("Descripcion")).Value())
                + QStringLiteral("</TD><TD CLASS=TableRow align=center>") + MarcaSaldo(saldo)
                + QStringLiteral("</TD><TD CLASS=TableRow align=right> ") + MonedaAbsoluta(saldo)
                + QStringLiteral("</TD></TR>"));
    }
    l.Linea(QStringLiteral("</TABLE>"));
}

const QString kPorUnidad = QStringLiteral("Select isnull(Sum(Saldo), 0) As Saldo From VE_SALDOSCTAAC where cuenta ='");
const QString kPorCentro = QStringLiteral("Select isnull(Sum(Saldo), 0) As Saldo From VE_SALDOSCTAAC_CCosto where cuenta ='");

void desglose(Listado& l)
{
    const int tipo = l.p.eTipoListado;
    const bool columnasDeCentro = tipo == PorCentroCosto;
    const QVector<CodigoColumna> columnas =
        columnasDeCentro
            ? LeerColumnas(l,
                           ConsultaDistintos(l, QStringLiteral("CCosto"), QStringLiteral("VE_SALDOSCTAAC_CCosto"), hijos(l),
                                             Listado::Condicion(QStringLiteral(" CCosto "), l.p.eCentrosCostos, false)),
                           QStringLiteral("CCosto"), l.p.eCentrosCostos)
            : LeerColumnas(l,
                           ConsultaDistintos(l, QStringLiteral("unidadnegocio"), QStringLiteral("VE_SALDOSCTAAC"), hijos(l),
                                             Listado::Condicion(QStringLiteral(" unidadnegocio "), l.p.eUnidadesNegocio, false)),
                           QStringLiteral("UnidadNegocio"), l.p.eUnidadesNegocio);
    QVector<Centro> centros;
    if (tipo == PorUnidadYCentro)
        centros = LeerCentros(l, ConsultaDistintos(l, QStringLiteral("CCosto, descripcionCC"),
                                                   QStringLiteral("VE_SALDOSCTAAC_CCosto"), hijos(l),
                                                   Listado::Condicion(QStringLiteral(" CCosto "), l.p.eCentrosCostos, false)));
    const QVector<FilaCuenta> filas = LeerFilas(
        l, QStringLiteral("Select cuenta, descripcion, isnull(Sum(Saldo), 0) As Saldo From VE_SALDOSCTAAC where ") + hijos(l)
               + QStringLiteral(" and  ") + l.PeriodoAmplio()
               + (columnasDeCentro ? QStringLiteral(" and (") : QStringLiteral(" and ( "))
               + Listado::Condicion(columnasDeCentro ? QStringLiteral(" UnidadNegocio ") : QStringLiteral(" unidadnegocio "),
                                    l.p.eUnidadesNegocio, true)
               + QStringLiteral(") Group by cuenta,descripcion order by cuenta asc"));
    CabeceraDesglose(l, columnas);
    ado::Recordset rs;
    const EstiloFila estilo{false, QStringLiteral("TableRow")};
    l.ComenzarFilas(filas.size());
    for (const FilaCuenta& fila : filas) {
        l.Fila();
        QString celdas;
        for (const CodigoColumna& c : columnas) {
            const QString sql = columnasDeCentro ? kPorCentro + Literal(fila.codigo) + QStringLiteral("' and ")
                                                       + IgualA(QStringLiteral("CCosto"), c)
                                                 : kPorUnidad + Literal(fila.codigo) + QStringLiteral("' and ")
                                                       + IgualA(QStringLiteral("unidadnegocio"), c);
            celdas += QStringLiteral("<TD CLASS=TableRow align=right> ")
                      + SaldoDeCelda(l, rs, sql + QStringLiteral(" and ") + l.PeriodoAmplio()) + QStringLiteral("</TD>");
        }
        EscribirFilaCuenta(l, estilo, fila, celdas);
        for (const Centro& centro : centros) {
            QStringList valores;
            for (const CodigoColumna& c : columnas)
                valores << SaldoDeCelda(l, rs,
                                        kPorCentro + Literal(fila.codigo) + QStringLiteral("' and ")
                                            + IgualA(QStringLiteral("unidadnegocio"), c) + QStringLiteral(" and ")
                                            + IgualA(QStringLiteral("CCosto"), centro.codigo) + QStringLiteral(" and ")
                                            + l.PeriodoAmplio());
            EscribirSubfilaCentro(l, centro, valores);
        }
    }
    l.Linea(QStringLiteral("</TABLE>"));
}

} // namespace

void EscribirRamas(Listado& l)
{
    const int tipo = l.p.eTipoListado;
    if (tipo >= Consolidado && tipo <= PorUnidadYCentro) {
        banda(l);
        if (tipo == Consolidado)
            consolidado(l);
        else
            desglose(l);
    }
    l.Linea(QStringLiteral("</body></html>"));
}

} // namespace report::detalle
