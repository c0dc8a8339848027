#include "TablaParte.h"

namespace visores {

QString LineaNombre(ado::Recordset& c, const Documento& d, const QString& apertura)
{
    return apertura + QStringLiteral("<TD class=TableCabeceraCaption COLSPAN=5>") + QStringLiteral("<B>Sr/s.:</B></TD>")
           + QStringLiteral("<TD COLSPAN=2> </TD><TD class=TableCabeceraValor COLSPAN=27 NOWRAP>")
           + Campo(c, QStringLiteral("Nombre")) + QStringLiteral("</TD>")
           + QStringLiteral("<TD> </TD><TD class=TableCabeceraValor COLSPAN=10 NOWRAP>") + Campo(c, QStringLiteral("Cuenta"))
           + QStringLiteral("</TD>") + QStringLiteral("<TD> </TD><TD class=TableCabeceraValor COLSPAN=14>")
           + QStringLiteral("<B>") + Html(d.iTC + QLatin1Char(' ') + d.idComprobante()) + QStringLiteral("</B></TD>");
}

QString LineaComplemento(ado::Recordset& c, const Documento& d)
{
    return QStringLiteral("<TD class=TableCabeceraValor ALIGN=CENTER COLSPAN=6 NOWRAP>")
           + (d.EsVenta ? Campo(c, QStringLiteral("IdComplemento")) : QString()) + QStringLiteral("</TD></TR>");
}

QString LineaDomicilio(ado::Recordset& c, const QString& sangria, const QString& celdaDomicilio,
                       const QString& antesDelCp)
{
    return QStringLiteral("<TR VALIGN=TOP>") + sangria + QStringLiteral("<TD class=TableCabeceraCaption COLSPAN=8>")
           + QStringLiteral("<B>Domicilio:</B></TD>") + celdaDomicilio + Campo(c, QStringLiteral("domicilio"))
           + QStringLiteral("</TD>") + QStringLiteral("</TR><TR VALIGN=TOP>") + sangria
           + QStringLiteral("<TD class=TableCabeceraCaption COLSPAN=8>") + QStringLiteral("<B>Localidad:</B></TD>")
           + QStringLiteral("<TD class=TableCabeceravalor COLSPAN=27 NOWRAP>") + Campo(c, QStringLiteral("Localidad"))
           + QStringLiteral("</TD>") + antesDelCp + QStringLiteral("<TD class=TableCabeceraCaption COLSPAN=5>")
           + QStringLiteral("<B>Cp.</B></TD>") + QStringLiteral("<TD class=TableCabeceraValor COLSPAN=4 NOWRAP>")
           + Campo(c, QStringLiteral("CODIGOPOSTAL")) + QStringLiteral("</TD>")
           + QStringLiteral("<TD COLSPAN=3> </TD><TD class=TableCabeceraCaption COLSPAN=11>")
           + QStringLiteral("<B>Fecha:</B></TD>")
           + QStringLiteral("<TD COLSPAN=3> </TD><TD class=TableCabeceraValor COLSPAN=5 NOWRAP>")
           + Campo(c, QStringLiteral("Fecha")) + QStringLiteral("</TD></TR>");
}

QString LineaObservaciones(ado::Recordset& c)
{
    return QStringLiteral("<TR VALIGN=TOP><TD class=TableCabeceraCaption COLSPAN=15>")
           + QStringLiteral("<B>Observaciones:</B></TD>") + QStringLiteral("<TD class=TableCabeceraValor COLSPAN=1><B>")
           + Campo(c, QStringLiteral("COMENTARIOS")) + QStringLiteral("</B></TD>")
           + QStringLiteral("</TR><TR VALIGN=TOP><TD class=TableCabeceraCaption COLSPAN=4>")
           + QStringLiteral("<B>Contacto:</B></TD><TD COLSPAN=3> </TD>")
           + QStringLiteral("<TD class=TableCabeceraValor COLSPAN=19>") + Campo(c, QStringLiteral("contacto"))
           + QStringLiteral("</TD>") + QStringLiteral("<TD COLSPAN=8> </TD><TD class=TableCabeceraCaption COLSPAN=4>")
           + QStringLiteral("<B>Tel:</B></TD><TD COLSPAN=3> </TD><TD class=TableCabeceraValor COLSPAN=6>")
           + Campo(c, QStringLiteral("Telefono")) + QStringLiteral("</TD><TD COLSPAN=3> </TD>");
}

} // namespace visores
