// The end of a receipt or payment page: the vouchers it settles, the total in words, the concept, the
// discounts and withholdings, and the history.

#include "PaginaRecibo.h"

#include "platform/suite/Utilidades.h"
#include "report/EnlaceHTML.h"

using suite::Utilidades;

namespace visores {

namespace {

// A payment settles purchase vouchers; a receipt of the sales side settles sales vouchers.
bool liquidaCompras(const Documento& d)
{
    if (!d.EsVenta)
        return true;
    for (const char* tc : {"PG", "OPG", "PGFP"})
        if (d.iTC.compare(QLatin1String(tc), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

void escribirAfectados(EscritorDocumento& e, const Documento& d)
{
    const QString t = liquidaCompras(d) ? QStringLiteral("C_MV_CPTE") : QStringLiteral("V_MV_CPTE");
    const QString sql =
        QStringLiteral("SELECT %1.FECHA,%1.IMPORTE,%1.CUENTA, MV_APLICACION.TCO_ORIGEN,MV_APLICACION.SUCURSAL_ORIGEN,"
                       "MV_APLICACION.NUMERO_ORIGEN,MV_APLICACION.LETRA_ORIGEN,MV_APLICACION.IDCOMPROBANTE_ORIGEN, "
                       "MV_APLICACION.IMPORTE AS APLICADO from MV_APLICACION, %1 WHERE MV_APLICACION.TCO_ORIGEN=%1.TC AND "
                       "MV_APLICACION.IDCOMPROBANTE_ORIGEN=%1.IDCOMPROBANTE AND MV_APLICACION.TC=")
            .arg(t)
        + TcSql(d) + QStringLiteral(" and MV_APLICACION.SUCURSAL=") + SucursalSql(d)
        + QStringLiteral(" and MV_APLICACION.NUMERO=") + NumeroSql(d) + QStringLiteral(" and MV_APLICACION.LETRA=")
        + LetraSql(d);
    ado::Recordset rs;
    bool hay = false;
    e.paso([&] { hay = e.abrir(sql, rs); });
    if (!hay)
        return;
    e.paso([&] {
        e.linea({QStringLiteral("<TR VALIGN=TOP><TD COLSPAN=2> </TD><TD COLSPAN=60 ROWSPAN=61><br>"),
                 QStringLiteral("<FONT SIZE=1 FACE=' Times New Roman '><B>COMPROBANTES AFECTADOS</B>"),
                 QStringLiteral("<TABLE ALIGN=BLEEDLEFT WIDTH=100% CELLSPACING=0 CELLPADDING=0 BORDER=0>"),
                 QStringLiteral("<TR VALIGN=TOP BGCOLOR=aeaaea><TD CLASS=TableCABDetalle>FECHA</TD>"),
                 QStringLiteral("<TD CLASS=TableCABDetalle>COMPROBANTE</TD>"),
                 QStringLiteral("<TD CLASS=TableCABDetalle ALIGN =RIGHT>IMPORTE ORIGINAL</TD>"),
                 QStringLiteral("<TD CLASS=TableCABDetalle ALIGN =RIGHT >APLICADO</TD></TR>")});
    });
    while (!e.dejada() && !rs.EOF()) {
        e.paso([&] {
            const auto v = [&](const char* c) { return rs.Fields(QString::fromLatin1(c)).Value().toText(); };
            // The settled voucher's party account goes with the link: a purchase is found by it.
            const QString cuenta = v("CUENTA");
            e.linea({QStringLiteral("<TR VALIGN=TOP>"), QStringLiteral("<TD CLASS=TableRowdETALLE>"),
                     Campo(rs, QStringLiteral("Fecha")), QStringLiteral("</TD>"),
                     QStringLiteral("<TD CLASS=TableRowdETALLE>"),
                     Ancla(report::EnlaceComprobante(v("Tco_Origen"), v("Sucursal_Origen"), v("numero_Origen"),
                                                     v("Letra_Origen"), &cuenta)), Html(v("Tco_Origen") + QLatin1Char(' ') + v("IDCOMPROBANTE_ORIGEN")),
                     QStringLiteral("</TD>"), QStringLiteral("<TD CLASS=TableROWDetalle ALIGN=RIGHT  NOWRAP>"),
                     Campo(rs, QStringLiteral("Importe")), QStringLiteral("</TD>"),
                     QStringLiteral("<TD CLASS=TableROWDetalle ALIGN=RIGHT  NOWRAP>"), Campo(rs, QStringLiteral("APLICADO")),
                     QStringLiteral("</TD>"), QStringLiteral("</TR>")});
        });
        rs.MoveNext();
    }
    e.paso([&] { e.linea(QStringLiteral("</TABLE>")); });
}

void escribirTotales(EscritorDocumento& e, ado::Recordset& c)
{
    e.paso([&] {
        const ado::Variant importe = c.Fields(QStringLiteral("Importe")).Value();
        e.linea({QStringLiteral("</table></table><br><hr HEIGHT=3 NOSHADE><table  NOSHADE BORDER=0  CELLSPACING=0 "
                                "CELLPADDING=0><tr BGCOLOR=FFFFFF>"),
                 QStringLiteral("<td class=TableCABpIE ><B> TOTAL:   </B></td>"), QStringLiteral("<td class=TableCABpIE>"),
                 QStringLiteral("&nbsp;&nbsp;"), Html(Utilidades::ImporteATexto(Utilidades::TextoCampo(importe))),
                 QStringLiteral(" ("), Html(importe), QStringLiteral(")"), QStringLiteral("</td> </TR></TABLE>")});
    });
    e.paso([&] {
        e.linea({QStringLiteral("<table NOSHADE BORDER=0  CELLSPACING=0 CELLPADDING=0><tr BGCOLOR=FFFFFF>"),
                 QStringLiteral("<td class=TableCABpIE ><B> EN CONCEPTO DE:   </B></td>"),
                 QStringLiteral("<td class=TableCABpIE>"), QStringLiteral("&nbsp;&nbsp;"),
                 Campo(c, QStringLiteral("COMENTARIOS")), QStringLiteral("</td> </TR></TABLE>")});
    });
    e.paso([&] {
        const QString valor = QStringLiteral("<td class=TableCABpIE>&nbsp");
        e.linea({QStringLiteral("<BR><table  NOSHADE BORDER=1 CELLSPACING=0 CELLPADDING=0><tr BGCOLOR=FFFFFF>"),
                 QStringLiteral("<td class=TableCABpIE > <B> DESCUENTOS OTORGADOS &nbsp;</B></td>"), valor,
                 Campo(c, QStringLiteral("DESCUENTOS")), QStringLiteral("</td></TR><TR>"),
                 QStringLiteral("<td class=TableCABpIE> <B> RETENCION GANACIAS   </B></td>"), valor,
                 Campo(c, QStringLiteral("RETGAN_Importe")), QStringLiteral("</td></TR><TR>"),
                 QStringLiteral("<td class=TableCABpIE> <B> RETENCION I. BRUTOS  </B></td>"), valor,
                 Campo(c, QStringLiteral("RETIBR_Importe")), QStringLiteral("</td></TR><TR>"),
                 QStringLiteral("<td class=TableCABpIE> <B> RETENCION IVA   </B></td>"), valor,
                 Campo(c, QStringLiteral("RETIVA_Importe")), QStringLiteral("</td></TR>"),
                 QStringLiteral("</table> <hr HEIGHT=3 NOSHADE>")});
    });
}

} // namespace

void EscribirCierreRecibo(EscritorDocumento& e, const Documento& d, ado::Recordset& c)
{
    escribirAfectados(e, d);
    escribirTotales(e, c);
    QString historial = QStringLiteral("SELECT TIPO_ACCION, FECHAHORA, USUARIO, PC,SYSTEMUSER from V_MV_CPTEACCIONES "
                                       "WHERE TC=")
                        + TcSql(d) + QStringLiteral(" and IDCOMPROBANTE=") + Sql(d.idComprobante());
    if (d.EsVenta && !e.paso([&] {
            historial += QStringLiteral(" AND IDCOMPLEMENTO")
                         + CondicionComplemento(c.Fields(QStringLiteral("IdComplemento")).Value());
        }))
        return;
    EscribirHistorial(e, historial);
}

} // namespace visores
