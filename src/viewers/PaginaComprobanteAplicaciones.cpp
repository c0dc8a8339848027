// The vouchers a sales or purchase voucher applies and those that apply to it, and its history.

#include "PaginaComprobante.h"

#include "data/DB_Dll.h"
#include "platform/suite/Utilidades.h"
#include "report/EnlaceHTML.h"

namespace visores {

namespace {

// One direction of applications. `prefijo` names the other voucher's columns ("" or "_ORIGEN"); every link
// carries this page's party account, so a purchase opened from it finds its header.
void escribirAplicaciones(EscritorDocumento& e, const Documento& d, const QString& sql, const char* titulo,
                          const QString& tipoOtro, const QString& prefijo, const QString& idOtro,
                          const QString& cuenta)
{
    ado::Recordset rs;
    bool hay = false;
    e.paso([&] { hay = e.abrir(sql, rs); });
    if (!hay)
        return;
    e.paso([&] {
        e.linea({QStringLiteral("<TR VALIGN=TOP><TD COLSPAN=2> </TD><TD COLSPAN=60 ROWSPAN=61><br>"),
                 QStringLiteral("<FONT SIZE=1 FACE=' Times New Roman '><B>") + QString::fromLatin1(titulo),
                 Html(d.iTC + QLatin1Char(' ') + d.iSucursal + d.iNumero + QLatin1Char(' ') + d.iLetra),
                 QStringLiteral("</B>"), QStringLiteral("<TABLE ALIGN=BLEEDLEFT WIDTH=100% CELLSPACING=0 CELLPADDING=0 BORDER=0>"),
                 QStringLiteral("<TR VALIGN=TOP BGCOLOR=E0EFE0><TD CLASS=TableCABDetalle>TC</TD>"),
                 QStringLiteral("<TD CLASS=TableCABDetalle>COMPROBANTE</TD>"),
                 QStringLiteral("<TD CLASS=TableCABDetalle ALIGN =RIGHT >IMPORTE</TD></TR>")});
    });
    while (!e.dejada() && !rs.EOF()) {
        e.paso([&] {
            const auto v = [&](const QString& c) { return rs.Fields(c).Value().toText(); };
            const QString enlace = QStringLiteral("<TD CLASS=TableRowdETALLE>")
                                   + Ancla(report::EnlaceComprobante(v(tipoOtro), v(QStringLiteral("SUCURSAL") + prefijo),
                                                                     v(QStringLiteral("NUMERO") + prefijo),
                                                                     v(QStringLiteral("LETRA") + prefijo), &cuenta));
            e.linea({QStringLiteral("<TR VALIGN=TOP>"), enlace, Campo(rs, tipoOtro), QStringLiteral("</TD>"), enlace,
                     Campo(rs, idOtro), QStringLiteral("</TD>"), QStringLiteral("<TD CLASS=TableROWDetalle ALIGN=RIGHT  NOWRAP>"),
                     Campo(rs, QStringLiteral("IMPORTE")), QStringLiteral("</TD>"), QStringLiteral("</TR>")});
        });
        rs.MoveNext();
    }
    e.paso([&] { e.linea(QStringLiteral("</TABLE>")); });
}

QString consultaHistorial(const Documento& d, ado::Recordset& cabecera)
{
    const QString base = QStringLiteral("SELECT TIPO_ACCION, FECHAHORA, USUARIO, PC, SYSTEMUSER from V_MV_CPTEACCIONES "
                                        "WHERE TC=")
                         + TcSql(d) + QStringLiteral(" and IDCOMPROBANTE=") + Sql(d.idComprobante());
    if (d.EsVenta)
        return base + QStringLiteral(" AND IDCOMPLEMENTO")
               + CondicionComplemento(cabecera.Fields(QStringLiteral("IdComplemento")).Value());
    const QString asiento =
        gDB().DatosTabla(QStringLiteral("MV_ASIENTOS"), d.iTC, QStringLiteral("NUMERO ASIENTO"), QStringLiteral("TC"), 8,
                         QStringLiteral(" TC=") + Sql(d.iTC) + QStringLiteral(" AND SUCURSAL =") + Sql(d.iSucursal)
                             + QStringLiteral(" and NUMERO=") + Sql(d.iNumero) + QStringLiteral(" AND LETRA =")
                             + Sql(d.iLetra) + QStringLiteral(" AND CABCUENTA=") + Sql(d.iCuenta),
                         true)
            .trimmed();
    bool esNumero = false;
    const qint64 numero = asiento.toLongLong(&esNumero);
    if (!esNumero)
        return base;
    return base + QStringLiteral(" and NUMEROASIENTO=") + QString::number(numero);
}

} // namespace

void EscribirAplicacionesComprobante(EscritorDocumento& e, const Documento& d, ado::Recordset& cabecera)
{
    using suite::Utilidades;
    QString cuenta;
    e.paso([&] { cuenta = Utilidades::TextoCampo(cabecera.Fields(QStringLiteral("Cuenta")).Value()); });
    escribirAplicaciones(e, d,
                         QStringLiteral("SELECT TCO_ORIGEN,SUCURSAL_ORIGEN,NUMERO_ORIGEN,LETRA_ORIGEN,IDCOMPROBANTE_ORIGEN, "
                                        "IMPORTE from MV_APLICACION WHERE TC=")
                             + TcSql(d) + QStringLiteral(" and SUCURSAL=") + SucursalSql(d) + QStringLiteral(" and NUMERO=")
                             + NumeroSql(d) + QStringLiteral(" and LETRA=") + LetraSql(d),
                         "COMPROBANTES APLICADOS POR ", QStringLiteral("TCO_ORIGEN"), QStringLiteral("_ORIGEN"),
                         QStringLiteral("IDCOMPROBANTE_ORIGEN"), cuenta);
    escribirAplicaciones(e, d,
                         QStringLiteral("SELECT TC,sucursal,numero,letra,IDCOMPROBANTE, IMPORTE from MV_Aplicacion WHERE "
                                        "TCo_origen=")
                             + TcSql(d) + QStringLiteral(" and idcomprobante_origen=") + Sql(d.idComprobante()),
                         "COMPROBANTES QUE APLICAN A ", QStringLiteral("TC"), QString(), QStringLiteral("IDCOMPROBANTE"),
                         cuenta);
    QString historial;
    if (e.paso([&] { historial = consultaHistorial(d, cabecera); }))
        EscribirHistorial(e, historial);
}

} // namespace visores
