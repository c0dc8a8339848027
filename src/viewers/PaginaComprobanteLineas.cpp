// The items, tasks and remarks of a sales or purchase voucher.

#include "PaginaComprobante.h"

#include "data/base/SqlText.h"
#include "report/EnlaceHTML.h"

#include <QLocale>

namespace visores {

namespace {

struct Seccion {
    QString columnasVenta;
    QString columnasCompra;
    QString tablaVenta;
    QString tablaCompra;
    QString encabezado;   // the title piece and the column heads (the purchase items without DTO)
};

const QString kApertura = QStringLiteral("<TR VALIGN=TOP><TD COLSPAN=2> </TD><TD COLSPAN=60 ROWSPAN=61><br>");
const QString kTabla = QStringLiteral("<TABLE ALIGN=BLEEDLEFT WIDTH=100% CELLSPACING=0 CELLPADDING=0 BORDER=0>");
const QString kNowrap = QStringLiteral("<TD CLASS=TableROWDetalle ALIGN=RIGHT  NOWRAP>");

QString consulta(const Documento& d, const QString& columnas, const QString& tabla, const QString& condicionVenta)
{
    if (d.EsVenta)
        return QStringLiteral("SELECT ") + columnas + QStringLiteral(" from ") + tabla + QStringLiteral(" WHERE TC=")
               + TcSql(d) + QStringLiteral(" and idcomprobante=") + Sql(d.idComprobante())
               + QStringLiteral(" and idcomplemento") + condicionVenta;
    return QStringLiteral("SELECT ") + columnas + QStringLiteral(" from ") + tabla + QStringLiteral(" WHERE CUENTA = ")
           + Sql(d.iCuenta) + QStringLiteral(" AND  TC=") + TcSql(d) + QStringLiteral(" and idcomprobante=")
           + Sql(d.idComprobante());
}

QString numero(ado::Recordset& rs, const char* campo)
{
    return kNowrap + Campo(rs, QString::fromLatin1(campo)) + QStringLiteral("</TD>");
}

QString recortado(ado::Recordset& rs, const char* campo)
{
    return rs.Fields(QString::fromLatin1(campo)).Value().toText().trimmed();
}

// Minutes shown as hours with two decimals; no minutes, no text.
QString horas(const ado::Variant& minutos)
{
    if (minutos.isNull() || minutos.isEmpty())
        return QString();
    return QLocale().toString(sqltext::NumeroDeTexto(minutos.toText()) / 60.0, 'f', 2);
}

QString filaInsumo(ado::Recordset& rs, bool venta)
{
    const QString id = recortado(rs, "IdArticulo");
    const QString enlace = Ancla(report::EnlaceArticulo(id)) + QStringLiteral(" <font color=BLACK>");
    return QStringLiteral("<TR VALIGN=TOP>") + QStringLiteral("<TD CLASS=TableROWDetalle>  ") + enlace + Html(id)
           + QStringLiteral("</a> </TD>") + QStringLiteral("<TD CLASS=TableROWDetalle> ") + enlace
           + Html(recortado(rs, "Descripcion")) + QStringLiteral("</a> </TD>") + QStringLiteral("<TD CLASS=TableROWDetalle>")
           + Campo(rs, QStringLiteral("IdUnidad")) + QStringLiteral("</TD>") + numero(rs, "Cantidad")
           + numero(rs, "Importe") + (venta ? numero(rs, "ImporteDTO") : QString()) + numero(rs, "Total")
           + QStringLiteral("</TR>");
}

QString filaTarea(ado::Recordset& rs)
{
    return QStringLiteral("<TR VALIGN=TOP>") + QStringLiteral("<TD CLASS=TableROWDetalle>   ")
           + Html(recortado(rs, "IdTarea")) + QStringLiteral(" </TD>") + QStringLiteral("<TD CLASS=TableROWDetalle> ")
           + Html(recortado(rs, "Descripcion")) + QStringLiteral(" </TD>") + kNowrap
           + Html(horas(rs.Fields(QStringLiteral("Horas")).Value())) + QStringLiteral("</TD>") + numero(rs, "valorhora")
           + numero(rs, "Total") + QStringLiteral("</TR>");
}

QString filaObservacion(ado::Recordset& rs)
{
    return QStringLiteral("<TR VALIGN=TOP>") + QStringLiteral("<TD CLASS=TableROWDetalle>  ")
           + Html(recortado(rs, "tipo_obs")) + QStringLiteral(" </TD>") + QStringLiteral("<TD CLASS=TableROWDetalle>")
           + Campo(rs, QStringLiteral("Observacion")) + QStringLiteral("</TD>") + numero(rs, "Importe")
           + QStringLiteral("</TR>");
}

void escribirSeccion(EscritorDocumento& e, const QString& sql, const QString& encabezado,
                     const std::function<QString(ado::Recordset&)>& fila)
{
    ado::Recordset rs;
    bool hay = false;
    e.paso([&] { hay = e.abrir(sql, rs); });
    if (!hay)
        return;
    e.paso([&] { e.linea(kApertura + encabezado); });
    while (!e.dejada() && !rs.EOF()) {
        e.paso([&] { e.linea(fila(rs)); });
        rs.MoveNext();
    }
    e.paso([&] { e.linea(QStringLiteral("</TABLE>")); });
}

QString titulo(const char* texto)
{
    return QStringLiteral("<FONT SIZE=1 FACE=' Times New Roman '><B>") + QString::fromLatin1(texto)
           + QStringLiteral("</B>") + kTabla;
}

} // namespace

void EscribirLineasComprobante(EscritorDocumento& e, const Documento& d, ado::Recordset& cabecera)
{
    QString complemento;
    if (d.EsVenta && !e.paso([&] { complemento = CondicionComplemento(cabecera.Fields(QStringLiteral("IdComplemento")).Value()); }))
        return;
    const bool venta = d.EsVenta;
    const QString cabezaInsumos =
        titulo("INSUMOS") + QStringLiteral("<TR VALIGN=TOP BGCOLOR=aeaaea><TD CLASS=TableCABDetalle>CODIGO</TD>")
        + QStringLiteral("<TD CLASS=TableCABDetalle>DESCRIPCION</TD>") + QStringLiteral("<TD CLASS=TableCABDetalle >UNIDAD</TD>")
        + QStringLiteral("<TD CLASS=TableCABDetalle ALIGN=right >CANTIDAD</TD>")
        + QStringLiteral("<TD CLASS=TableCABDetalle ALIGN=RIGHT >IMPORTE</TD>")
        + (venta ? QStringLiteral("<TD CLASS=TableCABDetalle ALIGN=RIGHT >DTO</TD>") : QString())
        + QStringLiteral("<TD CLASS=TableCABDetalle ALIGN=RIGHT >TOTAL</TD></TR>");
    escribirSeccion(e,
                    consulta(d,
                             venta ? QStringLiteral("IDARTICULO,DESCRIPCION,IDUNIDAD,CANTIDAD,IMPORTE,TOTAL,IMPORTEDTO")
                                   : QStringLiteral("IDARTICULO,DESCRIPCION,IDUNIDAD,CANTIDAD,IMPORTE,TOTAL"),
                             venta ? QStringLiteral("V_MV_CPTEInsumos") : QStringLiteral("C_mv_CPTEInsumos"), complemento),
                    cabezaInsumos, [venta](ado::Recordset& rs) { return filaInsumo(rs, venta); });
    escribirSeccion(e,
                    consulta(d, QStringLiteral("IDTAREA,DESCRIPCION,HORAS,VALORHORA,TOTAL"),
                             venta ? QStringLiteral("V_MV_CPTETareas") : QStringLiteral("C_mv_CPTETareas"), complemento),
                    titulo("TAREAS") + QStringLiteral("<TR VALIGN=TOP BGCOLOR=aeaaea><TD CLASS=TableCABDetalle>CODIGO</TD>")
                        + QStringLiteral("<TD CLASS=TableCABDetalle>DESCRIPCION</TD>")
                        + QStringLiteral("<TD CLASS=TableCABDetalle ALIGN=RIGHT >HORAS</TD>")
                        + QStringLiteral("<TD CLASS=TableCABDetalle ALIGN=RIGHT >VALOR</TD>")
                        + QStringLiteral("<TD CLASS=TableCABDetalle ALIGN=RIGHT >TOTAL</TD></TR>"),
                    filaTarea);
    escribirSeccion(e,
                    consulta(d, QStringLiteral("TIPO_OBS,OBSERVACION,IMPORTE"),
                             venta ? QStringLiteral("V_MV_CPTE_Observ") : QStringLiteral("C_mv_CPTE_Observ"), complemento),
                    titulo("OBSERVACIONES") + QStringLiteral("<TR VALIGN=TOP BGCOLOR=aeaaea><TD CLASS=TableCABDetalle>TIPO</TD>")
                        + QStringLiteral("<TD CLASS=TableCABDetalle>OBSERVACIONES</TD>")
                        + QStringLiteral("<TD CLASS=TableCABDetalle ALIGN =RIGHT >IMPORTE</TD></TR>"),
                    filaObservacion);
}

} // namespace visores
