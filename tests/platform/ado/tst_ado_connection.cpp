// The connection on the embedded engine: opening from the program's texts, statements and batches,
// transactions that span two Execute calls, the provider numbers of each kind of failure, and when the
// Errors list empties.

#include "AdoErrorNumber.h"
#include "OpenSqlite.h"
#include "OtherStation.h"
#include "SqliteFixture.h"
#include "platform/ado/Recordset.h"

#include <QTest>

using namespace ado;

class TestAdoConnection : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<OpenSqlite> m_db;
    SqliteFixture* m_file = nullptr;
    Connection* m_cn = nullptr;

    QString valueOf(int key)
    {
        Recordset rs;
        rs.Open(QStringLiteral("SELECT V FROM T WHERE K = %1").arg(key), m_cn);
        return rs.EOF() ? QStringLiteral("<none>") : rs.Fields(0).Value().toString();
    }

private slots:
    void init()
    {
        m_db = std::make_unique<OpenSqlite>();
        QVERIFY(m_db->file.ok());
        m_file = &m_db->file;
        m_cn = &m_db->cn;
        m_cn->Execute(QStringLiteral("CREATE TABLE T (K INTEGER PRIMARY KEY, V VARCHAR(20) NOT NULL "
                                     "CHECK (length(V) <= 8))\n"
                                     "INSERT T (K, V) VALUES (1, 'uno')\n"
                                     "INSERT T (K, V) VALUES (2, 'dos')"));
    }

    void cleanup() { m_db.reset(); }

    void opensFromTheProgramsText()
    {
        QCOMPARE(m_cn->State(), int(adStateOpen));
        QCOMPARE(m_cn->Kind(), BackendKind::Sqlite);
        QCOMPARE(m_cn->DefaultDatabase(), m_file->path());
        QCOMPARE(m_cn->ConnectionString(), m_file->connectionText());
        QVERIFY(m_cn->database().isOpen());
    }

    void semicolonInPasswordDoesNotBreakTheText()
    {
        Connection cn;
        cn.Open(m_file->connectionText(QStringLiteral("a;b;c")));
        QCOMPARE(cn.DefaultDatabase(), m_file->path());
        QCOMPARE(cn.TableNames(), QStringList{QStringLiteral("T")});
        Connection apart;
        apart.Open(m_file->connectionText(), QStringLiteral("sa"), QStringLiteral("x;Server=elsewhere"));
        QCOMPARE(apart.Kind(), BackendKind::Sqlite);
    }

    void missingFileIsAnErrorNotANewDatabase()
    {
        Connection cn;
        const QString text = QStringLiteral("PROVIDER=SQLOLEDB;Server=SQLITE;Database =%1;UId=;Pwd=;")
                                 .arg(m_file->path() + QStringLiteral(".missing"));
        QCOMPARE(AdoErrorNumber([&] { cn.Open(text); }), kErrOther);
        QCOMPARE(cn.State(), int(adStateClosed));
        QCOMPARE(cn.errors().Count(), 1);
        QCOMPARE(cn.errors().Item(0).SQLState, QStringLiteral("08001"));
        QVERIFY(!QFile::exists(m_file->path() + QStringLiteral(".missing")));
    }

    void openTwiceAndClosedUse()
    {
        QCOMPARE(AdoErrorNumber([&] { m_cn->Open(m_file->connectionText()); }), kErrObjectOpen);
        Connection closed;
        QCOMPARE(AdoErrorNumber([&] { closed.Execute(QStringLiteral("SELECT 1")); }), kErrConnectionUnusable);
        QCOMPARE(closed.errors().Count(), 1);
        m_cn->Close();
        QCOMPARE(m_cn->State(), int(adStateClosed));
        QVERIFY(!m_cn->database().isValid());
    }

    void errorNumbers_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<qint64>("number");
        QTest::addColumn<QString>("sqlState");
        QTest::addColumn<qint64>("native");
        QTest::newRow("duplicate key") << "INSERT T (K, V) VALUES (1, 'otro')" << kErrIntegrity << "23000"
                                       << qint64(1555);
        QTest::newRow("null into not null") << "UPDATE T SET V = NULL WHERE K = 1" << kErrIntegrity << "23000"
                                            << qint64(1299);
        QTest::newRow("missing table") << "SELECT * FROM NO_TABLE" << kErrMissingObject << "42S02" << qint64(1);
        QTest::newRow("missing table in a delete") << "DELETE NO_TABLE WHERE K = 1" << kErrMissingObject
                                                   << "42S02" << qint64(1);
        QTest::newRow("syntax") << "SELEC K FROM T" << kErrSyntax << "42000" << qint64(1);
        QTest::newRow("unknown column") << "UPDATE T SET NOPE = 1" << kErrSyntax << "42S22" << qint64(1);
        QTest::newRow("wrong number of values") << "INSERT INTO T VALUES (9)" << kErrSyntax << "42000"
                                                << qint64(1);
        QTest::newRow("text too long for its column") << "UPDATE T SET V = 'demasiado largo' WHERE K = 1"
                                                      << kErrOther << "22001" << qint64(8152);
        QTest::newRow("anything else") << "ROLLBACK TRANSACTION" << kErrOther << "HY000" << qint64(1);
    }

    void errorNumbers()
    {
        QFETCH(QString, sql);
        QFETCH(qint64, number);
        QFETCH(QString, sqlState);
        QFETCH(qint64, native);
        QCOMPARE(AdoErrorNumber([&] { m_cn->Execute(sql); }), number);
        QCOMPARE(m_cn->errors().Count(), 1);
        const Error& e = m_cn->errors().Item(0);
        QCOMPARE(e.Number, number);
        QCOMPARE(e.SQLState, sqlState);
        QCOMPARE(e.NativeError, native);
        QCOMPARE(e.Source, QStringLiteral("SQLite"));
        QVERIFY(!e.Description.isEmpty());
        QCOMPARE(QString::fromStdString(e.what()), e.Description);
        QCOMPARE(valueOf(1), QStringLiteral("uno"));
    }

    void errorsEmptyAtEveryCallAndOnClear()
    {
        QVERIFY(AdoErrorNumber([&] { m_cn->Execute(QStringLiteral("SELECT * FROM NO_TABLE")); }) != 0);
        QCOMPARE(m_cn->errors().Count(), 1);
        m_cn->errors().Clear();
        QCOMPARE(m_cn->errors().Count(), 0);

        QVERIFY(AdoErrorNumber([&] { m_cn->Execute(QStringLiteral("SELECT * FROM NO_TABLE")); }) != 0);
        m_cn->Execute(QStringLiteral("UPDATE T SET V = 'x' WHERE K = 1"));
        QCOMPARE(m_cn->errors().Count(), 0);   // a statement that succeeds leaves no stale error behind

        QVERIFY(AdoErrorNumber([&] { m_cn->Execute(QStringLiteral("SELECT * FROM NO_TABLE")); }) != 0);
        Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM T"), m_cn);
        QCOMPARE(m_cn->errors().Count(), 0);
    }

    void recordsAffected()
    {
        qint64 n = 99;
        m_cn->Execute(QStringLiteral("UPDATE T SET V = V + 'x'"), &n);
        QCOMPARE(n, qint64(2));
        m_cn->Execute(QStringLiteral("DELETE T WHERE K = 2\r\nSELECT * FROM T"), &n);
        QCOMPARE(n, qint64(1));
        m_cn->Execute(QStringLiteral("SELECT * FROM T"), &n);
        QCOMPARE(n, qint64(-1));
        QCOMPARE(valueOf(1), QStringLiteral("unox"));
    }

    // Inserts of literals run through a prepared shape: the table gets what the literal texts would give,
    // type for type.
    void literalInsertsStoreWhatTheTextSays()
    {
        const char* table = "CREATE TABLE L (A, B INTEGER, C TEXT, D NUMERIC(18,4), E REAL)";
        m_cn->Execute(QString::fromLatin1(table));
        const QStringList inserts{
            QStringLiteral("INSERT INTO L VALUES (1, '2', 3, '4.50', 5)"),
            QStringLiteral("INSERT INTO L VALUES ('x', 'y', 'z', 'w', 'v')"),
            QStringLiteral("INSERT INTO L VALUES (-9, -9, -9, -9, -9)"),
            QStringLiteral("INSERT INTO L VALUES ('0012', '0012', '0012', '0012', '0012')"),
            QStringLiteral("INSERT INTO L VALUES (1.25, 1.25, 1.25, 1.25, 1.25)"),
            QStringLiteral("INSERT INTO L VALUES ('', NULL, 'it''s', ' 7 ', '1e3')"),
            QStringLiteral("INSERT INTO L VALUES (9223372036854775807, 0, '', 0, 0), (2, 2, 2, 2, 2)"),
        };
        for (const QString& sql : inserts)
            m_cn->Execute(sql);
        // The same texts on the bare engine, into a twin table.
        OtherStation bare(m_file->path());
        QCOMPARE(bare.exec("CREATE TABLE L2 (A, B INTEGER, C TEXT, D NUMERIC(18,4), E REAL)"), SQLITE_OK);
        for (QString sql : inserts)
            QCOMPARE(bare.exec(sql.replace(QLatin1String("INTO L "), QLatin1String("INTO L2 ")).toUtf8().constData()), SQLITE_OK);
        const auto rows = [&](const char* t) {
            QStringList out;
            const QString sql = QStringLiteral("SELECT typeof(A)||quote(A)||typeof(B)||quote(B)||typeof(C)||quote(C)||"
                                               "typeof(D)||quote(D)||typeof(E)||quote(E) FROM %1 ORDER BY rowid")
                                    .arg(QLatin1String(t));
            for (const auto& row : m_cn->Query(sql).rows)
                out << row.at(0).toString();
            return out;
        };
        QCOMPARE(rows("L").size(), 8);
        QCOMPARE(rows("L"), rows("L2"));
    }

    void batchTransactionSpansTwoExecuteCalls()
    {
        m_cn->Execute(QStringLiteral("BEGIN TRANSACTION\r\nUPDATE T SET V = 'uno!' WHERE K = 1\r\n"
                                     "DELETE T WHERE K = 2\r\n"));
        QVERIFY(m_cn->InTransaction());
        QCOMPARE(m_cn->errors().Count(), 0);
        m_cn->Execute(QStringLiteral("COMMIT TRANSACTION"));
        QVERIFY(!m_cn->InTransaction());
        QCOMPARE(valueOf(1), QStringLiteral("uno!"));
        QCOMPARE(valueOf(2), QStringLiteral("<none>"));
    }

    void failingStatementInABatchLeavesTheTransactionForRollback()
    {
        QCOMPARE(AdoErrorNumber([&] {
                     m_cn->Execute(QStringLiteral("BEGIN TRANSACTION\r\nUPDATE T SET V = 'cambiado' WHERE K = 1\r\n"
                                                  "INSERT T (K, V) VALUES (1, 'dup')\r\n"
                                                  "UPDATE T SET V = 'despues' WHERE K = 2"));
                 }),
                 kErrIntegrity);
        QCOMPARE(m_cn->errors().Count(), 1);
        QVERIFY(m_cn->InTransaction());
        m_cn->Execute(QStringLiteral("ROLLBACK TRANSACTION"));
        QCOMPARE(m_cn->errors().Count(), 0);
        QVERIFY(!m_cn->InTransaction());
        QCOMPARE(valueOf(1), QStringLiteral("uno"));
        QCOMPARE(valueOf(2), QStringLiteral("dos"));
    }

    void transactionCalls()
    {
        m_cn->IsolationLevel = 256;
        m_cn->BeginTrans();
        QVERIFY(m_cn->InTransaction());
        m_cn->Execute(QStringLiteral("INSERT T (K, V) VALUES (3, 'tres')"));
        m_cn->RollbackTrans();
        QCOMPARE(valueOf(3), QStringLiteral("<none>"));
        m_cn->BeginTrans();
        m_cn->Execute(QStringLiteral("INSERT T (K, V) VALUES (3, 'tres')"));
        m_cn->CommitTrans();
        QCOMPARE(valueOf(3), QStringLiteral("tres"));
        QVERIFY(AdoErrorNumber([&] { m_cn->CommitTrans(); }) != 0);
        QCOMPARE(m_cn->errors().Count(), 1);
    }

    void statementLogSeesTheRewrittenTexts()
    {
        QStringList sent;
        m_cn->setStatementLog([&sent](const QString& sql) { sent << sql; });
        Recordset rs;
        rs.Open(QStringLiteral("SELECT TOP 1 V FROM T ORDER BY K"), m_cn);
        QCOMPARE(rs.Fields(0).Value().toString(), QStringLiteral("uno"));
        m_cn->Execute(QStringLiteral("DELETE T WHERE K = 1\r\nDELETE T WHERE K = 2"));
        QCOMPARE(sent.size(), 3);
        QVERIFY2(sent.at(0).contains(QLatin1String("LIMIT 1"), Qt::CaseInsensitive), qPrintable(sent.at(0)));
        QVERIFY2(sent.at(1).contains(QLatin1String("FROM"), Qt::CaseInsensitive), qPrintable(sent.at(1)));
    }

    void schemaLists()
    {
        m_cn->Execute(QStringLiteral("CREATE VIEW SS_T AS SELECT * FROM T"));
        const QStringList tables = m_cn->TableNames();
        QVERIFY(tables.contains(QStringLiteral("T")));
        QVERIFY(tables.contains(QStringLiteral("SS_T")));
        QCOMPARE(m_cn->ColumnNames(QStringLiteral("t")), (QStringList{QStringLiteral("K"), QStringLiteral("V")}));
        QCOMPARE(m_cn->ColumnNames(QStringLiteral("ss_t")).size(), 2);
        QVERIFY(m_cn->ColumnNames(QStringLiteral("NO_TABLE")).isEmpty());
        QCOMPARE(m_cn->PrimaryKey(QStringLiteral("T")), QStringList{QStringLiteral("K")});
    }
};

QTEST_GUILESS_MAIN(TestAdoConnection)
#include "tst_ado_connection.moc"
