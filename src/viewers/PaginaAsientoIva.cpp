// The accounting voucher page's tax book and cost centres: both read the entry's first line anew.

#include "PaginaAsiento.h"

#include "data/DB_Dll.h"
#include "platform/suite/Utilidades.h"

using suite::Utilidades;

namespace visores {

namespace {

// The first line of the voucher (of the account's entry when there is one); false when there is none.
bool primeraLinea(EscritorDocumento& e, const Documento& d, const QString& numeroAsiento, ado::Recordset& rs)
{
    bool hay = false;
    e.paso([&] {
        QString sql = QStringLiteral("SELECT TOP 1 * from MV_ASIENTOS WHERE TC=") + TcSql(d)
                      + QStringLiteral(" and SUCURSAL=") + Sql(d.iSucursal) + QStringLiteral(" AND NUMERO=")
                      + Sql(d.iNumero) + QStringLiteral(" AND LETRA=") + Sql(d.iLetra);
        if (!numeroAsiento.isEmpty())
            sql += QStringLiteral(" AND [NUMERO ASIENTO]=") + numeroAsiento;
        hay = e.abrir(sql + QStringLiteral(" ORDER BY SECUENCIA"), rs);
    });
    return hay;
}

// A rate as its heading shows it: the amount it reads as, in its own text.
QString tasa(ado::Recordset& rs, const QString& columna)
{
    return Html(ado::Variant(Utilidades::TextoAMoneda(Utilidades::TextoCampo(rs.Fields(columna).Value()))));
}

QString celdas(ado::Recordset& rs, std::initializer_list<const char*> columnas)
{
    QString texto;
    for (const char* c : columnas)
        texto += QStringLiteral("<TD CLASS=TableRowDetalle>") + Campo(rs, QString::fromLatin1(c)) + QStringLiteral("</TD>");
    return texto;
}

const QString kAperturaSeccion = QStringLiteral("<TR VALIGN=TOP><TD COLSPAN=2> </TD><TD COLSPAN=60 ROWSPAN=61></TABLE><br>"
                                                "<FONT SIZE=1 FACE=' Times New Roman '>");

void escribirLibroIva(EscritorDocumento& e, const Documento& d, const QString& numeroAsiento)
{
    ado::Recordset rs;
    if (!primeraLinea(e, d, numeroAsiento, rs))
        return;
    e.paso([&] {
        if (Utilidades::TextoCampo(rs.Fields(QStringLiteral("liva_tipo")).Value()).trimmed().isEmpty())
            return;
        QString tasas;
        for (const char* c : {"liva_aliciva", "liva_aliciva2", "liva_aliciva3", "liva_aliciva4"})
            tasas += QStringLiteral("<TD CLASS=TableCABDetalle>IVA ") + tasa(rs, QString::fromLatin1(c))
                     + QStringLiteral("%</TD>");
        e.linea({kAperturaSeccion,
                 QStringLiteral("<B>DETALLE LIBRO DE IVA</B><TABLE NOSHADE BORDER=1 ALIGN=BLEEDLEFT WIDTH=100% "
                                "CELLSPACING=0 CELLPADDING=0 BORDER=0>"),
                 QStringLiteral("<TR VALIGN=TOP BGCOLOR=#EEE8AA>"), QStringLiteral("<TD CLASS=TableCABDetalle>LIBRO</TD>"),
                 QStringLiteral("<TD CLASS=TableCABDetalle>NETO GRAV.</TD>"),
                 QStringLiteral("<TD CLASS=TableCABDetalle>NETO NO GRAV.</TD>"),
                 QStringLiteral("<TD CLASS=TableCABDetalle>EXENTO</TD>"), tasas,
                 QStringLiteral("<TD CLASS=TableCABDetalle>IVA REC. "), tasa(rs, QStringLiteral("liva_alicivaREC")),
                 QStringLiteral("%</TD></TR>")});
        e.linea({QStringLiteral("<TR VALIGN=TOP>"),
                 celdas(rs, {"liva_tipo", "LIVA_ImpNetoGrav", "LIVA_ImpNetoNGrav", "Liva_Exento", "Liva_ImpIva",
                             "Liva_ImpIva2", "Liva_ImpIva3", "LIVA_ImpIVA4", "Liva_ImpIvaRec"}),
                 QStringLiteral("</TR>")});
        QString terceros;
        for (const char* c : {"LIVA_ALICIVA1TERCEROS", "LIVA_ALICIVA2TERCEROS"})
            terceros += QStringLiteral("<TD CLASS=TableCABDetalle>IVA TROS ") + tasa(rs, QString::fromLatin1(c))
                        + QStringLiteral("% </TD>");
        e.linea({kAperturaSeccion,
                 QStringLiteral("<TABLE NOSHADE BORDER=1 ALIGN=BLEEDLEFT WIDTH=100% CELLSPACING=0 CELLPADDING=0 BORDER=0>"),
                 QStringLiteral("<TR VALIGN=TOP BGCOLOR=#EEE8AA>"), QStringLiteral("<TD CLASS=TableCABDetalle>RET. PERC.</TD>"),
                 QStringLiteral("<TD CLASS=TableCABDetalle>RET. IBTOS.</TD>"),
                 QStringLiteral("<TD CLASS=TableCABDetalle>RET. GCIAS.</TD>"), terceros,
                 QStringLiteral("<TD CLASS=TableCABDetalle>TOTAL</TD></TR>")});
        e.linea({QStringLiteral("<TR VALIGN=TOP>"),
                 celdas(rs, {"LIVA_Ret_Perc", "LIVA_Ret_IBtos", "LIVA_Ret_Ganancias", "LIVA_IMPIVA1TERCEROS",
                             "LIVA_IMPIVA2TERCEROS", "Liva_Total"}),
                 QStringLiteral("</TR>")});
    });
    e.paso([&] { e.linea(QStringLiteral("</TABLE>")); });
}

QString descripcion(const QString& tabla, const ado::Variant& codigo)
{
    return Html(gDB().DatosTabla(tabla, codigo.toText(), QStringLiteral("DESCRIPCION"), QStringLiteral("CODIGO"), 8,
                                 QString(), true));
}

void escribirCentros(EscritorDocumento& e, const Documento& d, const QString& numeroAsiento)
{
    ado::Recordset linea;
    if (!primeraLinea(e, d, numeroAsiento, linea))
        return;
    ado::Recordset rs;
    bool hay = false;
    e.paso([&] {
        const auto numero = [&](const char* c) { return QString::number(linea.Fields(QString::fromLatin1(c)).Value().toLong()); };
        hay = e.abrir(QStringLiteral("SELECT * FROM MV_ASIENTOSCCOSTO WHERE PERIODO=")
                          + Sql(linea.Fields(QStringLiteral("Periodo")).Value().toText())
                          + QStringLiteral(" AND MES_OPERATIVO=") + numero("Mes_Operativo")
                          + QStringLiteral(" AND [NUMERO ASIENTO]=") + numero("numero asiento")
                          + QStringLiteral(" AND TIPO_REG=") + Sql(linea.Fields(QStringLiteral("Tipo_Reg")).Value().toText())
                          + QStringLiteral(" ORDER BY SECUENCIA"),
                      rs);
    });
    if (hay) {
        e.paso([&] {
            e.linea({kAperturaSeccion,
                     QStringLiteral("<B>CENTRO DE COSTOS</B><TABLE NOSHADE BORDER=1 ALIGN=BLEEDLEFT WIDTH=100% "
                                    "CELLSPACING=0 CELLPADDING=0 BORDER=0>"),
                     QStringLiteral("<TR VALIGN=TOP BGCOLOR=#DDA0DD>"), QStringLiteral("<TD CLASS=TableCABDetalle>CUENTA</TD>"),
                     QStringLiteral("<TD CLASS=TableCABDetalle>DESCRIPCION</TD>"),
                     QStringLiteral("<TD CLASS=TableCABDetalle>CCOSTO</TD>"),
                     QStringLiteral("<TD CLASS=TableCABDetalle>DESCRIPCION</TD>"),
                     QStringLiteral("<TD CLASS=TableCABDetalle>PORCENTAJE</TD>"),
                     QStringLiteral("<TD CLASS=TableCABDetalle>IMPORTE</TD>"), QStringLiteral("</TR>")});
        });
        const auto celda = [](const QString& v) { return QStringLiteral("<TD CLASS=TableRowDetalle>") + v + QStringLiteral("</TD>"); };
        while (!e.dejada() && !rs.EOF()) {
            e.paso([&] {
                const ado::Variant cuenta = rs.Fields(QStringLiteral("Cuenta")).Value();
                const ado::Variant centro = rs.Fields(QStringLiteral("CCosto")).Value();
                e.linea({QStringLiteral("<TR VALIGN=TOP>"), celda(Html(cuenta)), celda(descripcion(QStringLiteral("MA_CUENTAS"), cuenta)),
                         celda(Html(centro)), celda(descripcion(QStringLiteral("TA_CCOSTO"), centro)),
                         celda(Campo(rs, QStringLiteral("Porcentaje"))), celda(Campo(rs, QStringLiteral("Importe"))),
                         QStringLiteral("</TR>")});
            });
            rs.MoveNext();
        }
        e.paso([&] { e.linea(QStringLiteral("</TABLE>")); });
    }
    e.paso([&] { gDB().CierraRecordset(rs); });
}

} // namespace

void EscribirLibroIvaYCentros(EscritorDocumento& e, const Documento& d, const QString& numeroAsiento)
{
    escribirLibroIva(e, d, numeroAsiento);
    escribirCentros(e, d, numeroAsiento);
}

} // namespace visores
