// A recordset's query on the embedded engine runs exactly one statement, and only one that reads: a filter
// carrying a second statement, or a text that writes, is refused with the text named and nothing changed.

#include "OpenSqlite.h"
#include "platform/ado/Recordset.h"

#include <QTest>

using namespace ado;

class TestAdoQueryReads : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<OpenSqlite> m_db;
    Connection* m_cn = nullptr;

    qint64 count()
    {
        return m_cn->QueryBound(QStringLiteral("SELECT COUNT(*) FROM CAB"), {}).rows.at(0).at(0).toLong();
    }

private slots:
    void init()
    {
        m_db = std::make_unique<OpenSqlite>();
        QVERIFY(m_db->file.ok());
        m_cn = &m_db->cn;
        m_cn->Execute(QStringLiteral("CREATE TABLE CAB (K INTEGER PRIMARY KEY, NOTA VARCHAR(20))\r\n"
                                     "INSERT CAB (K, NOTA) VALUES (1, 'uno')\r\n"
                                     "INSERT CAB (K, NOTA) VALUES (2, 'dos')"));
    }

    void cleanup() { m_db.reset(); }

    void refused_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("a filter with a second statement")
            << QStringLiteral("SELECT * FROM CAB WHERE 1=1; DELETE FROM CAB; --");
        QTest::newRow("a second statement on its own line") << QStringLiteral("SELECT * FROM CAB\r\nDELETE CAB");
        QTest::newRow("a write") << QStringLiteral("DELETE FROM CAB");
        QTest::newRow("a write that returns rows") << QStringLiteral("DELETE FROM CAB RETURNING K");
        QTest::newRow("an update") << QStringLiteral("UPDATE CAB SET NOTA = 'x'");
        QTest::newRow("a transaction") << QStringLiteral("BEGIN TRANSACTION");
        QTest::newRow("a table") << QStringLiteral("CREATE TABLE OTRA (A INT)");
        QTest::newRow("a setting") << QStringLiteral("PRAGMA user_version = 7");
        // The engine calls these reads: each returns a row and changes the connection.
        QTest::newRow("a lock kept") << QStringLiteral("PRAGMA locking_mode=EXCLUSIVE");
        QTest::newRow("a size cap") << QStringLiteral("PRAGMA max_page_count=3");
        QTest::newRow("no checkpoints") << QStringLiteral("  /* x */ PRAGMA wal_autocheckpoint=0");
        QTest::newRow("a memory cap set while prepared") << QStringLiteral("PRAGMA hard_heap_limit=1");
    }

    void refused()
    {
        QFETCH(QString, sql);
        Recordset rs;
        try {
            rs.Open(sql, m_cn);
            QFAIL("the text ran as a query");
        } catch (const Error& e) {
            QVERIFY2(e.Description.contains(sql.trimmed()), qPrintable(e.Description));
        }
        QCOMPARE(rs.State(), int(adStateClosed));
        QCOMPARE(m_cn->errors().Count(), 1);
        QVERIFY(!m_cn->InTransaction());
        QCOMPARE(count(), qint64(2));
        QCOMPARE(m_cn->QueryBound(QStringLiteral("PRAGMA user_version"), {}).rows.at(0).at(0).toLong(), qint64(0));
        QVERIFY(!m_cn->TableNames().contains(QStringLiteral("OTRA")));
    }

    void reads_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<qint64>("rows");
        QTest::newRow("plain") << QStringLiteral("SELECT * FROM CAB") << qint64(2);
        QTest::newRow("closing semicolon and blanks") << QStringLiteral("  SELECT * FROM CAB WHERE K = 1;  \r\n") << qint64(1);
        QTest::newRow("a comment after it") << QStringLiteral("SELECT * FROM CAB -- todas") << qint64(2);
        QTest::newRow("server dialect") << QStringLiteral("SELECT TOP 1 NOTA + '!' FROM CAB ORDER BY K") << qint64(1);
        QTest::newRow("with") << QStringLiteral("WITH X AS (SELECT K FROM CAB) SELECT * FROM X") << qint64(2);
        QTest::newRow("values") << QStringLiteral("VALUES (1)") << qint64(1);
        QTest::newRow("a semicolon in a literal") << QStringLiteral("SELECT * FROM CAB WHERE NOTA <> 'a; DELETE FROM CAB'")
                                                  << qint64(2);
    }

    void reads()
    {
        QFETCH(QString, sql);
        QFETCH(qint64, rows);
        Recordset rs;
        rs.Open(sql, m_cn);
        QCOMPARE(rs.RecordCount(), rows);
        QCOMPARE(count(), qint64(2));
    }
};

QTEST_GUILESS_MAIN(TestAdoQueryReads)
#include "tst_ado_query_reads.moc"
