#include "PaginaComprobante.h"

#include "TablaParte.h"
#include "report/EnlaceHTML.h"

namespace visores {

namespace {

QString consultaCabecera(const Documento& d)
{
    if (d.EsVenta)
        return QStringLiteral(
                   "SELECT NOMBRE, v_mv_cpte.DOMICILIO, v_mv_cpte.LOCALIDAD,CUENTA,IDCOMPLEMENTO, CODIGOPOSTAL, FECHA, "
                   "v_mv_cpte.comentarios, v_mv_cpte.TELEFONO, MATRICULA,MODELO,SERIE, FECHAESTINICIO,FECHAESTFIN, "
                   "ma_cuentasadic.contacto, unegocio, V_TA_UnidadNegocio.descripcion as unegociodescripcion, importe, "
                   "V_MV_Cpte.importe_s_iva, V_MV_Cpte.porcdescuento1, V_MV_Cpte.impdescuento1 , "
                   "V_MV_Cpte.porcdescuento2, V_MV_Cpte.impdescuento2 , V_MV_Cpte.porcdescuento3, "
                   "V_MV_Cpte.impdescuento3, V_MV_Cpte.porcdescuento4, V_MV_Cpte.impdescuento4, "
                   "V_MV_Cpte.ImporteImpuestosInternos,     V_MV_Cpte.AlicIva,V_MV_Cpte.AlicIva2,V_MV_Cpte.AlicIva3,"
                   "V_MV_Cpte.AlicIva4, V_MV_Cpte.ImporteIva,v_mv_cpte.AlicIvaRec, V_MV_Cpte.ImporteIvaRec,"
                   "V_MV_Cpte.ImporteIva2,V_MV_Cpte.ImpIVA3,V_MV_Cpte.ImpIVA4 FROM V_MV_Cpte LEFT OUTER JOIN "
                   "MA_CUENTASADIC ON V_MV_Cpte.CUENTA = MA_CUENTASADIC.CODIGO LEFT OUTER JOIN V_TA_UnidadNegocio ON "
                   "V_MV_Cpte.UNEGOCIO = V_TA_UnidadNegocio.Codigo WHERE TC=")
               + TcSql(d) + QStringLiteral(" and idcomprobante=") + Sql(d.idComprobante());
    return QStringLiteral(
               "SELECT NOMBRE, c_mv_cpte.DOMICILIO, c_mv_cpte.LOCALIDAD,CUENTA, CODIGOPOSTAL, FECHA, "
               "c_mv_cpte.comentarios, c_mv_cpte.TELEFONO,  ma_cuentasadic.contacto, unegocio, "
               "V_TA_UnidadNegocio.descripcion as unegociodescripcion, importe, c_mv_Cpte.importe_s_iva, "
               "c_mv_Cpte.porcdescuento1, c_mv_Cpte.impdescuento1 , c_mv_Cpte.porcdescuento2, c_mv_Cpte.impdescuento2 , "
               "c_mv_Cpte.porcdescuento3, c_mv_Cpte.impdescuento3, c_mv_Cpte.porcdescuento4, c_mv_Cpte.impdescuento4, "
               "c_mv_Cpte.ImporteImpuestosInternos, C_MV_Cpte.AlicIva,C_MV_Cpte.AlicIva2,   c_mv_Cpte.ImporteIva,"
               "c_mv_cpte.AlicIvaRec, c_mv_Cpte.ImporteIvaRec,c_mv_Cpte.ImporteIva2 FROM C_MV_Cpte LEFT OUTER JOIN "
               "MA_CUENTASADIC ON C_MV_Cpte.CUENTA = MA_CUENTASADIC.CODIGO LEFT OUTER JOIN V_TA_UnidadNegocio ON "
               "C_MV_Cpte.UNEGOCIO = V_TA_UnidadNegocio.Codigo WHERE  CUENTA = ")
           + Sql(d.iCuenta) + QStringLiteral(" AND TC=") + TcSql(d) + QStringLiteral(" and idcomprobante=")
           + Sql(d.idComprobante());
}

// A purchase is kept under its supplier's account, but its links come from every listing that shows one of its
// journal lines, an expense account's among them. The link's account is the supplier's when a purchase of that
// supplier has this type and number; otherwise the supplier is the one whose entry for this voucher has a line on
// the link's account (or, without an account, the one supplier of such a voucher). Failing that the account
// stays as given, and the page says that the voucher does not exist.
QString cuentaProveedor(EscritorDocumento& e, const Documento& d)
{
    const QString cabecera = QStringLiteral("SELECT c.CUENTA FROM C_MV_Cpte c WHERE c.TC=") + TcSql(d)
                             + QStringLiteral(" and c.idcomprobante=") + Sql(d.idComprobante());
    ado::Recordset rs;
    if (d.iCuenta.trimmed().isEmpty()) {
        if (e.abrir(cabecera, rs) && rs.RecordCount() == 1)
            return rs.Fields(QStringLiteral("CUENTA")).Value().toText();
        return d.iCuenta;
    }
    if (e.abrir(cabecera + QStringLiteral(" AND c.CUENTA = ") + Sql(d.iCuenta), rs))
        return d.iCuenta;
    const QString porAsiento =
        cabecera
        + QStringLiteral(" AND EXISTS (SELECT 1 FROM MV_ASIENTOS p, MV_ASIENTOS o WHERE p.CUENTA = c.CUENTA AND "
                         "p.TC = c.TC AND p.SUCURSAL = ")
        + SucursalSql(d) + QStringLiteral(" AND p.NUMERO = ") + NumeroSql(d) + QStringLiteral(" AND p.LETRA = ")
        + LetraSql(d)
        + QStringLiteral(" AND o.PERIODO = p.PERIODO AND o.MES_OPERATIVO = p.MES_OPERATIVO AND "
                         "o.[NUMERO ASIENTO] = p.[NUMERO ASIENTO] AND o.TIPO_REG = p.TIPO_REG AND o.CUENTA = ")
        + Sql(d.iCuenta) + QStringLiteral(")");
    if (e.abrir(porAsiento, rs) && rs.RecordCount() == 1)
        return rs.Fields(QStringLiteral("CUENTA")).Value().toText();
    return d.iCuenta;
}

void escribirParte(EscritorDocumento& e, const Documento& d, ado::Recordset& c)
{
    e.paso([&] {
        const auto f = [&](const char* nombre) { return Campo(c, QString::fromLatin1(nombre)); };
        e.linea(LineaNombre(c, d, QStringLiteral("<TABLE><TR VALIGN=TOP>")));
        e.linea(LineaComplemento(c, d));
        e.linea(LineaDomicilio(c, QString(), QStringLiteral("<TD  class=TableCabeceravalor COLSPAN=27 NOWRAP>"),
                               QStringLiteral("<TD  COLSPAN=4> </TD>")));
        e.linea(LineaObservaciones(c));
        if (!d.EsVenta) {
            e.linea(QStringLiteral("</TR>"));
        } else {
            e.linea({QStringLiteral("<TD class=TableCabeceraCaption COLSPAN=7><B><I>Inicio</I></B></TD>"),
                     QStringLiteral("<TD COLSPAN=2> </TD><TD class=TableCabeceraValor COLSPAN=10 NOWRAP>"),
                     f("fechaestinicio"), QStringLiteral("</FONT></TD></TR>")});
            e.linea({QStringLiteral("<TR VALIGN=TOP>"),
                     QStringLiteral("<TD class=TableCabeceraCaption COLSPAN=7><B>Matrícula:</B></TD>"),
                     QStringLiteral("<TD COLSPAN=2> </TD><TD class=TableCabeceraValor COLSPAN=17>"), f("Matricula"),
                     QStringLiteral(" </TD>"), QStringLiteral("<TD class=TableCabeceraCaption COLSPAN=6><B>Modelo:</B></TD>"),
                     QStringLiteral("<TD COLSPAN=2> </TD><TD class=TableCabeceraValor COLSPAN=6>"), f("modelo"),
                     QStringLiteral("</TD>"), QStringLiteral("<TD class=TableCabeceraCaption COLSPAN=4><B>Serie:</B></TD>"),
                     QStringLiteral("<TD COLSPAN=2> </TD><TD class=TableCabeceraValor COLSPAN=10>"), f("Serie"),
                     QStringLiteral("</TD>"), QStringLiteral("<TD class=TableCabeceraCaption COLSPAN=7><B>Vence:</B></TD>"),
                     QStringLiteral("<TD COLSPAN=2> </TD><TD class=TableCabeceraValor COLSPAN=9 NOWRAP>"),
                     f("fechaestfin"), QStringLiteral("</TD></TR> ")});
        }
        e.linea(QStringLiteral("</TABLE>"));
    });
}

} // namespace

ResultadoPagina GenerarPaginaComprobante(const QString& ruta, const Documento& d, ui::ErrorHandler manejador)
{
    EscritorDocumento e(ruta, std::move(manejador));
    Documento doc = d;
    if (!doc.EsVenta)
        e.paso([&] { doc.iCuenta = cuentaProveedor(e, d); });
    return EscribirPaginaConCabecera(
        e, doc,
        {QStringLiteral("BSC001CBTEdetalle"), false, consultaCabecera(doc),
         [&doc](EscritorDocumento& e, ado::Recordset& cab) {
             escribirParte(e, doc, cab);
             EscribirLineasComprobante(e, doc, cab);
             EscribirTotalesComprobante(e, doc, cab);
             EscribirAplicacionesComprobante(e, doc, cab);
         },
         QStringLiteral("</TABLE>"), report::EnlaceAsiento(doc.iTC, doc.iSucursal, doc.iNumero, doc.iLetra, &doc.iCuenta)});
}

} // namespace visores
