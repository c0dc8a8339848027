#include "PaginaRecibo.h"

#include "TablaParte.h"
#include "platform/suite/Utilidades.h"
#include "report/EnlaceHTML.h"

namespace visores {

namespace {

QString consultaCabecera(const Documento& d)
{
    if (d.EsVenta)
        return QStringLiteral(
                   "SELECT NOMBRE,COMENTARIOS, v_mv_cpte.DOMICILIO, v_mv_cpte.LOCALIDAD,CUENTA,IDCOMPLEMENTO, "
                   "CODIGOPOSTAL, FECHA, v_mv_cpte.comentarios, v_mv_cpte.TELEFONO, MATRICULA,MODELO,SERIE, "
                   "FECHAESTINICIO,FECHAESTFIN, ma_cuentasadic.contacto,unegocio, V_TA_UnidadNegocio.descripcion as "
                   "unegociodescripcion, isnull(importe,0) as importe, isnull(RETGAN_Importe,0) as RETGAN_Importe "
                   ",isnull(RETIBR_Importe,0) as RETIBR_Importe,isnull(RETIVA_Importe,0) as RETIVA_Importe,  "
                   "(V_MV_Cpte.impdescuento1 + V_MV_Cpte.impdescuento2 + V_MV_Cpte.impdescuento3 + "
                   "V_MV_Cpte.impdescuento4) AS DESCUENTOS ,   V_MV_Cpte.ImporteIva,v_mv_cpte.AlicIvaRec, "
                   "V_MV_Cpte.ImporteIvaRec,V_MV_Cpte.ImporteIva2,V_MV_Cpte.ImpIVA3,V_MV_Cpte.ImpIVA4 FROM V_MV_Cpte "
                   "LEFT OUTER JOIN MA_CUENTASADIC ON V_MV_Cpte.CUENTA = MA_CUENTASADIC.CODIGO LEFT OUTER JOIN "
                   "V_TA_UnidadNegocio ON V_MV_Cpte.UNEGOCIO = V_TA_UnidadNegocio.Codigo WHERE TC=")
               + TcSql(d) + QStringLiteral(" and idcomprobante=") + Sql(d.idComprobante());
    // The purchase side selects the discounts and withholdings too: the rest of the page reads them.
    return QStringLiteral(
               "SELECT NOMBRE,COMENTARIOS, c_mv_cpte.DOMICILIO, c_mv_cpte.LOCALIDAD,CUENTA, CODIGOPOSTAL, FECHA, "
               "c_mv_cpte.comentarios, c_mv_cpte.TELEFONO,  ma_cuentasadic.contacto,unegocio, "
               "V_TA_UnidadNegocio.descripcion as unegociodescripcion, isnull(importe,0) as importe, "
               "isnull(RETGAN_Importe,0) as RETGAN_Importe ,isnull(RETIBR_Importe,0) as RETIBR_Importe,"
               "isnull(RETIVA_Importe,0) as RETIVA_Importe,  (c_mv_Cpte.impdescuento1 + c_mv_Cpte.impdescuento2 + "
               "c_mv_Cpte.impdescuento3 + c_mv_Cpte.impdescuento4) AS DESCUENTOS , c_mv_Cpte.importe_s_iva, "
               "c_mv_Cpte.porcdescuento1, c_mv_Cpte.impdescuento1 , c_mv_Cpte.porcdescuento2, c_mv_Cpte.impdescuento2 , "
               "c_mv_Cpte.porcdescuento3, c_mv_Cpte.impdescuento3, c_mv_Cpte.porcdescuento4, c_mv_Cpte.impdescuento4, "
               "c_mv_Cpte.ImporteImpuestosInternos,   c_mv_Cpte.ImporteIva,c_mv_cpte.AlicIvaRec, "
               "c_mv_Cpte.ImporteIvaRec,c_mv_Cpte.ImporteIva2 FROM C_MV_Cpte LEFT OUTER JOIN MA_CUENTASADIC ON "
               "C_MV_Cpte.CUENTA = MA_CUENTASADIC.CODIGO LEFT OUTER JOIN V_TA_UnidadNegocio ON C_MV_Cpte.UNEGOCIO = "
               "V_TA_UnidadNegocio.Codigo WHERE  TC=")
           + TcSql(d) + QStringLiteral(" and idcomprobante=") + Sql(d.idComprobante());
}

void escribirParte(EscritorDocumento& e, const Documento& d, ado::Recordset& c)
{
    e.paso([&] {
        e.linea(LineaNombre(c, d, QStringLiteral("<TR VALIGN=TOP><TD> </TD>")));
        e.linea(LineaComplemento(c, d));
        e.linea(LineaDomicilio(c, QStringLiteral("<TD> </TD>"),
                               QStringLiteral("<TD class=TableCabeceravalor COLSPAN=15 NOWRAP>"),
                               QStringLiteral("<TD cOLSPAN=4> </TD>")));
        e.linea(LineaObservaciones(c) + QStringLiteral("</TR>"));
        e.linea(QStringLiteral("</TABLE>"));
    });
}

void escribirDetallesPago(EscritorDocumento& e, const Documento& d, ado::Recordset& c)
{
    ado::Recordset rs;
    bool hay = false;
    e.paso([&] {
        hay = e.abrir(QStringLiteral("SELECT CUENTA, MA_CUENTAS.DESCRIPCION,NROCOMPROBANTEBANCARIO,V_TA_BANCOS.IDBANCO, "
                                     "V_TA_BANCOS.DESCRIPCION AS DESCRIPCIONBANCO, VENCIMIENTO,[DEBE-HABER],IMPORTE  from "
                                     "MV_ASIENTOS left join MA_CUENTAS on MA_CUENTAS.Codigo = MV_ASIENTOS.Cuenta left "
                                     "join V_TA_BANCOS on V_TA_BANCOS.IdBanco = MV_ASIENTOS.IdBanco Where TC=")
                          + TcSql(d) + QStringLiteral(" and SUCURSAL=") + SucursalSql(d) + QStringLiteral(" and NUMERO=")
                          + NumeroSql(d) + QStringLiteral(" and LETRA=") + LetraSql(d) + QStringLiteral(" and cuenta <> ")
                          + Sql(suite::Utilidades::TextoCampo(c.Fields(QStringLiteral("Cuenta")).Value())),
                      rs);
    });
    if (!hay)
        return;
    e.paso([&] {
        e.linea({QStringLiteral("<TR VALIGN=TOP><TD COLSPAN=2> </TD><TD COLSPAN=60 ROWSPAN=61><br>"),
                 QStringLiteral("<FONT SIZE=1 FACE=' Times New Roman '><B>DETALLES DEL PAGO </B>"),
                 QStringLiteral("<TABLE ALIGN=BLEEDLEFT WIDTH=100% CELLSPACING=0 CELLPADDING=0 BORDER=0>"),
                 QStringLiteral("<TR VALIGN=TOP BGCOLOR=aeaaea><TD CLASS=TableCABDetalle>MEDIO DE PAGO</TD>"),
                 QStringLiteral("<TD CLASS=TableCABDetalle>NUMERO</TD>"), QStringLiteral("<TD CLASS=TableCABDetalle >BANCO</TD>"),
                 QStringLiteral("<TD CLASS=TableCABDetalle >VENCIMIENTO</TD>"),
                 QStringLiteral("<TD CLASS=TableCABDetalle ALIGN=RIGHT ></TD>"),
                 QStringLiteral("<TD CLASS=TableCABDetalle ALIGN =RIGHT >IMPORTE</TD>"), QStringLiteral("</TR>")});
    });
    const QString celda = QStringLiteral("<TD CLASS=TableRowdETALLE>");
    while (!e.dejada() && !rs.EOF()) {
        e.paso([&] {
            const auto f = [&](const char* nombre) { return Campo(rs, QString::fromLatin1(nombre)); };
            e.linea({QStringLiteral("<TR VALIGN=TOP>"), celda, f("Cuenta"), QStringLiteral(" - "), f("Descripcion"),
                     QStringLiteral("</TD>"), celda, f("NroComprobanteBancario"), QStringLiteral("</TD>"), celda,
                     f("IdBanco"), QStringLiteral(" "), f("DescripcionBanco"), QStringLiteral("</TD>"), celda,
                     f("Vencimiento"), QStringLiteral("</TD>"), celda, f("DEBE-HABER"), QStringLiteral("</TD>"),
                     QStringLiteral("<TD CLASS=TableROWDetalle ALIGN=RIGHT  NOWRAP>"), f("Importe"),
                     QStringLiteral("</TD>"), QStringLiteral("</TR>")});
        });
        rs.MoveNext();
    }
    e.paso([&] { e.linea(QStringLiteral("</TABLE>")); });
}

} // namespace

ResultadoPagina GenerarPaginaRecibo(const QString& ruta, const Documento& d, ui::ErrorHandler manejador)
{
    EscritorDocumento e(ruta, std::move(manejador));
    return EscribirPaginaConCabecera(e, d,
                                     {QStringLiteral("BSC001RECIBOdetalle"), true, consultaCabecera(d),
                                      [&d](EscritorDocumento& e, ado::Recordset& cab) {
                                          escribirParte(e, d, cab);
                                          escribirDetallesPago(e, d, cab);
                                          EscribirCierreRecibo(e, d, cab);
                                      },
                                      QStringLiteral("</font></TABLE>"),
                                      report::EnlaceAsiento(d.iTC, d.iSucursal, d.iNumero, d.iLetra)});
}

} // namespace visores
