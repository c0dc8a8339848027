// The suite's balance and cost-centre views are tables here; they are filled from the journal in one pass
// per level of the chart (an account's balance rows include every account whose code begins with it).
// The cost-centre shares of an entry are matched to its line by account (one line per account and entry).

#include "DemoSteps.h"

#include <QSqlQuery>

namespace schema {

namespace {

const char kClear[] = "DELETE FROM ve_saldosctaAC;"
                      "DELETE FROM VE_SALDOSCTAAC_CCosto;"
                      "DELETE FROM VT_Asientos_CCosto;"
                      "DELETE FROM VT_ASIENTOS_CCOSTO1";

// The journal line of a cost-centre share.
const char kShareLine[] = "MV_ASIENTOSCCOSTO s CROSS JOIN MV_ASIENTOS a"
                          " ON a.PERIODO = s.PERIODO AND a.MES_OPERATIVO = s.MES_OPERATIVO"
                          " AND a.[NUMERO ASIENTO] = s.[NUMERO ASIENTO] AND a.TIPO_REG = s.TIPO_REG"
                          " AND a.CUENTA = s.Cuenta";

// The journal summed once per account, day and unit (grouped byte for byte, which is quick; the levels below
// group again with the columns' own comparison).
const char kDays[] =
    "CREATE TEMP TABLE conc_journal_days AS"
    " SELECT CUENTA AS cuenta, FECHA AS fecha, UNEGOCIO AS unegocio,"
    " SUM(CASE WHEN [DEBE-HABER] = 'D' THEN IMPORTE ELSE -IMPORTE END) AS saldo"
    " FROM MV_ASIENTOS GROUP BY CUENTA COLLATE BINARY, FECHA COLLATE BINARY, UNEGOCIO COLLATE BINARY";

// %1: the code length of the level.
const char kBalances[] =
    "INSERT INTO ve_saldosctaAC (cuenta, descripcion, saldo, fecha, unidadnegocio)"
    " SELECT c.Codigo, c.Descripcion, ROUND(SUM(d.saldo), 4), d.fecha, d.unegocio"
    " FROM conc_journal_days d CROSS JOIN MA_CUENTAS c ON c.Codigo = substr(d.cuenta, 1, %1)"
    " WHERE length(c.Codigo) = %1"
    " GROUP BY c.Codigo, d.fecha, d.unegocio";

const char kCentreBalances[] =
    "INSERT INTO VE_SALDOSCTAAC_CCosto (cuenta, saldo, fecha, unidadnegocio, CCosto, descripcionCC)"
    " SELECT c.Codigo,"
    " ROUND(SUM(CASE WHEN a.[DEBE-HABER] = 'D' THEN s.Importe ELSE -s.Importe END), 4), a.FECHA, a.UNEGOCIO,"
    " s.CCosto, (SELECT t.descripcion FROM TA_CCOSTO t WHERE t.codigo = s.CCosto)"
    " FROM %2 CROSS JOIN MA_CUENTAS c ON c.Codigo = substr(s.Cuenta, 1, %1)"
    " WHERE length(c.Codigo) = %1"
    " GROUP BY c.Codigo, a.FECHA, a.UNEGOCIO, s.CCosto";

const char kCentreLines[] =
    "INSERT INTO VT_Asientos_CCosto (cuenta, fecha, tc, sucursal, numero, letra, detalle, ccosto, [DEBE-HABER],"
    " importe, importecc, porcentaje, unegocio)"
    " SELECT a.CUENTA, a.FECHA, a.TC, a.SUCURSAL, a.NUMERO, a.LETRA, a.DETALLE, s.CCosto, a.[DEBE-HABER],"
    " a.IMPORTE, s.Importe, s.Porcentaje, a.UNEGOCIO FROM %1";

const char kCentreShares[] =
    "INSERT INTO VT_ASIENTOS_CCOSTO1 (porcentaje, importecc, tc, sucursal, numero, letra, CCosto, cuenta)"
    " SELECT s.Porcentaje, s.Importe, a.TC, a.SUCURSAL, a.NUMERO, a.LETRA, s.CCosto, a.CUENTA FROM %1";

QList<int> codeLengths(CompanyFile& file)
{
    QSqlQuery query(file.db());
    QList<int> lengths;
    if (!query.exec(QStringLiteral("SELECT DISTINCT length(Codigo) FROM MA_CUENTAS")))
        throw GenerationError(QStringLiteral("chart of accounts: cannot read its levels"));
    while (query.next())
        lengths << query.value(0).toInt();
    return lengths;
}

} // namespace

void FillJournalViews(CompanyFile& file)
{
    for (const QString& statement : QString::fromLatin1(kClear).split(QLatin1Char(';')))
        file.exec(statement);
    const QString shareLine = QString::fromLatin1(kShareLine);
    file.exec(QString::fromLatin1(kDays));
    for (int length : codeLengths(file)) {
        file.exec(QString::fromLatin1(kBalances).arg(length));
        file.exec(QString::fromLatin1(kCentreBalances).arg(length).arg(shareLine));
    }
    file.exec(QStringLiteral("DROP TABLE conc_journal_days"));
    file.exec(QString::fromLatin1(kCentreLines).arg(shareLine));
    file.exec(QString::fromLatin1(kCentreShares).arg(shareLine));
}

} // namespace schema
