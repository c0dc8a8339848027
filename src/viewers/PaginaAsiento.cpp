#include "PaginaAsiento.h"

#include "platform/suite/Utilidades.h"
#include "report/EnlaceHTML.h"

using suite::Utilidades;

namespace visores {

namespace {

QString ultimos(const QString& relleno, const QString& valor, int n)
{
    return (relleno + valor).right(n);
}

// The voucher's key with every part at its width.
QString claveAncha(const Documento& d)
{
    return QStringLiteral("TC=") + TcSql(d) + QStringLiteral(" and SUCURSAL=") + SucursalSql(d)
           + QStringLiteral(" and NUMERO=") + NumeroSql(d) + QStringLiteral(" and LETRA=") + LetraSql(d);
}

void escribirEncabezado(EscritorDocumento& e, const Documento& d, ado::Recordset& cab)
{
    e.paso([&] {
        const QString origenTc = Utilidades::TextoCampo(cab.Fields(QStringLiteral("Tc_Origen")).Value());
        const QString origen = Utilidades::TextoCampo(cab.Fields(QStringLiteral("Cpte_Origen")).Value());
        const QString cuentaOrigen = Utilidades::TextoCampo(cab.Fields(QStringLiteral("CabCuenta")).Value());
        const QString enlace = report::EnlaceComprobante(origenTc, origen.mid(0, 4), origen.mid(4, 8),
                                                         origen.mid(12, 1), &cuentaOrigen);
        e.linea({QStringLiteral("<TABLE><TR VALIGN=TOP><TD class=TableCabeceraCaption >"),
                 QStringLiteral("<B>Asiento N°:</B></TD>"), QStringLiteral("<TD class=TableCabeceraValor>"),
                 Html(ultimos(QStringLiteral("00"), cab.Fields(QStringLiteral("Mes_Operativo")).Value().toText(), 2)),
                 QStringLiteral("-"),
                 Html(ultimos(QStringLiteral("00000000"), cab.Fields(QStringLiteral("numero asiento")).Value().toText(), 8)),
                 QStringLiteral("</TD></tr><tr>"), QStringLiteral("<TD class=TableCabeceracaption><B>Fecha:</B></TD>"),
                 QStringLiteral("<TD class=TableCabeceraValor>"), QStringLiteral("&nbsp;"),
                 Campo(cab, QStringLiteral("Fecha")), QStringLiteral("</TD></tr><tr>"),
                 QStringLiteral("<TD class=TableCabeceraCaption ><B> Comprobante: </TD><TD class=TableCabeceraValor>"),
                 QStringLiteral("&nbsp;"), Html(d.iTC + QLatin1Char(' ') + d.iSucursal + d.iNumero + d.iLetra),
                 QStringLiteral("</TD></tr><tr>"),
                 QStringLiteral("<TD class=TableCabeceraCaption ><B> Concepto: </TD><TD class=TableCabeceraValor>"),
                 QStringLiteral("&nbsp;"), Campo(cab, QStringLiteral("Detalle")), QStringLiteral("</TD></tr>"),
                 QStringLiteral("<TD class=TableCabeceraCaption ><B> Cpte Origen: </TD><TD class=TableCabeceraValor>"),
                 Ancla(enlace), QStringLiteral("&nbsp;"), Html(origenTc + QLatin1Char(' ') + origen),
                 QStringLiteral("</TD></tr>")});
        e.linea(QStringLiteral("</TABLE>"));
    });
}

// The entry number of the account's first line of the voucher; "" when none is on the account.
QString numeroDeLaCuenta(EscritorDocumento& e, const Documento& d, ado::Recordset& rs)
{
    QString numero;
    e.paso([&] {
        if (e.abrir(QStringLiteral("SELECT * FROM MV_ASIENTOS Where ") + claveAncha(d) + QStringLiteral(" and CUENTA=")
                        + Sql(d.iCuenta) + QStringLiteral(" ORDER BY SECUENCIA"),
                    rs))
            numero = QString::number(rs.Fields(QStringLiteral("numero asiento")).Value().toLong());
    });
    return numero;
}

void escribirLineas(EscritorDocumento& e, const Documento& d, const QString& numeroAsiento, ado::Recordset& rs)
{
    QString sql = QStringLiteral("SELECT CUENTA, MA_CUENTAS.DESCRIPCION,NROCOMPROBANTEBANCARIO,V_TA_BANCOS.IDBANCO, "
                                 "V_TA_BANCOS.DESCRIPCION AS DESCRIPCIONBANCO,VENCIMIENTO,[DEBE-HABER],IMPORTE  from "
                                 "MV_ASIENTOS left join MA_CUENTAS on MA_CUENTAS.Codigo = MV_ASIENTOS.Cuenta left join "
                                 "V_TA_BANCOS on V_TA_BANCOS.IdBanco = MV_ASIENTOS.IdBanco Where ")
                  + claveAncha(d);
    if (!numeroAsiento.isEmpty())
        sql += QStringLiteral(" and [NUMERO ASIENTO]=") + numeroAsiento;
    sql += QStringLiteral(" ORDER BY SECUENCIA");

    bool hay = false;
    ado::Variant debe;   // nothing before the first line
    double haber = 0;
    e.paso([&] { hay = e.abrir(sql, rs); });
    if (hay) {
        debe = ado::Currency();
        e.paso([&] {
            e.linea({QStringLiteral("<TR VALIGN=TOP><TD COLSPAN=2> </TD><TD COLSPAN=60 ROWSPAN=61><br>"),
                     QStringLiteral("<FONT SIZE=1 FACE=' Times New Roman '><B>ASIENTOS </B>"),
                     QStringLiteral("<TABLE ALIGN=BLEEDLEFT WIDTH=100% CELLSPACING=0 CELLPADDING=0 BORDER=0>"),
                     QStringLiteral("<TR VALIGN=TOP BGCOLOR=aeaaea>"), QStringLiteral("<TD CLASS=TableCABDetalle>CUENTA</TD>"),
                     QStringLiteral("<TD CLASS=TableCABDetalle>DESCRIPCION</TD>"),
                     QStringLiteral("<TD CLASS=TableCABDetalle>CHEQUE</TD>"),
                     QStringLiteral("<TD CLASS=TableCABDetalle >VENCIMIENTO</TD>"),
                     QStringLiteral("<TD CLASS=TableCABDetalle ALIGN =RIGHT >DEBE</TD>"),
                     QStringLiteral("<TD CLASS=TableCABDetalle ALIGN =RIGHT >HABER</TD>"), QStringLiteral("</TR>")});
        });
        while (!e.dejada() && !rs.EOF()) {
            e.paso([&] {
                const QString marca = rs.Fields(QStringLiteral("DEBE-HABER")).Value().toText();
                const bool esDebe = marca.compare(QLatin1String("D"), Qt::CaseInsensitive) == 0;
                const bool esHaber = marca.compare(QLatin1String("H"), Qt::CaseInsensitive) == 0;
                const ado::Variant importe = rs.Fields(QStringLiteral("Importe")).Value();
                e.linea({QStringLiteral("<TR VALIGN=TOP>"), QStringLiteral("<TD CLASS=TableRowdETALLE>"),
                         Campo(rs, QStringLiteral("Cuenta")), QStringLiteral("</TD>"),
                         QStringLiteral("<TD CLASS=TableRowdETALLE>"), Campo(rs, QStringLiteral("Descripcion")),
                         QStringLiteral("</TD>"), QStringLiteral("<TD CLASS=TableRowdETALLE>"),
                         Campo(rs, QStringLiteral("NroComprobanteBancario")), Campo(rs, QStringLiteral("DescripcionBanco")),
                         QStringLiteral("</TD>"), QStringLiteral("<TD CLASS=TableRowdETALLE>"),
                         Campo(rs, QStringLiteral("Vencimiento")), QStringLiteral("</TD>"),
                         QStringLiteral("<TD CLASS=TableRowdETALLE ALIGN=RIGHT>"), esDebe ? Html(importe) : QString(),
                         QStringLiteral("</TD>"), QStringLiteral("<TD CLASS=TableROWDetalle ALIGN=RIGHT  >"),
                         esHaber ? Html(importe) : QString(), QStringLiteral("</TD>"), QStringLiteral("</TR>")});
                if (importe.isNull())
                    return;
                if (esDebe)
                    debe = debe.toCurrency() + importe.toCurrency();
                else
                    haber += importe.toDouble();
            });
            rs.MoveNext();
        }
        e.paso([&] { e.linea(QStringLiteral("</TABLE>")); });
    }
    e.paso([&] {
        e.linea({QStringLiteral("</table></table><br><hr HEIGHT=3 NOSHADE><table width=100% NOSHADE BORDER=0  "
                                "CELLSPACING=0 CELLPADDING=0><tr BGCOLOR=FFFFFF>"),
                 QStringLiteral("<td class=TableCABpIE ><B> Suma de Debitos y Creditos: ")
                     + QStringLiteral("&nbsp;").repeated(72) + QStringLiteral(" </B></td>"),
                 QStringLiteral("<td></td> <td></td> <td></td> <td></td> <td class=TableCABpIE align=right>"),
                 Html(debe), QStringLiteral("</td>"), QStringLiteral("<td class=TableCABpIE align=right>"),
                 Html(ado::Variant(haber)), QStringLiteral("</td></TR></TABLE> <hr HEIGHT=3 NOSHADE>")});
    });
}

} // namespace

ResultadoPagina GenerarPaginaAsiento(const QString& ruta, const Documento& d, ui::ErrorHandler manejador)
{
    EscritorDocumento e(ruta, std::move(manejador));
    EscribirCabecera(e, QStringLiteral("BSC01CBTEctable"));
    EscribirBandaEmpresa(e);
    EscribirTitulo(e, d, false);

    ado::Recordset cab;
    bool hay = false;
    e.paso([&] {
        hay = e.abrir(QStringLiteral("SELECT fecha,detalle,[NUMERO ASIENTO], mes_operativo, unegocio, "
                                     "V_TA_UnidadNegocio.descripcion as unegociodescripcion,tc_origen,cpte_origen,"
                                     "cabcuenta from mv_asientos left outer join V_TA_UnidadNegocio on "
                                     "mv_asientos.unegocio= V_TA_UnidadNegocio.codigo WHERE  TC=")
                          + TcSql(d) + QStringLiteral(" and sucursal=") + Sql(d.iSucursal) + QStringLiteral(" and numero=")
                          + Sql(d.iNumero) + QStringLiteral(" and letra=") + Sql(d.iLetra)
                          + QStringLiteral(" order by Secuencia "),
                      cab);
    });
    if (hay) {
        escribirEncabezado(e, d, cab);
        ado::Recordset lineas;
        const QString numeroAsiento = d.iCuenta.trimmed().isEmpty() ? QString() : numeroDeLaCuenta(e, d, lineas);
        escribirLineas(e, d, numeroAsiento, lineas);
        EscribirLibroIvaYCentros(e, d, numeroAsiento);
        EscribirHistorial(e, QStringLiteral("SELECT TIPO_ACCION, FECHAHORA, USUARIO, PC,SYSTEMUSER from "
                                            "V_MV_CPTEACCIONES WHERE TC=")
                                 + TcSql(d) + QStringLiteral(" and IDCOMPROBANTE=") + Sql(d.idComprobante()));
        EscribirBandaUnidad(e, cab);
    }
    e.paso([&] { e.linea(QStringLiteral("</body></html>")); });
    return e.terminar();
}

} // namespace visores
