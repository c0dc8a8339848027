// The demo company and the benchmark account that the generator writes, and its command-line front end.

#include "schema/DemoDatabase.h"
#include "schema/SchemaTestDb.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kBank = QString::fromLatin1(schema::kBankAccount);
const QString kBench = QString::fromLatin1(schema::kBenchAccount);

// Debit lines of the account with a credit line of the same voucher; `amounts` says how the amounts compare.
QString pairedDebits(const char* amounts)
{
    return QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS d WHERE d.CUENTA = ? AND d.[DEBE-HABER] = 'D'"
                          " AND EXISTS (SELECT 1 FROM MV_ASIENTOS h WHERE h.CUENTA = d.CUENTA AND h.[DEBE-HABER] = 'H'"
                          " AND h.TC = d.TC AND h.SUCURSAL = d.SUCURSAL AND h.NUMERO = d.NUMERO AND h.LETRA = d.LETRA"
                          " AND %1)")
        .arg(QLatin1String(amounts));
}

const char kSameAmount[] = "h.IMPORTE = d.IMPORTE";
const char kCentsApart[] = "h.IMPORTE <> d.IMPORTE AND ABS(h.IMPORTE - d.IMPORTE) < 0.1";

// Journal total of the accounts whose code begins with the prefix, debit above zero, in ten-thousandths.
const char kJournalBalance[] =
    "SELECT SUM(CASE WHEN [DEBE-HABER] = 'D' THEN 1 ELSE -1 END * CAST(ROUND(IMPORTE * 10000) AS INTEGER))"
    " FROM MV_ASIENTOS WHERE substr(CUENTA, 1, length(?)) = ?";

} // namespace

class TstDemoCompany : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void usersAreAnAdministratorAndAnOperator();
    void chartHasLevelsHeadingsAndTheBankAccount();
    void configurationHoldsTheKeysTheProgramReads_data();
    void configurationHoldsTheKeysTheProgramReads();
    void periodCoversTheJournal();
    void bankAccountHasLinesInTheMonthItWasMade();

    void bankAccountHasLinesOnBothSides();
    void mostBankLinesPairByVoucherAndAmount();
    void everyEntryBalances();
    void everyVoucherKindIsThereWithItsDocument_data();
    void everyVoucherKindIsThereWithItsDocument();
    void receiptsAndPaymentsApplyTheirInvoices();
    void balancesAgreeWithTheJournal_data();
    void balancesAgreeWithTheJournal();
    void costCentreSharesAddUpToTheirLines();
    void rebuildFollowsNewJournalLines();
    void sameSeedGivesTheSameCompany();

    void benchAccountHasTheAskedLinesPerSide();
    void commandLineCreatesAndRefuses();

private:
    QTemporaryDir m_dir;
    QString m_demo;
    QString m_bench;
    // The days around the demo file's making: its months follow them.
    QDate m_madeFrom;
    QDate m_madeTo;
};

void TstDemoCompany::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_demo = m_dir.filePath(QStringLiteral("demo.db"));
    m_bench = m_dir.filePath(QStringLiteral("bench.db"));
    QString error;
    m_madeFrom = QDate::currentDate();
    QVERIFY2(schema::CreateCompanyDatabase(m_demo, schema::Options{}, &error), qPrintable(error));
    m_madeTo = QDate::currentDate();
    QVERIFY2(schema::CreateCompanyDatabase(m_bench, schema::Options{1000, 7}, &error), qPrintable(error));
}

void TstDemoCompany::usersAreAnAdministratorAndAnOperator()
{
    SchemaTestDb db(m_demo);
    const QString admin = QStringLiteral("SELECT Administrador FROM ta_usuarios WHERE LTRIM(RTRIM(nombre)) = ?");
    QCOMPARE(db.scalar(admin, {QString::fromLatin1(schema::kAdminUser)}).toInt(), 1);
    QCOMPARE(db.scalar(admin, {QString::fromLatin1(schema::kOperatorUser)}).toInt(), 0);
    QCOMPARE(db.scalar(QStringLiteral("SELECT UNegocio FROM ta_usuarios WHERE nombre = ?"),
                       {QString::fromLatin1(schema::kOperatorUser).toUpper()})
                 .toString(),
             QString::fromLatin1(schema::kBusinessUnit));
}

void TstDemoCompany::chartHasLevelsHeadingsAndTheBankAccount()
{
    SchemaTestDb db(m_demo);
    const QString titulo = QStringLiteral("SELECT Titulo FROM MA_CUENTAS WHERE Codigo = ?");
    QCOMPARE(db.scalar(titulo, {QString::fromLatin1(schema::kHeadingAccount)}).toInt(), 1);
    QCOMPARE(db.scalar(titulo, {kBank}).toInt(), 0);
    QCOMPARE(db.scalar(titulo, {QString::fromLatin1(schema::kCashAccount)}).toInt(), 0);
    QCOMPARE(db.scalar(QStringLiteral("SELECT DADA_DE_BAJA FROM MA_CUENTAS WHERE Codigo = ?"),
                       {QString::fromLatin1(schema::kClosedAccount)})
                 .toInt(),
             1);
    // Every code is one of the configured level lengths, and every account but the first level has its parent.
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS WHERE length(Codigo) NOT IN (1, 2, 4, 6, 8, 10)")),
             0);
    QCOMPARE(db.count(QStringLiteral(
                 "SELECT COUNT(*) FROM MA_CUENTAS c WHERE length(c.Codigo) > 1 AND NOT EXISTS (SELECT 1 FROM MA_CUENTAS p"
                 " WHERE p.Titulo = 1 AND p.Codigo = substr(c.Codigo, 1, CASE length(c.Codigo) WHEN 2 THEN 1"
                 " WHEN 4 THEN 2 ELSE length(c.Codigo) - 2 END))")),
             0);
    // Journal lines go to postable accounts only.
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS a JOIN MA_CUENTAS c ON c.Codigo = a.CUENTA"
                                     " WHERE c.Titulo = 0")),
             db.count(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS")));
    QVERIFY(db.count(QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS WHERE TIPOVISTA = 'CL'")) > 0);
    QVERIFY(db.count(QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS WHERE TIPOVISTA = 'PR'")) > 0);
}

void TstDemoCompany::configurationHoldsTheKeysTheProgramReads_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("rounding tolerance") << "ToleranciaRedondeo" << QString::fromLatin1(schema::kTolerance);
    QTest::newRow("money decimals") << "CantidadDecimales" << "2";
    QTest::newRow("period") << "PERIODO" << QString::number(schema::kPeriodo);
    QTest::newRow("company name") << "NOMBRE" << QString::fromLatin1(schema::kCompanyName);
    QTest::newRow("first level width") << "Digitos_Capitulo" << "1";
    QTest::newRow("first level end, other case") << "DIGITOS_CAPITULO" << "1";
    QTest::newRow("third level") << "Digitos_Rubro" << "2";
    QTest::newRow("sixth level end") << "DIGITOS_SUBCUENTA" << "2";
    QTest::newRow("clients and suppliers hidden") << "PlanCuentas_ClyPr" << "NO";
    QTest::newRow("cost centres") << "USACCOSTO" << "SI";
    QTest::newRow("article rows") << "TopConsArt" << "1000";
}

void TstDemoCompany::configurationHoldsTheKeysTheProgramReads()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    SchemaTestDb db(m_demo);
    QCOMPARE(db.scalar(QStringLiteral("SELECT VALOR FROM ta_configuracion WHERE CLAVE = ?"), {key}).toString(), value);
}

void TstDemoCompany::periodCoversTheJournal()
{
    SchemaTestDb db(m_demo);
    const QString period = QStringLiteral("select [FECHA DESDE] as FECHADESDE, [FECHA HASTA] as FECHAHASTA"
                                          " from MV_EJERCICIOS where periodo='%1'")
                               .arg(schema::kPeriodo);
    QCOMPARE(db.scalar(period).toString(), QStringLiteral("%1-01-01 00:00:00").arg(schema::kPeriodo));
    // Every line within the demo's months, its PERIODO the year of its date (a fiscal year MV_EJERCICIOS holds).
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS WHERE FECHA < ? OR FECHA > ? OR PERIODO <>"
                                     " CAST(substr(FECHA, 1, 4) AS INTEGER) OR PERIODO NOT IN (?, ?)"),
                      {schema::DemoFirstDay().toString(Qt::ISODate), schema::DemoLastDay().toString(Qt::ISODate) + "Z",
                       schema::kPeriodo - 1, schema::kPeriodo}),
             0);
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(DISTINCT MES_OPERATIVO) FROM MV_ASIENTOS WHERE CUENTA = ?"), {kBank}),
             3);
}

// A new user takes the bank account and the period the workbench proposes, the current month: both sides
// have lines there, and the journal's three months end with it.
void TstDemoCompany::bankAccountHasLinesInTheMonthItWasMade()
{
    SchemaTestDb db(m_demo);
    const QString last = db.scalar(QStringLiteral("SELECT MAX(FECHA) FROM MV_ASIENTOS")).toString();
    const QString first = db.scalar(QStringLiteral("SELECT MIN(FECHA) FROM MV_ASIENTOS")).toString();
    QDate month = m_madeTo;
    if (last.left(7) != month.toString(QStringLiteral("yyyy-MM")))
        month = m_madeFrom;   // made just before a month's end
    QCOMPARE(last.left(7), month.toString(QStringLiteral("yyyy-MM")));
    QCOMPARE(first.left(7), month.addMonths(-2).toString(QStringLiteral("yyyy-MM")));
    QCOMPARE(db.scalar(QStringLiteral("SELECT VALOR FROM ta_configuracion WHERE CLAVE = 'PERIODO'")).toString(),
             QString::number(month.year()));

    const QString from = QDate(month.year(), month.month(), 1).toString(Qt::ISODate);
    const QString to = QDate(month.year(), month.month(), month.daysInMonth()).toString(Qt::ISODate) + "Z";
    const QString side = QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS WHERE CUENTA = ? AND [DEBE-HABER] = ?"
                                        " AND FECHA >= ? AND FECHA <= ?");
    QVERIFY(db.count(side, {kBank, QStringLiteral("D"), from, to}) >= 5);
    QVERIFY(db.count(side, {kBank, QStringLiteral("H"), from, to}) >= 5);
}

void TstDemoCompany::bankAccountHasLinesOnBothSides()
{
    SchemaTestDb db(m_demo);
    const QString side = QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS WHERE CUENTA = ? AND [DEBE-HABER] = ?");
    QVERIFY(db.count(side, {kBank, QStringLiteral("D")}) >= 20);
    QVERIFY(db.count(side, {kBank, QStringLiteral("H")}) >= 20);
    // Every line names its voucher, so that the workbench can open the document behind it.
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS WHERE TC IS NULL OR length(SUCURSAL) <> 4"
                                     " OR length(NUMERO) <> 8 OR length(LETRA) <> 1")),
             0);
    // A journal line's key is unique in the journal.
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM (SELECT 1 FROM MV_ASIENTOS GROUP BY CUENTA, SECUENCIA,"
                                     " MES_OPERATIVO, [NUMERO ASIENTO], PERIODO, TIPO_REG HAVING COUNT(*) > 1)")),
             0);
}

void TstDemoCompany::mostBankLinesPairByVoucherAndAmount()
{
    SchemaTestDb db(m_demo);
    const qint64 debits = db.count(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS WHERE CUENTA = ? AND [DEBE-HABER] = 'D'"),
                                   {kBank});
    const qint64 paired = db.count(pairedDebits(kSameAmount), {kBank});
    const qint64 cents = db.count(pairedDebits(kCentsApart), {kBank});
    QVERIFY2(paired * 2 > debits, qPrintable(QStringLiteral("%1 of %2 paired").arg(paired).arg(debits)));
    QVERIFY(cents >= 3);
    // Some credits carry the amount of a debit under another voucher: a partial match for the comparison.
    QVERIFY(db.count(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS d JOIN MV_ASIENTOS h ON h.CUENTA = d.CUENTA"
                                    " AND h.IMPORTE = d.IMPORTE AND h.[DEBE-HABER] = 'H' AND h.TC <> d.TC"
                                    " WHERE d.CUENTA = ? AND d.[DEBE-HABER] = 'D'"),
                     {kBank})
            >= 3);
}

void TstDemoCompany::everyEntryBalances()
{
    SchemaTestDb db(m_bench);
    QVERIFY(db.count(QStringLiteral("SELECT COUNT(DISTINCT [NUMERO ASIENTO]) FROM MV_ASIENTOS")) > 2000);
    QCOMPARE(db.count(QStringLiteral(
                 "SELECT COUNT(*) FROM (SELECT SUM(CASE WHEN [DEBE-HABER] = 'D' THEN 1 ELSE -1 END"
                 " * CAST(ROUND(IMPORTE * 10000) AS INTEGER)) AS saldo FROM MV_ASIENTOS"
                 " GROUP BY PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], TIPO_REG) WHERE saldo <> 0")),
             0);
}

void TstDemoCompany::everyVoucherKindIsThereWithItsDocument_data()
{
    QTest::addColumn<QString>("tc");
    QTest::addColumn<QString>("documents");
    QTest::addColumn<QString>("details");
    const QString sales = QStringLiteral("SELECT COUNT(*) FROM V_MV_Cpte v WHERE v.TC = a.TC"
                                         " AND v.IDCOMPROBANTE = a.SUCURSAL || a.NUMERO || a.LETRA");
    QTest::newRow("sale") << "FC" << sales
                          << "SELECT (SELECT COUNT(*) FROM V_MV_CPTEInsumos) + (SELECT COUNT(*) FROM V_MV_CPTETareas)";
    QTest::newRow("receipt") << "CB" << sales << "SELECT COUNT(*) FROM MV_APLICACION WHERE TC = 'CB'";
    QTest::newRow("payment") << "PG" << sales << "SELECT COUNT(*) FROM MV_APLICACION WHERE TC = 'PG'";
    QTest::newRow("purchase") << "FCC"
                              << "SELECT COUNT(*) FROM C_MV_Cpte c WHERE c.TC = a.TC AND c.CUENTA = a.CABCUENTA"
                                 " AND c.IDCOMPROBANTE = a.SUCURSAL || a.NUMERO || a.LETRA"
                              << "SELECT COUNT(*) FROM C_mv_CPTEInsumos";
    // Accounting vouchers are shown from the journal itself.
    QTest::newRow("accounting") << "AS" << "SELECT 1" << "SELECT COUNT(*) FROM V_MV_CPTEACCIONES WHERE TC = 'AS'";
    QTest::newRow("adjustment") << "VJ" << "SELECT 1" << "SELECT COUNT(*) FROM V_MV_CPTEACCIONES WHERE TC = 'VJ'";
}

void TstDemoCompany::everyVoucherKindIsThereWithItsDocument()
{
    QFETCH(QString, tc);
    QFETCH(QString, documents);
    QFETCH(QString, details);
    SchemaTestDb db(m_demo);
    QVERIFY(db.count(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS WHERE TC = ?"), {tc}) > 0);
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS a WHERE a.TC = ? AND (%1) = 0").arg(documents),
                      {tc}),
             0);
    QVERIFY(db.count(details) > 0);
    QVERIFY(db.count(QStringLiteral("SELECT COUNT(*) FROM TA_COMPROBANTES WHERE CODIGO = ?"), {tc}) == 1);
}

void TstDemoCompany::receiptsAndPaymentsApplyTheirInvoices()
{
    SchemaTestDb db(m_demo);
    // Every application points at a voucher of the family the viewers look it up in.
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM MV_APLICACION m WHERE m.TC = 'CB' AND NOT EXISTS"
                                     " (SELECT 1 FROM V_MV_Cpte v WHERE v.TC = m.TCO_ORIGEN"
                                     " AND v.IDCOMPROBANTE = m.IDCOMPROBANTE_ORIGEN AND v.importe = m.IMPORTE)")),
             0);
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM MV_APLICACION m WHERE m.TC = 'PG' AND NOT EXISTS"
                                     " (SELECT 1 FROM C_MV_Cpte c WHERE c.TC = m.TCO_ORIGEN"
                                     " AND c.IDCOMPROBANTE = m.IDCOMPROBANTE_ORIGEN AND c.importe = m.IMPORTE)")),
             0);
    // A voucher's history names the entry of the voucher.
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM V_MV_CPTEACCIONES h WHERE NOT EXISTS (SELECT 1 FROM"
                                     " MV_ASIENTOS a WHERE a.TC = h.TC AND a.[NUMERO ASIENTO] = h.NUMEROASIENTO"
                                     " AND a.SUCURSAL || a.NUMERO || a.LETRA = h.IDCOMPROBANTE)")),
             0);
}

void TstDemoCompany::balancesAgreeWithTheJournal_data()
{
    QTest::addColumn<QString>("account");
    QTest::newRow("bank account") << kBank;
    QTest::newRow("heading account") << QString::fromLatin1(schema::kHeadingAccount);
    QTest::newRow("first level") << "2";
    QTest::newRow("income") << "4";
}

void TstDemoCompany::balancesAgreeWithTheJournal()
{
    QFETCH(QString, account);
    SchemaTestDb db(m_demo);
    const qint64 balance = db.count(QStringLiteral("SELECT CAST(ROUND(SUM(saldo) * 10000) AS INTEGER)"
                                                   " FROM ve_saldosctaAC WHERE cuenta = ?"),
                                    {account});
    QCOMPARE(balance, db.count(QString::fromLatin1(kJournalBalance), {account, account}));
    QVERIFY(balance != 0);
}

void TstDemoCompany::costCentreSharesAddUpToTheirLines()
{
    SchemaTestDb db(m_demo);
    QVERIFY(db.count(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOSCCOSTO")) > 0);
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM (SELECT a.IMPORTE - SUM(s.Importe) AS rest FROM"
                                     " MV_ASIENTOSCCOSTO s JOIN MV_ASIENTOS a ON a.PERIODO = s.PERIODO"
                                     " AND a.MES_OPERATIVO = s.MES_OPERATIVO AND a.[NUMERO ASIENTO] = s.[NUMERO ASIENTO]"
                                     " AND a.TIPO_REG = s.TIPO_REG AND a.CUENTA = s.Cuenta"
                                     " GROUP BY a.PERIODO, a.MES_OPERATIVO, a.[NUMERO ASIENTO], a.TIPO_REG, a.CUENTA)"
                                     " WHERE ABS(rest) > 0.00005")),
             0);
    QCOMPARE(db.count(QStringLiteral("SELECT CAST(ROUND(SUM(saldo) * 10000) AS INTEGER) FROM VE_SALDOSCTAAC_CCosto"
                                     " WHERE cuenta = '5'")),
             db.count(QStringLiteral("SELECT CAST(ROUND(SUM(Importe) * 10000) AS INTEGER) FROM MV_ASIENTOSCCOSTO")));
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM VT_Asientos_CCosto")),
             db.count(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOSCCOSTO")));
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM VT_ASIENTOS_CCOSTO1 WHERE CCosto NOT IN"
                                     " (SELECT codigo FROM TA_CCOSTO)")),
             0);
}

void TstDemoCompany::rebuildFollowsNewJournalLines()
{
    const QString file = m_dir.filePath(QStringLiteral("rebuild.db"));
    QString error;
    QVERIFY2(schema::CreateEmptyDatabase(file, &error), qPrintable(error));
    {
        SchemaTestDb db(file);
        QCOMPARE(db.exec(QStringLiteral("INSERT INTO MA_CUENTAS (Codigo, Descripcion, Titulo) VALUES"
                                        " ('1', 'ACTIVO', 1), ('11', 'ACTIVO CORRIENTE', 1),"
                                        " ('1101', 'Banco', 0), ('1102', 'Caja', 0)")),
                 QString());
        QCOMPARE(db.exec(QStringLiteral(
                     "INSERT INTO MV_ASIENTOS (CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], PERIODO, TIPO_REG,"
                     " FECHA, TC, SUCURSAL, NUMERO, LETRA, [DEBE-HABER], IMPORTE, UNEGOCIO) VALUES"
                     " ('1101', 1, 3, 1, 2026, 'N', '2026-03-05 00:00:00', 'AS', '0001', '00000001', 'X', 'D', 100.25, '0001'),"
                     " ('1102', 2, 3, 1, 2026, 'N', '2026-03-05 00:00:00', 'AS', '0001', '00000001', 'X', 'H', 100.25, '0001'),"
                     " ('1101', 1, 3, 2, 2026, 'N', '2026-03-06 00:00:00', 'AS', '0001', '00000002', 'X', 'H', 40, NULL),"
                     " ('1102', 2, 3, 2, 2026, 'N', '2026-03-06 00:00:00', 'AS', '0001', '00000002', 'X', 'D', 40, NULL)")),
                 QString());
    }
    QVERIFY2(schema::RebuildJournalViews(file, &error), qPrintable(error));
    SchemaTestDb db(file);
    const QString saldo = QStringLiteral("SELECT SUM(saldo) FROM ve_saldosctaAC WHERE cuenta = ?");
    QCOMPARE(db.scalar(saldo, {QStringLiteral("1101")}).toString(), QStringLiteral("60.25"));
    QCOMPARE(db.scalar(saldo, {QStringLiteral("1102")}).toString(), QStringLiteral("-60.25"));
    QCOMPARE(db.scalar(saldo, {QStringLiteral("11")}).toString(), QStringLiteral("0"));
    QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM ve_saldosctaAC WHERE cuenta = '1101' AND unidadnegocio IS NULL")),
             1);
    QVERIFY(!schema::RebuildJournalViews(m_dir.filePath(QStringLiteral("missing.db")), &error));
}

void TstDemoCompany::sameSeedGivesTheSameCompany()
{
    const QString again = m_dir.filePath(QStringLiteral("again.db"));
    const QString other = m_dir.filePath(QStringLiteral("other.db"));
    QString error;
    QVERIFY2(schema::CreateCompanyDatabase(again, schema::Options{}, &error), qPrintable(error));
    QVERIFY2(schema::CreateCompanyDatabase(other, schema::Options{0, 99}, &error), qPrintable(error));
    const QString digest = QStringLiteral("SELECT group_concat(CUENTA || [DEBE-HABER] || IMPORTE || NUMERO, ';')"
                                          " FROM MV_ASIENTOS");
    SchemaTestDb first(m_demo), second(again), third(other);
    QCOMPARE(second.scalar(digest), first.scalar(digest));
    QVERIFY(third.scalar(digest) != first.scalar(digest));
}

void TstDemoCompany::benchAccountHasTheAskedLinesPerSide()
{
    SchemaTestDb db(m_bench);
    const QString side = QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS WHERE CUENTA = ? AND [DEBE-HABER] = ?");
    QCOMPARE(db.count(side, {kBench, QStringLiteral("D")}), 1000);
    QCOMPARE(db.count(side, {kBench, QStringLiteral("H")}), 1000);
    QVERIFY(db.count(pairedDebits(kSameAmount), {kBench}) >= 800);
    QVERIFY(db.count(pairedDebits(kCentsApart), {kBench}) > 0);
    // The demo company is there as well; the small database has no bench lines.
    QVERIFY(db.count(side, {kBank, QStringLiteral("D")}) > 0);
    SchemaTestDb demo(m_demo);
    QCOMPARE(demo.count(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS WHERE CUENTA = ?"), {kBench}), 0);
}

void TstDemoCompany::commandLineCreatesAndRefuses()
{
    const QString program = qEnvironmentVariable("CONC_MAKEDB");
    if (program.isEmpty())
        QSKIP("CONC_MAKEDB names no program");
    const QString file = m_dir.filePath(QStringLiteral("cli.db"));
    QProcess make;
    make.start(program, {QStringLiteral("--lines"), QStringLiteral("10"), file});
    QVERIFY(make.waitForFinished(60000));
    QCOMPARE(make.exitCode(), 0);
    {
        SchemaTestDb db(file);
        QCOMPARE(db.count(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS WHERE CUENTA = ?"), {kBench}), 20);
    }
    const QByteArray before = [&] {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    make.start(program, {file});
    QVERIFY(make.waitForFinished(60000));
    QCOMPARE(make.exitCode(), 1);
    QVERIFY(make.readAllStandardError().contains("exists"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);

    make.start(program, {QStringLiteral("--lines"), QStringLiteral("many"), m_dir.filePath(QStringLiteral("bad.db"))});
    QVERIFY(make.waitForFinished(60000));
    QCOMPARE(make.exitCode(), 2);
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("bad.db"))));
}

QTEST_GUILESS_MAIN(TstDemoCompany)
#include "tst_schema_demo_company.moc"
