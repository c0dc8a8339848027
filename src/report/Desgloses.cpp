#include "Desgloses.h"

#include "EnlaceHTML.h"

#include <cmath>

namespace report::detalle {

QString IgualA(const QString& campo, const CodigoColumna& codigo)
{
    if (codigo)
        return campo + QStringLiteral("='") + Literal(*codigo) + QStringLiteral("'");
    return campo + QStringLiteral(" is null");
}

QString ConsultaDistintos(const Listado& l, const QString& columnas, const QString& vista, const QString& cuentas,
                          const QString& condicion)
{
    return QStringLiteral("Select distinct ") + columnas + QStringLiteral(" From ") + vista
           + QStringLiteral("  where cuenta in ( Select cuenta  From ") + vista + QStringLiteral("  where ") + cuentas
           + QStringLiteral(" and  ") + l.PeriodoAmplio() + QStringLiteral(" Group by cuenta ) and (") + condicion
           + QStringLiteral(")");
}

namespace {

CodigoColumna codigoDe(const ado::Variant& v)
{
    if (v.isNull() || v.isEmpty())
        return std::nullopt;
    return v.toText();
}

} // namespace

QVector<CodigoColumna> LeerColumnas(Listado& l, const QString& sql, const QString& campo, const QStringList& elegidos)
{
    QVector<CodigoColumna> columnas;
    ado::Recordset rs;
    l.Abrir(sql, rs);
    if (rs.RecordCount() < 1) {
        for (const QString& codigo : elegidos)
            columnas.append(codigo);
        return columnas;
    }
    for (; !rs.EOF(); rs.MoveNext()) {
        l.Paso(rs);
        columnas.append(codigoDe(rs.Fields(campo).Value()));
    }
    return columnas;
}

QVector<Centro> LeerCentros(Listado& l, const QString& sql)
{
    QVector<Centro> centros;
    ado::Recordset rs;
    l.Abrir(sql, rs);
    if (rs.RecordCount() >= 1) {
        for (; !rs.EOF(); rs.MoveNext()) {
            l.Paso(rs);
            centros.append({codigoDe(rs.Fields(QStringLiteral("CCosto")).Value()),
                            rs.Fields(QStringLiteral("descripcioncc")).Value().toText()});
        }
        return centros;
    }
    for (const QString& codigo : l.p.eCentrosCostos) {
        l.Abrir(QStringLiteral("Select descripcion from TA_CCosto where codigo = '") + Literal(codigo)
                    + QStringLiteral("'"),
                rs);
        centros.append({codigo, rs.EOF() ? QString() : rs.Fields(QStringLiteral("Descripcion")).Value().toText()});
    }
    return centros;
}

QVector<FilaCuenta> LeerFilas(Listado& l, const QString& sql)
{
    QVector<FilaCuenta> filas;
    ado::Recordset rs;
    l.Abrir(sql, rs);
    for (; !rs.EOF(); rs.MoveNext()) {
        l.Paso(rs);
        filas.append({rs.Fields(QStringLiteral("Cuenta")).Value().toText(),
                      rs.Fields(QStringLiteral("Descripcion")).Value().toText(),
                      rs.Fields(QStringLiteral("Saldo")).Value()});
    }
    return filas;
}

QString SaldoDeCelda(Listado& l, ado::Recordset& rs, const QString& sql)
{
    l.Abrir(sql, rs);
    return rs.EOF() ? QString() : TextoDinero(rs.Fields(QStringLiteral("Saldo")).Value());
}

void CabeceraDesglose(Listado& l, const QVector<CodigoColumna>& columnas, bool trConBlanco)
{
    l.Linea(QStringLiteral("<TABLE CLASS=TableDetalles WIDTH=100%>"));
    l.Linea(trConBlanco ? QStringLiteral("<TR> ") : QStringLiteral("<TR>"));
    l.Linea(QStringLiteral("<TD CLASS=TableCaption> Cuenta </TD>"));
    l.Linea(QStringLiteral("<TD CLASS=TableCaption> Descripcion </TD>"));
    for (const CodigoColumna& c : columnas)
        l.Linea(QStringLiteral("<TD CLASS=TableCaption> ") + TextoHTML(c.value_or(QString())) + QStringLiteral(" </TD>"));
    l.Linea(QStringLiteral("<TD CLASS=TableCaption></TD>"));
    l.Linea(QStringLiteral("<TD CLASS=TableCaption align=right> Saldo </TD>"));
    l.Linea(QStringLiteral("</TR>"));
}

void EscribirFilaCuenta(Listado& l, const EstiloFila& estilo, const FilaCuenta& fila, const QString& celdas)
{
    const QString clase = estilo.arbol ? QStringLiteral("TableRowAbierto") : QStringLiteral("TableRow");
    const ado::Variant saldo = fila.saldo.isNull() ? ado::Variant(ado::Currency()) : Dinero(fila.saldo);
    l.Linea(estilo.arbol ? QStringLiteral("<TR bgcolor= ") + ast::ColorNivel(l.niveles, int(fila.codigo.size()))
                               + QStringLiteral(">")
                         : QStringLiteral("<TR>"));
    l.Linea(QStringLiteral("<TD CLASS=") + clase + QStringLiteral("><A HREF=\"")
            + (estilo.arbol ? EnlaceCuentaPopup(fila.codigo) : EnlaceCuenta(fila.codigo)) + QStringLiteral("\">")
            + TextoHTML(fila.codigo) + QStringLiteral("</TD><TD CLASS=") + clase + QStringLiteral(">")
            + TextoHTML(fila.descripcion) + QStringLiteral("</TD>") + celdas + QStringLiteral("<TD CLASS=") + clase
            + QStringLiteral(" align=center>") + MarcaSaldo(saldo) + QStringLiteral("</TD><TD CLASS=") + clase
            + QStringLiteral(" align=right> ") + SaldoAbsoluto(saldo) + QStringLiteral("</TD></TR>"));
}

void EscribirSubfilaCentro(Listado& l, const Centro& centro, const QStringList& valores)
{
    l.Linea(QStringLiteral("<TR bgcolor= #f0cac1>"));
    QString linea = QStringLiteral("<TD CLASS=TableRowAbierto align=right>") + TextoHTML(centro.codigo.value_or(QString()))
                    + QStringLiteral("</TD><TD CLASS=TableRowAbierto align=left>") + TextoHTML(centro.descripcion)
                    + QStringLiteral("</TD>");
    for (const QString& valor : valores)
        linea += QStringLiteral("<TD CLASS=TableRowAbierto align=right>") + valor + QStringLiteral("</TD>");
    l.Linea(linea + QStringLiteral("<TD CLASS=TableRowAbierto></TD><TD CLASS=TableRowAbierto></TD></TR>"));
}

} // namespace report::detalle
