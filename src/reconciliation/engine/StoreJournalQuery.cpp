#include "StoreJournalQuery.h"

#include "platform/suite/base/Conversiones.h"
#include "StoreSql.h"

namespace conciliacion {

namespace {

const QString kOrden = QStringLiteral("  order by  fecha,tc,sucursal, numero");

// Opens the where-text or adds to it: " where (" or " and (".
void agregarClausula(QString& condicion, const QString& clausula)
{
    condicion += condicion.isEmpty() ? QStringLiteral(" where (") : QStringLiteral(" and (");
    condicion += clausula;
}

// The user filter as a LIKE prefix whose own characters match literally: "%", "_" and "[" bracketed as the
// suite's server and the embedded engine read them; on Oracle, whose LIKE has no brackets, "%", "_" and the
// escape character itself behind a backslash named by an ESCAPE clause.
QString patronPrefijo(const QString& texto, bool oracle)
{
    QString out;
    out.reserve(texto.size() + 8);
    for (QChar c : texto) {
        if (oracle && (c == u'%' || c == u'_' || c == u'\\'))
            out += u'\\' + QString(c);
        else if (!oracle && (c == u'%' || c == u'_' || c == u'['))
            out += u'[' + QString(c) + u']';
        else
            out += c;
    }
    return sql::Texto(out + QLatin1Char('%')) + (oracle ? QStringLiteral(" ESCAPE '\\'") : QString());
}

} // namespace

QString CondicionDiario(const Cabecera& cabecera, Lado lado, bool oracle)
{
    using Utilidades = suite::Conversiones;   // the utility object's conversions, without its dialogs
    QString condicion;
    if (!cabecera.fechaDesde.trimmed().isEmpty())
        condicion = QStringLiteral(" Where Fecha >= ") + Utilidades::FechaSQL(cabecera.fechaDesde);
    if (!cabecera.fechaHasta.trimmed().isEmpty()) {
        condicion += condicion.isEmpty() ? QStringLiteral(" Where Fecha <= ") : QStringLiteral(" AND Fecha <= ");
        condicion += Utilidades::FechaSQL(cabecera.fechaHasta);
    }
    agregarClausula(condicion, QStringLiteral("MV_ASIENTOS.CUENTA = ") + sql::Texto(cabecera.cuenta.trimmed())
                                   + QStringLiteral(") "));
    if (!cabecera.unegocio.trimmed().isEmpty()) {
        agregarClausula(condicion, QStringLiteral("MV_ASIENTOS.UNEGOCIO = ")
                                       + sql::Texto(Utilidades::FormatoAncho(ado::Variant(cabecera.unegocio), 4))
                                       + QStringLiteral(") "));
    }
    if (!cabecera.usuario.trimmed().isEmpty()) {
        agregarClausula(condicion,
                        QStringLiteral("MV_ASIENTOS.USUARIO_LOGEADO LIKE ")
                            + patronPrefijo(cabecera.usuario.trimmed(), oracle) + QStringLiteral(") "));
    }
    agregarClausula(condicion, QStringLiteral("MV_ASIENTOS.[debe-haber] = '") + Describir(lado).debeHaber
                                   + QStringLiteral("' "));
    return condicion + QLatin1Char(')');
}

QString ConsultaDiario(const Cabecera& cabecera, Lado lado, bool oracle)
{
    return QStringLiteral("SELECT * FROM MV_ASIENTOS ") + CondicionDiario(cabecera, lado, oracle)
           + kOrden;
}

QString SentenciaRegistro(const Cabecera& cabecera, Lado lado, bool oracle)
{
    const DescripcionLado& d = Describir(lado);
    const bool izquierda = lado == Lado::Izquierda;
    const QString columnas =
        QStringLiteral("IDCONCILIACION,FECHA,CUENTA,SECUENCIA,MES_OPERATIVO,[NUMERO ASIENTO],PERIODO,TIPO_REG,"
                       "FINALIZADA,FECHAMOV,VENCIMIENTO,TC,COMPROBANTE,IMPORTE,CONCEPTO,")
        + (izquierda ? QStringLiteral("IDCONCAUX, CONCILIADO, ") : QString())
        + QStringLiteral("TC_ORIGEN,CPTE_ORIGEN");
    // A Null voucher part reads as empty text and a Null amount as 0, as the list shows them. The voucher's
    // chain starts with a text literal so that the embedded engine's rewrite reads its "+" as joining texts.
    QString comprobante = QStringLiteral("''+ISNULL(MV_ASIENTOS.SUCURSAL,'')+ISNULL(MV_ASIENTOS.NUMERO,'')"
                                         "+ISNULL(MV_ASIENTOS.LETRA,'')");
    if (oracle)
        comprobante.replace(u'+', QStringLiteral("||"));
    const QString valores =
        sql::Texto(NumeroTabla(cabecera.numero)) + QLatin1Char(',') + sql::Fecha(cabecera.fecha)
        + QLatin1Char(',') + sql::Texto(cabecera.cuenta)
        + QStringLiteral(",MV_ASIENTOS.SECUENCIA,MV_ASIENTOS.MES_OPERATIVO,MV_ASIENTOS.[NUMERO ASIENTO],"
                         "MV_ASIENTOS.PERIODO,MV_ASIENTOS.TIPO_REG,0,MV_ASIENTOS.FECHA,MV_ASIENTOS.VENCIMIENTO,"
                         "MV_ASIENTOS.TC,")
        + comprobante + QStringLiteral(",ISNULL(MV_ASIENTOS.IMPORTE,0),MV_ASIENTOS.DETALLE,")
        + (izquierda ? QStringLiteral("NULL,0,") : QString())
        + QStringLiteral("MV_ASIENTOS.TC_ORIGEN,MV_ASIENTOS.CPTE_ORIGEN");
    // Held by any reconciliation of this side: the journal key, as the side's unique index has it.
    const QString libre =
        QStringLiteral(" AND NOT EXISTS (SELECT 1 FROM ") + d.tabla
        + QStringLiteral(" R WHERE R.CUENTA = MV_ASIENTOS.CUENTA AND R.SECUENCIA = MV_ASIENTOS.SECUENCIA"
                         " AND R.MES_OPERATIVO = MV_ASIENTOS.MES_OPERATIVO"
                         " AND R.[NUMERO ASIENTO] = MV_ASIENTOS.[NUMERO ASIENTO]"
                         " AND R.PERIODO = MV_ASIENTOS.PERIODO AND R.TIPO_REG = MV_ASIENTOS.TIPO_REG)");
    return QStringLiteral("INSERT INTO ") + d.tabla + QStringLiteral(" (") + columnas + QStringLiteral(")  SELECT ")
           + valores + QStringLiteral(" FROM MV_ASIENTOS ") + CondicionDiario(cabecera, lado, oracle)
           + libre + kOrden;
}

} // namespace conciliacion
