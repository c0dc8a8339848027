#include "MarcoDocumento.h"

#include "core/Configuration.h"
#include "platform/suite/Utilidades.h"
#include "report/ClassHTML.h"

using suite::Utilidades;

namespace visores {

QString TcSql(const Documento& d)
{
    return Sql(Utilidades::FormatoAncho(d.iTC, 4));
}

QString SucursalSql(const Documento& d)
{
    return Sql(Utilidades::FormatoAncho(d.iSucursal, 4));
}

QString NumeroSql(const Documento& d)
{
    return Sql(Utilidades::FormatoAncho(d.iNumero, 8));
}

QString LetraSql(const Documento& d)
{
    return Sql(Utilidades::FormatoAncho(d.iLetra, 4));
}

QString CondicionComplemento(const ado::Variant& complemento)
{
    if (complemento.isNull() || complemento.isEmpty())
        return QStringLiteral(" IS NULL");
    if (complemento.isNumeric())
        return QLatin1Char('=') + QString::number(complemento.toLong());
    return QLatin1Char('=') + Sql(complemento.toText());
}

void EscribirCabecera(EscritorDocumento& e, const QString& titulo)
{
    e.paso([&] { e.linea(report::ClassHTML().getCabeceraHTML(titulo, false)); });
}

void EscribirBandaEmpresa(EscritorDocumento& e)
{
    e.paso([&] {
        e.linea({QStringLiteral("<TABLE ALIGN=BLEEDLEFT WIDTH=100% CELLSPACING=0 CELLPADDING=0 BORDER=0>"),
                 QStringLiteral("<TR VALIGN=TOP>"),
                 QStringLiteral("<TD COLSPAN=40 ROWSPAN=2 NOWRAP><FONT SIZE=4 COLOR=0000FF FACE=' Times New Roman '>"
                                "<B><I>"),
                 Html(ModGlobal::Cfg(QStringLiteral("NOMBRE"))), QStringLiteral("</I></B></FONT></TD> "),
                 QStringLiteral("<TD COLSPAN=15> </TD>"),
                 QStringLiteral("<TD COLSPAN=10><FONT SIZE=1 FACE=' Times New Roman'><I>Fecha</I></FONT></TD>"),
                 QStringLiteral("<TD> </TD> "), QStringLiteral("<TD COLSPAN=7 NOWRAP><FONT SIZE=2 FACE=' Times New Roman'><I>"),
                 report::ClassHTML::FechaPagina().toString(QStringLiteral("dd/MM/yyyy")),
                 QStringLiteral("</I></FONT></TD> "), QStringLiteral("</TR> "), QStringLiteral("<TR VALIGN=TOP> "),
                 QStringLiteral("</TR> </TABLE>")});
    });
}

void EscribirTitulo(EscritorDocumento& e, const Documento& d, bool siempreAbierto)
{
    ado::Recordset rs;
    bool hay = false;
    e.paso([&] {
        hay = e.abrir(QStringLiteral("SELECT DESCRIPCION FROM TA_COMPROBANTES WHERE CODIGO=") + Sql(d.iTC), rs);
    });
    e.paso([&] {
        const QString nombre = hay ? Campo(rs, QStringLiteral("DESCRIPCION")) + QStringLiteral(" - ")
                                         + Html(d.iSucursal + d.iNumero) + QLatin1Char(' ') + Html(d.iLetra)
                                   : Html(d.iTC) + QLatin1Char(' ') + Html(d.iSucursal + d.iNumero) + QLatin1Char(' ')
                                         + Html(d.iLetra);
        const QString final =
            hay || siempreAbierto
                ? QStringLiteral("<TD><FONT SIZE=1>&nbsp;</FONT></TD></TR><TR VALIGN=TOP><TD COLSPAN=77><FONT SIZE=1>"
                                 "&nbsp;</FONT></TD></TR><TR VALIGN=TOP><TD COLSPAN=77><FONT SIZE=1>&nbsp;</FONT></TD>"
                                 "</TR>")
                : QStringLiteral("</TR></TABLE>");
        e.linea({QStringLiteral("<TABLE ALIGN=BLEEDLEFT WIDTH=100% CELLSPACING=0 CELLPADDING=0 BORDER=0>"),
                 QStringLiteral("<TR VALIGN=TOP><TD COLSPAN=77><FONT SIZE=1>&nbsp;</FONT></TD></TR>"),
                 QStringLiteral("<TR VALIGN=TOP><TD ALIGN=CENTER COLSPAN=76 ROWSPAN=2><FONT SIZE=4 FACE=' Times New "
                                "Roman '><B><I><U>"),
                 nombre, QStringLiteral("</U></I></B></FONT></TD>"),
                 QStringLiteral("</TR><TR VALIGN=TOP></TR><TR VALIGN=TOP BGCOLOR=E8E8E8>"),
                 QStringLiteral("<TD ALIGN=CENTER COLSPAN=76><FONT SIZE=2 FACE=' Garamond '>(Detallado)</FONT></TD>"),
                 final});
    });
}

namespace {

QString palabraDeAccion(const ado::Variant& tipo)
{
    const QString t = tipo.toText();
    if (t.compare(QLatin1String("A"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("ALTA");
    if (t.compare(QLatin1String("B"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("BAJA");
    if (t.compare(QLatin1String("M"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("MODIFICACION");
    return Html(t);
}

QString celdaHistorial(const QString& valor)
{
    return QStringLiteral("<TD CLASS=TableRowDetalle>") + valor + QStringLiteral("</TD>");
}

} // namespace

void EscribirHistorial(EscritorDocumento& e, const QString& sql)
{
    ado::Recordset rs;
    bool hay = false;
    e.paso([&] { hay = e.abrir(sql, rs); });
    if (!hay)
        return;
    e.paso([&] {
        e.linea({QStringLiteral("<TR VALIGN=TOP><TD COLSPAN=2> </TD><TD COLSPAN=60 ROWSPAN=61></TABLE><br>"
                                "<FONT SIZE=1 FACE=' Times New Roman '>"),
                 QStringLiteral("<B>HISTORIAL DE ACCIONES</B><TABLE ALIGN=BLEEDLEFT WIDTH=100% CELLSPACING=0 "
                                "CELLPADDING=0 BORDER=0>"),
                 QStringLiteral("<TR VALIGN=TOP BGCOLOR=E0EFE0>"), QStringLiteral("<TD CLASS=TableCABDetalle>TIPO ACCION</TD>"),
                 QStringLiteral("<TD CLASS=TableCABDetalle>COMENTARIO</TD>"),
                 QStringLiteral("<TD CLASS=TableCABDetalle>FECHA HORA</TD>"),
                 QStringLiteral("<TD CLASS=TableCABDetalle>USUARIO</TD>"),
                 QStringLiteral("<TD CLASS=TableCABDetalle>PC</TD></TR>")});
    });
    while (!e.dejada() && !rs.EOF()) {
        e.paso([&] {
            e.linea({QStringLiteral("<TR VALIGN=TOP>"),
                     celdaHistorial(palabraDeAccion(rs.Fields(QStringLiteral("TIPO_ACCION")).Value())),
                     celdaHistorial(Campo(rs, QStringLiteral("SYSTEMUSER"))),
                     celdaHistorial(Campo(rs, QStringLiteral("FECHAHORA"))),
                     celdaHistorial(Campo(rs, QStringLiteral("USUARIO"))),
                     celdaHistorial(Campo(rs, QStringLiteral("PC"))), QStringLiteral("</TR>")});
        });
        rs.MoveNext();
    }
    e.paso([&] { e.linea(QStringLiteral("</TABLE>")); });
}

void EscribirBandaUnidad(EscritorDocumento& e, ado::Recordset& cabecera)
{
    e.paso([&] {
        e.linea({QStringLiteral("<br> <HR NOSHADE> <font size=2 FACE=' Tahoma ' color=ff000e><b>  Unidad de negocio:  "),
                 Campo(cabecera, QStringLiteral("UNegocio")), QStringLiteral(" - "),
                 Campo(cabecera, QStringLiteral("unegociodescripcion")), QStringLiteral("</b></font>")});
    });
}

ResultadoPagina EscribirPaginaConCabecera(EscritorDocumento& e, const Documento& d, const PaginaConCabecera& p)
{
    EscribirCabecera(e, p.titulo);
    EscribirBandaEmpresa(e);
    EscribirTitulo(e, d, p.tituloSiempreAbierto);
    ado::Recordset cab;
    bool leida = false;
    bool hay = false;
    e.paso([&] {
        hay = e.abrir(p.consultaCabecera, cab);
        leida = true;
    });
    if (hay) {
        p.cuerpo(e, cab);
        EscribirBandaUnidad(e, cab);
    } else if (leida) {
        // Read, and not there: said on the page, never an empty frame.
        e.paso([&] {
            e.linea(QStringLiteral("<P><B>El comprobante ") + Html(d.iTC.trimmed() + QLatin1Char(' ') + d.idComprobante())
                    + QStringLiteral(" no existe.</B></P>"));
        });
    }
    e.paso([&] {
        e.linea(p.cierre);
        e.linea(QStringLiteral("<br> <HR NOSHADE> ") + Ancla(p.enlaceAsiento) + QStringLiteral(" [VER ASIENTO] <HR NOSHADE>"));
    });
    e.paso([&] { e.linea(QStringLiteral("</body></html>")); });
    return e.terminar();
}

} // namespace visores
