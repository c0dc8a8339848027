// The totals band of a sales or purchase voucher: the header row's stored amounts, four rows.

#include "PaginaComprobante.h"

namespace visores {

namespace {

const QString kVacia = QStringLiteral("<td class=TableCABpIE ></td>");
const QString kVaciaSinBlanco = QStringLiteral("<td class=TableCABpIE></td>");

QString descuento(ado::Recordset& c, int n, const char* porcentaje, const char* importe)
{
    return QStringLiteral("<td class=TableCABpIE >%1 (").arg(n) + Campo(c, QString::fromLatin1(porcentaje))
           + QStringLiteral(") % ") + Campo(c, QString::fromLatin1(importe)) + QStringLiteral(" $</td>");
}

QString iva(ado::Recordset& c, const char* tasa, const char* importe)
{
    return QStringLiteral("<td class=TableCABpIE ALIGN=CENTER>") + Campo(c, QString::fromLatin1(tasa))
           + QStringLiteral("% ") + Campo(c, QString::fromLatin1(importe)) + QStringLiteral("</td>");
}

} // namespace

void EscribirTotalesComprobante(EscritorDocumento& e, const Documento& d, ado::Recordset& c)
{
    e.paso([&] {
        e.linea({QStringLiteral("</table></table><br><hr HEIGHT=3 NOSHADE><table WIDTH=100% NOSHADE BORDER=0  "
                                "CELLSPACING=0 CELLPADDING=0><tr BGCOLOR=C0C0C0>"),
                 QStringLiteral("<td class=TableCABpIE > <B> SUBTOTAL:   </B></td>"),
                 QStringLiteral("<td class=TableCABpIE> <B> DESCUENTOS:   </B></td>"),
                 QStringLiteral("<td class=TableCABpIE> <B> IMPUESTOS:   </B></td>"),
                 QStringLiteral("<td class=TableCABpIE> <B> IVA:   </B></td>"),
                 QStringLiteral("<td class=TableCABpIE> <B> IVA RECARGO:   </B></td>"),
                 QStringLiteral("<td class=TableCABpIE ALIGN=right> <B> TOTAL $:   </B></td>"), QStringLiteral("</tr><TR>"),
                 QStringLiteral("<td class=TableCABpIE ALIGN=CENTER >"), Campo(c, QStringLiteral("Importe_S_IVA")),
                 QStringLiteral("</td>"), descuento(c, 1, "PORCDESCUENTO1", "ImpDescuento1"),
                 QStringLiteral("<td class=TableCABpIE ALIGN=CENTER >"), Campo(c, QStringLiteral("ImporteImpuestosInternos")),
                 QStringLiteral("</td>"), iva(c, "alicIVA", "ImporteIVA"),
                 QStringLiteral("<td class=TableCABpIE ALIGN=CENTER>("), Campo(c, QStringLiteral("ALICIVAREC")),
                 QStringLiteral(") % "), Campo(c, QStringLiteral("ImporteIVAREC")), QStringLiteral(" $</td>"),
                 QStringLiteral("<td class=TableCABpIE ALIGN=right><B>"), Campo(c, QStringLiteral("Importe")),
                 QStringLiteral("</B></td>"), QStringLiteral("</tr><TR>"), kVacia,
                 descuento(c, 2, "PORCDESCUENTO2", "IMPDESCUENTO2"), kVacia, iva(c, "alicIVA2", "ImporteIva2"),
                 kVaciaSinBlanco, kVaciaSinBlanco, QStringLiteral("</tr><TR>")});
    });
    // A purchase has no third and fourth rate: its IVA cells stay empty.
    const QString ivaVacio = QStringLiteral("<td class=TableCABpIE ALIGN=CENTER></td>");
    e.paso([&] {
        e.linea({kVacia, descuento(c, 3, "PORCDESCUENTO3", "IMPDESCUENTO3"), kVacia,
                 d.EsVenta ? iva(c, "alicIVA3", "ImpIva3") : ivaVacio, kVaciaSinBlanco, kVaciaSinBlanco,
                 QStringLiteral("</tr><TR>")});
    });
    e.paso([&] {
        e.linea({kVacia, descuento(c, 4, "PORCDESCUENTO4", "impdescuento4"), kVacia,
                 d.EsVenta ? iva(c, "alicIVA4", "ImpIva4") : ivaVacio, kVaciaSinBlanco, kVaciaSinBlanco,
                 QStringLiteral("</tr>"), QStringLiteral("</table> <hr HEIGHT=3 NOSHADE>")});
    });
}

} // namespace visores
