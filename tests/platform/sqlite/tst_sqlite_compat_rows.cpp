// The program's statements run unchanged on a small company file and give the rows the suite's server
// would give.

#include "platform/sqlite/TsqlCompat.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

namespace {

const char kSchema[] = R"(
CREATE TABLE MA_CUENTAS (Codigo TEXT COLLATE TSQLTEXT PRIMARY KEY, Descripcion TEXT COLLATE TSQLTEXT,
                         Titulo INTEGER);
CREATE TABLE MV_ASIENTOS (ID INTEGER PRIMARY KEY, CUENTA TEXT COLLATE TSQLTEXT, FECHA DATETIME COLLATE TSQLDATE,
                          TC TEXT COLLATE TSQLTEXT, LETRA TEXT COLLATE TSQLTEXT, IMPORTE DECIMAL(19,4),
                          [DEBE-HABER] TEXT COLLATE TSQLTEXT, [NUMERO ASIENTO] INTEGER,
                          UNEGOCIO TEXT COLLATE TSQLTEXT);
CREATE VIEW ve_saldosctaAC AS SELECT CUENTA AS cuenta, FECHA AS fecha, IMPORTE AS saldo,
                                     UNEGOCIO AS unidadnegocio FROM MV_ASIENTOS;
CREATE TABLE VT_TA_CPTE (CODIGO TEXT COLLATE TSQLTEXT, DESCRIPCION TEXT COLLATE TSQLTEXT);
CREATE TABLE V_MV_CPTE (TC TEXT COLLATE TSQLTEXT, IDCOMPROBANTE TEXT COLLATE TSQLTEXT, IMPORTE DECIMAL(19,4));
CREATE TABLE MV_APLICACION (TC TEXT COLLATE TSQLTEXT, TCO_ORIGEN TEXT COLLATE TSQLTEXT,
                            IDCOMPROBANTE_ORIGEN TEXT COLLATE TSQLTEXT, IMPORTE DECIMAL(19,4));
CREATE TABLE MV_CONCILIACION (ID INTEGER PRIMARY KEY AUTOINCREMENT, IDCONCILIACION INTEGER,
                              CONCEPTO TEXT COLLATE TSQLTEXT, FINALIZADA INTEGER);
INSERT INTO MA_CUENTAS VALUES ('11', 'Activo', 1), ('1101', 'Caja', 0), ('1102', 'Bancos', 0),
                              ('2101', 'Ñandú SA', 0);
INSERT INTO MV_ASIENTOS VALUES
  (1, '1101', '2026-02-28 00:00:00', 'FC', 'A', 100, 'D', 1, '01'),
  (2, '1101', '2026-03-01 00:00:00', 'FC', 'A', 200, 'D', 2, '01'),
  (3, '1101', '2026-03-15 10:30:00', 'RC', 'B', 400, 'H', 3, '02'),
  (4, '1101', '2026-04-01 00:00:00', 'FC', 'A', 800, 'D', 4, '01'),
  (5, '1101', NULL, 'FC', 'A', 1600, 'D', 5, '01'),
  (6, '1102', '2026-03-31 23:59:00', 'FC', 'A', 3200, 'D', 6, '01'),
  (7, '2101', '2026-03-10 00:00:00', 'ND', 'A', 6400, 'H', 7, '02'),
  (8, '1103', '05/03/2026', 'fc  ', 'A', 12800, 'D', 8, '01');
INSERT INTO VT_TA_CPTE VALUES ('FC', 'Factura'), ('ND', 'Nota de débito');
INSERT INTO V_MV_CPTE VALUES ('FC', '0001000000012', 500);
INSERT INTO MV_APLICACION VALUES ('RC', 'FC  ', '0001000000012', 300);
INSERT INTO MV_CONCILIACION (IDCONCILIACION, CONCEPTO, FINALIZADA) VALUES (12, 'uno', 0), (12, 'dos', 0);
)";

QString cellText(const QVariant& v)
{
    return v.isNull() ? QStringLiteral("NULL") : v.toString();
}

// Runs a batch as the program's connection does: split, rewrite, one statement at a time, stopping at
// the first failure. Returns the rows of the last statement that gave any, as "a|b" lines.
QStringList run(QSqlDatabase& db, const QString& batch, QString* error = nullptr)
{
    QStringList rows;
    for (const QString& statement : sqlcompat::SplitBatch(batch)) {
        QSqlQuery q(db);
        if (!q.exec(sqlcompat::Rewrite(statement))) {
            if (error)
                *error = q.lastError().text();
            return rows;
        }
        if (!q.isSelect())
            continue;
        rows.clear();
        while (q.next()) {
            QStringList cells;
            for (int i = 0; i < q.record().count(); ++i)
                cells << cellText(q.value(i));
            rows << cells.join(QLatin1Char('|'));
        }
    }
    return rows;
}

} // namespace

class TstSqliteCompatRows : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void query_data();
    void query();
    void write_data();
    void write();
    void transactionCommittedByLaterExecute();
    void transactionRolledBackAfterFailure_data();
    void transactionRolledBackAfterFailure();
    void openReportsFailure_data();
    void openReportsFailure();

private:
    QSqlDatabase openSecond();

    std::unique_ptr<QTemporaryDir> m_dir;
    QSqlDatabase m_db;
};

void TstSqliteCompatRows::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QString error;
    m_db = sqlcompat::Open(m_dir->filePath(QStringLiteral("empresa.db")), QStringLiteral("rows"), &error);
    QVERIFY2(m_db.isOpen(), qPrintable(error));
    QString failure;
    run(m_db, QString::fromUtf8(kSchema), &failure);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

void TstSqliteCompatRows::cleanup()
{
    m_db.close();
    m_db = QSqlDatabase();
    for (const QString& name : QSqlDatabase::connectionNames())
        QSqlDatabase::removeDatabase(name);
    m_dir.reset();
}

QSqlDatabase TstSqliteCompatRows::openSecond()
{
    QString error;
    QSqlDatabase other = sqlcompat::Open(m_dir->filePath(QStringLiteral("empresa.db")), QStringLiteral("other"), &error);
    if (!other.isOpen())
        qWarning() << error;
    return other;
}

void TstSqliteCompatRows::query_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("TOP 1 with ORDER BY")
        << "SELECT TOP 1 Codigo FROM MA_CUENTAS ORDER BY Codigo DESC" << QStringList{"2101"};
    QTest::newRow("TOP 1 with two blanks")
        << "SELECT TOP 1  * FROM MA_CUENTAS WHERE LTRIM(RTRIM(Codigo)) ='1102'" << QStringList{"1102|Bancos|0"};
    QTest::newRow("trimmed text compared without regard to case")
        << "SELECT Codigo FROM MA_CUENTAS WHERE LTRIM(RTRIM(Descripcion)) = 'BANCOS'" << QStringList{"1102"};
    QTest::newRow("lower-case top")
        << "select top 1 Descripcion from MA_CUENTAS where Titulo = 0 order by Codigo" << QStringList{"Caja"};

    QTest::newRow("isnull over no rows")
        << "Select isnull(Sum(Saldo), 0) As Saldo From VE_SALDOSCTAAC where cuenta ='9999'" << QStringList{"0"};
    QTest::newRow("number glued to and, len")
        << "Select cuenta, isnull(sum(saldo),0) as Saldo From ve_saldosctaAC where  len(cuenta)<=6and( "
           "unidadnegocio  = '02' ) group by cuenta order by cuenta"
        << QStringList{"1101|400", "2101|6400"};
    QTest::newRow("len ignores trailing blanks")
        << "SELECT len('ab  '), len(NULL), len(Descripcion), len(12) FROM MA_CUENTAS WHERE Codigo = '2101'"
        << QStringList{"2|NULL|8|2"};

    QTest::newRow("text plus text")
        << "SELECT CODIGO + '     ' AS CODIGO, DESCRIPCION FROM VT_TA_CPTE ORDER BY CODIGO"
        << QStringList{"FC     |Factura", "ND     |Nota de débito"};
    QTest::newRow("numbers plus numbers") << "SELECT IMPORTE + IMPORTE FROM MV_ASIENTOS WHERE ID = 1"
                                          << QStringList{"200"};

    // Day/month/year literals against ISO dates, through a view; NULL dates always count (5.105 shape).
    QTest::newRow("date range as dd/mm/yyyy")
        << "Select sum(isnull(saldo,0)) as Saldo from ve_saldosctaAC where cuenta like '1101%' and len(cuenta)=4"
           " and(unidadnegocio='01' or unidadnegocio='02') and (fecha<='31/03/2026' or Fecha is null)"
           " and (fecha>='01/03/2026' or Fecha is null)"
        << QStringList{"2200"};
    QTest::newRow("date literal on the left")
        << "SELECT sum(IMPORTE) FROM MV_ASIENTOS WHERE CUENTA = '1101' AND '31/03/2026' >= FECHA AND "
           "'01/03/2026' <= FECHA"
        << QStringList{"600"};
    QTest::newRow("between, a later hour of the last day excluded")
        << "SELECT ID FROM MV_ASIENTOS WHERE FECHA BETWEEN '01/03/2026' AND '31/03/2026' ORDER BY ID"
        << QStringList{"2", "3", "7", "8"};
    QTest::newRow("date order with a day/month/year value stored")
        << "SELECT ID FROM MV_ASIENTOS WHERE fecha >= '01/03/2026' and fecha < '01/04/2026' ORDER BY fecha DESC"
        << QStringList{"6", "3", "7", "8", "2"};
    QTest::newRow("date equality") << "SELECT ID FROM MV_ASIENTOS WHERE FECHA = '5/3/26'" << QStringList{"8"};

    QTest::newRow("padded keys") << "SELECT ID FROM MV_ASIENTOS WHERE TC='FC  ' AND LETRA='A   ' AND CUENTA = '1102'"
                                 << QStringList{"6"};
    QTest::newRow("keys without regard to case")
        << "SELECT Codigo FROM MA_CUENTAS WHERE Descripcion = 'caja' OR Descripcion = 'ÑANDÚ sa   ' ORDER BY Codigo"
        << QStringList{"1101", "2101"};
    QTest::newRow("accents still count") << "SELECT Codigo FROM MA_CUENTAS WHERE Descripcion = 'Nandu SA'"
                                         << QStringList{};
    QTest::newRow("distinct follows the collation") << "SELECT count(DISTINCT TC) FROM MV_ASIENTOS"
                                                     << QStringList{"3"};
    QTest::newRow("in subquery follows the collation")
        << "SELECT Codigo FROM MA_CUENTAS WHERE Codigo IN (SELECT CUENTA + '  ' FROM MV_ASIENTOS WHERE TC = 'nd')"
        << QStringList{"2101"};
    QTest::newRow("like folds Spanish letters") << "SELECT Codigo FROM MA_CUENTAS WHERE Descripcion like 'ñan%'"
                                                << QStringList{"2101"};
    QTest::newRow("bracketed names")
        << "SELECT [NUMERO ASIENTO] FROM MV_ASIENTOS WHERE MV_ASIENTOS.[debe-haber] = 'h' ORDER BY [numero asiento]"
        << QStringList{"3", "7"};

    // SQLite 3.40 with an automatic index returns no row here.
    QTest::newRow("join over collated columns")
        << "SELECT V_MV_CPTE.IMPORTE, MV_APLICACION.IMPORTE AS APLICADO from MV_APLICACION, V_MV_CPTE WHERE "
           "MV_APLICACION.TCO_ORIGEN=V_MV_CPTE.TC AND MV_APLICACION.IDCOMPROBANTE_ORIGEN=V_MV_CPTE.IDCOMPROBANTE "
           "AND MV_APLICACION.TC='RC'"
        << QStringList{"500|300"};
}

void TstSqliteCompatRows::query()
{
    QFETCH(QString, sql);
    QFETCH(QStringList, expected);
    QString error;
    const QStringList rows = run(m_db, sql, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(rows, expected);
}

void TstSqliteCompatRows::write_data()
{
    QTest::addColumn<QString>("batch");
    QTest::addColumn<QString>("check");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("DELETE without FROM")
        << "DELETE MV_CONCILIACION WHERE ID = 1\r\n" << "SELECT ID FROM MV_CONCILIACION" << QStringList{"2"};
    QTest::newRow("INSERT without INTO, padded number into a number column")
        << "INSERT MV_CONCILIACION (IDCONCILIACION,CONCEPTO,FINALIZADA) VALUES('13             ','tres',0)"
        << "SELECT MAX(ID) as id, IDCONCILIACION FROM MV_CONCILIACION WHERE IDCONCILIACION = '13             '"
        << QStringList{"3|13"};
    QTest::newRow("quote inside a literal that holds keywords")
        << "INSERT MV_CONCILIACION (IDCONCILIACION,CONCEPTO,FINALIZADA) "
           "VALUES(14,'it''s SELECT TOP 5 + x; DELETE MV_CONCILIACION WHERE 6and [a]',0)"
        << "SELECT CONCEPTO, (SELECT count(*) FROM MV_CONCILIACION) FROM MV_CONCILIACION WHERE IDCONCILIACION = 14"
        << QStringList{"it's SELECT TOP 5 + x; DELETE MV_CONCILIACION WHERE 6and [a]|3"};
    QTest::newRow("statements on separate lines")
        << "UPDATE MV_CONCILIACION SET FINALIZADA = 1 WHERE ID = 1\r\nDELETE MV_CONCILIACION WHERE ID = 2\r\n"
        << "SELECT ID, FINALIZADA FROM MV_CONCILIACION" << QStringList{"1|1"};
}

void TstSqliteCompatRows::write()
{
    QFETCH(QString, batch);
    QFETCH(QString, check);
    QFETCH(QStringList, expected);
    QString error;
    run(m_db, batch, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(run(m_db, check), expected);
}

void TstSqliteCompatRows::transactionCommittedByLaterExecute()
{
    const QString batch = QStringLiteral("BEGIN TRANSACTION\r\nDELETE MV_CONCILIACION WHERE ID = 1\r\n"
                                         "UPDATE MV_CONCILIACION SET FINALIZADA = 1 WHERE ID = 2\r\n");
    const QString check = QStringLiteral("SELECT ID, FINALIZADA FROM MV_CONCILIACION ORDER BY ID");
    QString error;
    run(m_db, batch, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));

    // Another station still sees the rows as they were: the transaction is open across calls.
    QSqlDatabase other = openSecond();
    QVERIFY(other.isOpen());
    QCOMPARE(run(other, check), (QStringList{"1|0", "2|0"}));

    run(m_db, QStringLiteral("COMMIT TRANSACTION"), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(run(other, check), QStringList{"2|1"});
    QCOMPARE(run(m_db, check), QStringList{"2|1"});
}

void TstSqliteCompatRows::transactionRolledBackAfterFailure_data()
{
    QTest::addColumn<QString>("failing");
    QTest::newRow("empty identifier") << "DELETE MV_CONCILIACION WHERE ID = ";
    QTest::newRow("unknown column") << "UPDATE MV_CONCILIACION SET NOCOLUMN = 1 WHERE ID = 2";
}

void TstSqliteCompatRows::transactionRolledBackAfterFailure()
{
    QFETCH(QString, failing);
    const QString batch = QStringLiteral("BEGIN TRANSACTION\r\nUPDATE MV_CONCILIACION SET FINALIZADA = 1 WHERE ID = 1\r\n")
                          + failing + QStringLiteral("\r\nDELETE MV_CONCILIACION WHERE ID = 2\r\n");
    QString error;
    run(m_db, batch, &error);
    QVERIFY(!error.isEmpty());

    run(m_db, QStringLiteral("ROLLBACK TRANSACTION"), &error);
    const QString check = QStringLiteral("SELECT ID, FINALIZADA FROM MV_CONCILIACION ORDER BY ID");
    QCOMPARE(run(m_db, check), (QStringList{"1|0", "2|0"}));
    // Nothing is left open: another connection can write at once.
    QSqlDatabase other = openSecond();
    error.clear();
    run(other, QStringLiteral("DELETE MV_CONCILIACION WHERE ID = 2"), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(run(m_db, check), QStringList{"1|0"});
}

void TstSqliteCompatRows::openReportsFailure_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("missing folder") << "missing/folder/empresa.db" << QByteArray();
    QTest::newRow("not a database") << "notes.db" << QByteArray("these are notes, not a database\n").repeated(200);
}

void TstSqliteCompatRows::openReportsFailure()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    const QString path = m_dir->filePath(file);
    if (!content.isEmpty()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QString error;
    const QSqlDatabase db = sqlcompat::Open(path, QStringLiteral("bad"), &error);
    QVERIFY(!db.isOpen());
    QVERIFY(error.contains(path));
    QVERIFY(!QSqlDatabase::contains(QStringLiteral("bad")));
}

QTEST_GUILESS_MAIN(TstSqliteCompatRows)
#include "tst_sqlite_compat_rows.moc"
