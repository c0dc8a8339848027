// The chart tree report: the chart of accounts down to the code length eNiveles, one row per account
// coloured by its level and linking to the account popup, then the totals of the first-level accounts;
// consolidated (0), one column per business unit (1) or cost centre (2), or unit columns with one sub-row per
// cost centre (3, no totals).

#include "ReporteArbol.h"

#include "Desgloses.h"

namespace report::detalle {

namespace {

// The first-level accounts' balances, debit and credit apart, summed as money.
struct Totales {
    ado::Currency deudor;
    ado::Currency acreedor;

    // A first-level code is as long as the configured first level.
    void Sumar(const Listado& l, const FilaCuenta& fila)
    {
        if (fila.codigo.size() != l.niveles[0] || fila.saldo.isNull())
            return;
        const ado::Currency saldo = Dinero(fila.saldo).toCurrency();
        (saldo > ado::Currency() ? deudor : acreedor) += saldo;
    }

    void Escribir(Listado& l, bool conBlanco) const
    {
        l.Linea((conBlanco ? QStringLiteral("&nbsp <TABLE") : QStringLiteral("&nbsp<TABLE"))
                + QStringLiteral(" Border=0 CellPadding=3 CellSpacing=0 WIDTH=100%>")
                + QStringLiteral("<TR CLASS=TableTitulo><td ALIGN=left ><font color=white>Total Deudor</td><TD ALIGN=right >")
                + SaldoAbsoluto(deudor) + QStringLiteral("</td></TR>")
                + QStringLiteral("<TR CLASS=TableTitulo><td ALIGN=left ><font color=white>Total Acreedor</td><TD ALIGN=right >")
                + SaldoAbsoluto(acreedor) + QStringLiteral("</td></TR>") + QStringLiteral("</TABLE>"));
    }
};

QString niveles(const Listado& l)
{
    return QStringLiteral("len(Cuenta)<=") + QString::number(l.p.eNiveles);
}

QString ramaYNiveles(const Listado& l)
{
    return QStringLiteral("cuenta like '") + l.cuenta + QStringLiteral("%' and ") + niveles(l);
}

void consolidado(Listado& l)
{
    const EstiloFila estilo{true, QStringLiteral("TableRowAbierto")};
    CabeceraDesglose(l, {});
    ado::Recordset rs;
    l.Abrir(QStringLiteral("Select cuenta,descripcion, isnull(sum(saldo),0) as Saldo From ve_saldosctaAC where  len(cuenta)<=")
                + QString::number(l.p.eNiveles) + QStringLiteral("and(")
                + Listado::Condicion(QStringLiteral(" unidadnegocio "), l.p.eUnidadesNegocio, true)
                + QStringLiteral(") and ") + l.Periodo() + QStringLiteral(" group by cuenta, descripcion order by cuenta asc"),
            rs);
    Totales totales;
    l.ComenzarFilas(rs.RecordCount());
    for (; !rs.EOF(); rs.MoveNext()) {
        l.Paso(rs);
        l.Fila();
        const FilaCuenta fila{rs.Fields(QStringLiteral("Cuenta")).Value().toText(),
                              rs.Fields(QStringLiteral("Descripcion")).Value().toText(),
                              rs.Fields(QStringLiteral("Saldo")).Value()};
        totales.Sumar(l, fila);
        EscribirFilaCuenta(l, estilo, fila, QString());
    }
    l.Linea(QStringLiteral("</TABLE>"));
    totales.Escribir(l, true);
}

void desglose(Listado& l)
{
    const int tipo = l.p.eTipoListado;
    const bool columnasDeCentro = tipo == PorCentroCosto;
    const QString cuentas = tipo == PorUnidadNegocio ? niveles(l) : ramaYNiveles(l);
    const QString centrosElegidos = Listado::Condicion(QStringLiteral(" CCosto "), l.p.eCentrosCostos, false);
    const QVector<CodigoColumna> columnas =
        columnasDeCentro
            ? LeerColumnas(l,
                           ConsultaDistintos(l, QStringLiteral("CCosto"), QStringLiteral("VE_SALDOSCTAAC_CCosto"), cuentas,
                                             centrosElegidos)
                               + QStringLiteral(" "),
                           QStringLiteral("CCosto"), l.p.eCentrosCostos)
            : LeerColumnas(l,
                           ConsultaDistintos(l, QStringLiteral("unidadnegocio"), QStringLiteral("VE_SALDOSCTAAC"), cuentas,
                                             Listado::Condicion(QStringLiteral(" unidadnegocio "), l.p.eUnidadesNegocio, false)),
                           QStringLiteral("UnidadNegocio"), l.p.eUnidadesNegocio);
    QVector<Centro> centros;
    if (tipo == PorUnidadYCentro)
        centros = LeerCentros(l, ConsultaDistintos(l, QStringLiteral("CCosto, descripcionCC"),
                                                   QStringLiteral("VE_SALDOSCTAAC_CCosto"), cuentas, centrosElegidos));
    const QVector<FilaCuenta> filas = LeerFilas(
        l, QStringLiteral("Select cuenta, descripcion, isnull(Sum(Saldo), 0) As Saldo From VE_SALDOSCTAAC where ")
               + (tipo == PorUnidadNegocio ? QStringLiteral(" ") : QString()) + cuentas + QStringLiteral(" and  ")
               + l.PeriodoAmplio() + (columnasDeCentro ? QStringLiteral("   and ( ") : QStringLiteral(" and ( "))
               + Listado::Condicion(columnasDeCentro ? QStringLiteral(" Unidadnegocio ") : QStringLiteral(" unidadnegocio "),
                                    l.p.eUnidadesNegocio, true)
               + QStringLiteral(") Group by cuenta,descripcion order by cuenta asc"));
    CabeceraDesglose(l, columnas, tipo != PorUnidadYCentro);
    const QString claseCelda =
        tipo == PorUnidadYCentro ? QStringLiteral("TableRowabierto") : QStringLiteral("TableRowAbierto");
    const EstiloFila estilo{true, claseCelda};
    Totales totales;
    ado::Recordset rs;
    l.ComenzarFilas(filas.size());
    for (const FilaCuenta& fila : filas) {
        l.Fila();
        QString celdas;
        for (const CodigoColumna& c : columnas) {
            const QString sql =
                (columnasDeCentro ? QStringLiteral("Select isnull(Sum(Saldo), 0) As Saldo From VE_SALDOSCTAAC_CCosto where cuenta ='")
                                  : QStringLiteral("Select isnull(Sum(Saldo), 0) As Saldo From VE_SALDOSCTAAC where cuenta ='"))
                + Literal(fila.codigo) + QStringLiteral("' and ")
                + IgualA(columnasDeCentro ? QStringLiteral("CCosto") : QStringLiteral("unidadnegocio"), c)
                + QStringLiteral(" and ") + l.PeriodoAmplio();
            celdas += QStringLiteral("<TD CLASS=") + claseCelda + QStringLiteral(" align=right> ") + SaldoDeCelda(l, rs, sql)
                      + QStringLiteral("</TD>");
        }
        if (tipo != PorUnidadYCentro)
            totales.Sumar(l, fila);
        EscribirFilaCuenta(l, estilo, fila, celdas);
        for (const Centro& centro : centros) {
            QStringList valores;
            for (const CodigoColumna& c : columnas)
                valores << SaldoDeCelda(
                    l, rs,
                    QStringLiteral("Select isnull(Sum(Saldo), 0) As Saldo From VE_SALDOSCTAAC_CCosto where cuenta ='")
                        + Literal(fila.codigo) + QStringLiteral("' and ") + IgualA(QStringLiteral("unidadnegocio"), c)
                        + QStringLiteral(" and ") + IgualA(QStringLiteral("CCosto"), centro.codigo)
                        + QStringLiteral(" and ") + l.PeriodoAmplio());
            EscribirSubfilaCentro(l, centro, valores);
        }
    }
    l.Linea(QStringLiteral("</TABLE>"));
    if (tipo != PorUnidadYCentro)
        totales.Escribir(l, false);
}

} // namespace

void EscribirArbol(Listado& l)
{
    l.BandaSinSaldo();
    const int tipo = l.p.eTipoListado;
    if (tipo == Consolidado)
        consolidado(l);
    else if (tipo >= PorUnidadNegocio && tipo <= PorUnidadYCentro)
        desglose(l);
    l.Linea(QStringLiteral("</body></html>"));
}

} // namespace report::detalle
