// The ODBC road for real, through the SQLite3 ODBC driver standing in for SQL Server's: open from the
// program's text, a query into a recordset, an action statement with its row count, failures with their
// numbers. Skipped, saying why, when Qt's ODBC plugin or that driver is not installed.

#include "AdoErrorNumber.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QFile>
#include <QTest>

using namespace ado;

class TestAdoOdbc : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString textFor(const QString& file) const
    {
        return QStringLiteral("PROVIDER=SQLOLEDB;Server=localhost;Database =%1;UId=sa;Pwd=a;b}c;").arg(file);
    }

    // Empty when the road can run; otherwise why not.
    static QString missingPiece()
    {
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC")))
            return QStringLiteral("Qt's ODBC plugin (QODBC, Debian package libqt6sql6-odbc) is not installed");
        QProcess odbcinst;
        odbcinst.start(QStringLiteral("odbcinst"), {QStringLiteral("-q"), QStringLiteral("-d")});
        if (!odbcinst.waitForFinished(10000))
            return QStringLiteral("odbcinst (unixODBC) could not be run to list the ODBC drivers");
        if (!QString::fromLocal8Bit(odbcinst.readAllStandardOutput()).contains(QLatin1String("[SQLite3]")))
            return QStringLiteral("the SQLite3 ODBC driver is not installed: odbcinst -q -d lists no [SQLite3] "
                                  "(Debian package libsqliteodbc)");
        return QString();
    }

private slots:
    void initTestCase()
    {
        const QString why = missingPiece();
        if (!why.isEmpty())
            QSKIP(qPrintable(why));
        qputenv("CONCCUENTAS_ODBC_SQLSERVER", "SQLite3");
    }

    void openQueryActionAndErrors()
    {
        const QString file = m_dir.filePath(QStringLiteral("odbc.db"));
        Connection cn;
        cn.Open(textFor(file));
        QCOMPARE(cn.Kind(), BackendKind::SqlServer);
        QCOMPARE(cn.DefaultDatabase(), file);
        cn.setDefaultDatabase(file);   // the database the text named: nothing to switch
        cn.Execute(QStringLiteral("CREATE TABLE movs (k INTEGER PRIMARY KEY, cuenta VARCHAR(15), "
                                  "importe NUMERIC(18,4))"));
        cn.Execute(QStringLiteral("INSERT INTO movs VALUES (1, '1110', 0.1)"));
        cn.Execute(QStringLiteral("INSERT INTO movs VALUES (2, '1110', 0.2)"));
        cn.Execute(QStringLiteral("INSERT INTO movs VALUES (3, '2220', NULL)"));

        qint64 affected = 0;
        cn.Execute(QStringLiteral("UPDATE movs SET cuenta = '9999' WHERE k < 3"), &affected);
        QCOMPARE(affected, qint64(2));

        Recordset rs;
        rs.Open(QStringLiteral("SELECT k, cuenta, importe FROM movs ORDER BY k"), &cn);
        QCOMPARE(rs.RecordCount(), qint64(3));
        QCOMPARE(rs.Fields(QStringLiteral("CUENTA")).Value().toString(), QStringLiteral("9999"));
        QCOMPARE(rs.Fields(QStringLiteral("Cuenta")).DefinedSize(), 15);
        QCOMPARE(rs.Fields(QStringLiteral("k")).Value().toLong(), qint64(1));
        const Currency first = rs.Fields(QStringLiteral("importe")).Value().toCurrency();
        rs.MoveNext();
        QCOMPARE(first + rs.Fields(QStringLiteral("importe")).Value().toCurrency(), *Currency::parse("0.3"));
        rs.MoveLast();
        QVERIFY(rs.Fields(QStringLiteral("importe")).Value().isNull());
        QVERIFY(cn.TableNames().contains(QStringLiteral("movs")));

        QCOMPARE(AdoErrorNumber([&] { cn.Execute(QStringLiteral("INSERT INTO movs VALUES (1, 'dup', 0)")); }),
                 kErrIntegrity);
        QCOMPARE(cn.errors().Count(), 1);
        QVERIFY(!cn.errors().Item(0).SQLState.isEmpty());
        QCOMPARE(cn.errors().Item(0).NativeError, qint64(19));
        QVERIFY(cn.errors().Item(0).Source.contains(QLatin1String("SQLite3")));

        QCOMPARE(AdoErrorNumber([&] { rs.Open(QStringLiteral("SELECT * FROM no_table"), &cn); }),
                 kErrMissingObject);
        QCOMPARE(AdoErrorNumber([&] { cn.Execute(QStringLiteral("SELEC 1")); }), kErrSyntax);
        cn.Execute(QStringLiteral("DELETE FROM movs WHERE k = 3"));
        QCOMPARE(cn.errors().Count(), 0);
    }

    // A query is one statement that only reads; a statement with bound values runs again and again.
    void queriesOnlyReadAndBoundStatementsRepeat()
    {
        const QString file = m_dir.filePath(QStringLiteral("odbc-read.db"));
        Connection cn;
        cn.Open(textFor(file));
        cn.Execute(QStringLiteral("CREATE TABLE cab (k INTEGER PRIMARY KEY, nota VARCHAR(40))"));
        const QString insert = QStringLiteral("INSERT INTO cab (k, nota) VALUES (?, ?)");
        for (qint64 k = 1; k <= 3; ++k)
            QCOMPARE(cn.ExecuteBound(insert, {k, QStringLiteral("it's %1").arg(k)}), qint64(1));
        const RowSet read = cn.QueryBound(QStringLiteral("SELECT nota FROM cab WHERE k >= ? ORDER BY k"), {qint64(2)});
        QCOMPARE(read.rows.size(), 2);
        QCOMPARE(read.rows.at(0).at(0).toString(), QStringLiteral("it's 2"));

        Recordset rs;
        for (const char* sql : {"SELECT k FROM cab; DELETE FROM cab", "DELETE FROM cab", "1=1; DELETE FROM cab; --",
                                "SELECT k INTO copia FROM cab"}) {
            QVERIFY(AdoErrorNumber([&] { rs.Open(QString::fromLatin1(sql), &cn); }) != 0);
            QVERIFY2(cn.errors().Item(0).Description.contains(QString::fromLatin1(sql).trimmed()),
                     qPrintable(cn.errors().Item(0).Description));
        }
        rs.Open(QStringLiteral("SELECT COUNT(*) FROM cab"), &cn);
        QCOMPARE(rs.Fields(0).Value().toLong(), qint64(3));
    }

    // A server runs a batch without ";" too: any statement hidden in a read is refused and nothing runs.
    void hiddenStatementsInAReadAreRefused_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<bool>("read");
        QTest::newRow("truncate") << "SELECT k FROM cab WHERE 1=1 TRUNCATE TABLE cab" << false;
        QTest::newRow("exec()") << "SELECT k FROM cab EXEC('DELETE FROM cab')" << false;
        QTest::newRow("sp_executesql") << "SELECT k FROM cab EXECUTE sp_executesql N'DELETE FROM cab'" << false;
        QTest::newRow("with delete") << "WITH x AS (SELECT k FROM cab) DELETE FROM cab" << false;
        QTest::newRow("update in a subquery") << "SELECT k FROM cab WHERE k IN (SELECT 1 UPDATE cab SET nota='x')" << false;
        QTest::newRow("drop") << "SELECT 1 DROP TABLE cab" << false;
        QTest::newRow("into in a subquery") << "SELECT * FROM (SELECT k INTO copia FROM cab) t" << false;
        QTest::newRow("bulk insert") << "SELECT 1 BULK INSERT cab FROM '/tmp/x'" << false;
        QTest::newRow("backup") << "SELECT 1 BACKUP DATABASE d TO DISK='/tmp/d'" << false;
        QTest::newRow("openrowset") << "SELECT * FROM OPENROWSET('SQLNCLI', 'x', 'SELECT 1')" << false;
        QTest::newRow("shutdown") << "SELECT 1 SHUTDOWN" << false;
        QTest::newRow("keyword-like names") << "SELECT UPDATE_DATE, [DELETE], \"SET\" FROM cab" << true;
        QTest::newRow("keywords in texts") << "SELECT 'DELETE FROM cab; DROP' AS t FROM cab WHERE nota <> 'EXEC x'" << true;
        QTest::newRow("keywords in comments") << "SELECT k /* DROP TABLE cab */ FROM cab -- TRUNCATE" << true;
        QTest::newRow("with read") << "WITH x AS (SELECT k FROM cab) SELECT k FROM x" << true;
        QTest::newRow("nested comment") << "SELECT k FROM cab /* /* */ ' */ DELETE FROM cab --'" << false;
        QTest::newRow("comment ended by CR") << "SELECT k FROM cab --x\rDELETE FROM cab" << false;
        QTest::newRow("disable trigger") << "SELECT k FROM cab DISABLE TRIGGER ALL ON cab" << false;
        QTest::newRow("call escape") << "SELECT k FROM cab {call sp_x}" << false;
        QTest::newRow("glued to a binary literal") << "SELECT k FROM cab WHERE 0x=0xTRUNCATE TABLE cab" << false;
        QTest::newRow("glued to an exponent") << "SELECT k FROM cab WHERE 1=1eDELETE FROM cab" << false;
        QTest::newRow("go as a name") << "SELECT k AS go FROM cab" << true;
    }

    void hiddenStatementsInAReadAreRefused()
    {
        QFETCH(QString, sql);
        QFETCH(bool, read);
        const QString file = m_dir.filePath(QStringLiteral("odbc-hidden.db"));
        QFile::remove(file);
        Connection cn;
        cn.Open(textFor(file));
        cn.Execute(QStringLiteral("CREATE TABLE cab (k INTEGER PRIMARY KEY, nota VARCHAR(40), UPDATE_DATE VARCHAR(10), "
                                  "[DELETE] VARCHAR(5), [SET] VARCHAR(5))"));
        cn.Execute(QStringLiteral("INSERT INTO cab (k, nota) VALUES (1, 'uno')"));
        Recordset rs;
        const qint64 error = AdoErrorNumber([&] { rs.Open(sql, &cn); });
        QCOMPARE(error == 0, read);
        if (!read) {
            // What the operator is shown: the provider's general number and the text that was not run.
            QCOMPARE(error, kErrOther);
            QCOMPARE(cn.errors().Item(0).Description,
                     QStringLiteral("Una consulta es una sola sentencia que solo lee datos; no se ejecutó: ") + sql);
            QCOMPARE(cn.errors().Item(0).SQLState, QStringLiteral("42000"));
        }
        Recordset count;
        count.Open(QStringLiteral("SELECT COUNT(*) FROM cab WHERE nota = 'uno'"), &cn);
        QCOMPARE(count.Fields(0).Value().toLong(), qint64(1));
    }

    void addNewThroughOdbcBindsItsValues()
    {
        const QString file = m_dir.filePath(QStringLiteral("odbc-write.db"));
        Connection cn;
        cn.Open(textFor(file));
        cn.Execute(QStringLiteral("CREATE TABLE cfg (clave VARCHAR(50) PRIMARY KEY, valor VARCHAR(255))"));
        Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM cfg WHERE clave = 'K'"), &cn, adOpenDynamic, adLockOptimistic);
        rs.AddNew();
        rs.Fields(QStringLiteral("clave")).setValue(QStringLiteral("K"));
        rs.Fields(QStringLiteral("valor")).setValue(QStringLiteral("it's; {fine}"));
        rs.Update();
        rs.Open(QStringLiteral("SELECT * FROM cfg WHERE clave = 'K'"), &cn, adOpenDynamic, adLockOptimistic);
        rs.Fields(QStringLiteral("valor")).setValue(QStringLiteral("changed"));
        rs.Update();
        Recordset check;
        check.Open(QStringLiteral("SELECT valor FROM cfg"), &cn);
        QCOMPARE(check.RecordCount(), qint64(1));
        QCOMPARE(check.Fields(0).Value().toString(), QStringLiteral("changed"));
    }

    void unknownDriverIsAConnectionError()
    {
        qputenv("CONCCUENTAS_ODBC_SQLSERVER", "No Such Driver");
        Connection cn;
        QCOMPARE(AdoErrorNumber([&] { cn.Open(textFor(m_dir.filePath(QStringLiteral("x.db")))); }), kErrOther);
        qputenv("CONCCUENTAS_ODBC_SQLSERVER", "SQLite3");
        QCOMPARE(cn.State(), int(adStateClosed));
        QCOMPARE(cn.errors().Count(), 1);
        QCOMPARE(cn.errors().Item(0).SQLState, QStringLiteral("08001"));
    }
};

QTEST_GUILESS_MAIN(TestAdoOdbc)
#include "tst_ado_odbc.moc"
