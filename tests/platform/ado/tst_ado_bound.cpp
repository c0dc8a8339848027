// Statements with bound values on the embedded engine: values reach the table exactly as given, a text
// run many times (also after it left the connection's cache) keeps giving the right rows, a text that holds
// two statements or the wrong number of values is refused before anything runs, and a transaction takes
// the write lock when it begins.

#include "AdoErrorNumber.h"
#include "OpenSqlite.h"
#include "OtherStation.h"
#include "platform/ado/Recordset.h"
#include "platform/sqlite/TsqlCompat.h"

#include <QTest>

using namespace ado;

class TestAdoBound : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<OpenSqlite> m_db;
    Connection* m_cn = nullptr;

    QString valueOf(qint64 key)
    {
        const RowSet rows = m_cn->QueryBound(QStringLiteral("SELECT V FROM T WHERE K = ?"), {key});
        return rows.rows.isEmpty() ? QStringLiteral("<none>") : rows.rows.at(0).at(0).toString();
    }

    qint64 count()
    {
        return m_cn->QueryBound(QStringLiteral("SELECT COUNT(*) FROM T"), {}).rows.at(0).at(0).toLong();
    }

private slots:
    void init()
    {
        m_db = std::make_unique<OpenSqlite>();
        QVERIFY(m_db->file.ok());
        m_cn = &m_db->cn;
        m_cn->Execute(QStringLiteral("CREATE TABLE T (K INTEGER PRIMARY KEY, V VARCHAR(200), "
                                     "IMPORTE MONEY, FECHA DATETIME)"));
    }

    void cleanup() { m_db.reset(); }

    void valuesArriveAsGiven_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("quote") << QStringLiteral("O'Brien");
        QTest::newRow("statement") << QStringLiteral("x'); DELETE FROM T; --");
        QTest::newRow("brackets and marks") << QStringLiteral("[a] ? \"b\" + 'c'");
        QTest::newRow("empty") << QString();
        QTest::newRow("accents") << QStringLiteral("Peña €");
    }

    void valuesArriveAsGiven()
    {
        QFETCH(QString, value);
        QCOMPARE(m_cn->ExecuteBound(QStringLiteral("INSERT INTO T (K, V) VALUES (?, ?)"), {qint64(1), value}),
                 qint64(1));
        m_cn->ExecuteBound(QStringLiteral("INSERT INTO T (K, V) VALUES (?, ?)"), {qint64(2), QStringLiteral("otra")});
        QCOMPARE(valueOf(1), value);
        QCOMPARE(m_cn->ExecuteBound(QStringLiteral("UPDATE T SET V = ? WHERE V = ?"), {QStringLiteral("nueva"), value}),
                 qint64(1));
        QCOMPARE(valueOf(1), QStringLiteral("nueva"));
        QCOMPARE(valueOf(2), QStringLiteral("otra"));
    }

    void typedValuesComeBackTyped()
    {
        const QDateTime day(QDate(2024, 2, 29), QTime(0, 0), Qt::UTC);
        m_cn->ExecuteBound(QStringLiteral("INSERT INTO T (K, IMPORTE, FECHA) VALUES (?, ?, ?)"),
                           {qint64(7), Currency::fromScaled(123456789), day});
        const RowSet rows =
            m_cn->QueryBound(QStringLiteral("SELECT IMPORTE, FECHA FROM T WHERE IMPORTE = ?"), {Currency::fromScaled(123456789)});
        QCOMPARE(rows.rows.size(), 1);
        QCOMPARE(rows.rows.at(0).at(0).type(), VarType::Currency);
        QCOMPARE(rows.rows.at(0).at(0).toCurrency().scaled(), qint64(123456789));
        QCOMPARE(rows.rows.at(0).at(1).type(), VarType::Date);
        QCOMPARE(rows.rows.at(0).at(1).toDate().date(), day.date());
    }

    void serverDialectIsAcceptedInABoundText()
    {
        m_cn->ExecuteBound(QStringLiteral("INSERT T (K, V) VALUES (?, ?)"), {qint64(1), Variant::Null()});
        m_cn->ExecuteBound(QStringLiteral("UPDATE T SET V = ISNULL(V, ?) + '!' WHERE K = ?"),
                           {QStringLiteral("vacio"), qint64(1)});
        QCOMPARE(valueOf(1), QStringLiteral("vacio!"));
    }

    void aTextRunManyTimesAndAfterLeavingTheCacheKeepsItsRows()
    {
        m_cn->BeginTrans();
        for (qint64 k = 1; k <= 200; ++k) {
            m_cn->ExecuteBound(QStringLiteral("INSERT INTO T (K, V) VALUES (?, ?)"), {k, QString::number(k * 3)});
            // Other texts in between push it out of the cache now and then.
            if (k % 50 == 0) {
                for (int other = 0; other < 20; ++other)
                    m_cn->QueryBound(QStringLiteral("SELECT %1 FROM T WHERE K = ?").arg(other), {k});
            }
        }
        m_cn->CommitTrans();
        QCOMPARE(count(), qint64(200));
        for (qint64 k : {1, 50, 51, 199, 200})
            QCOMPARE(valueOf(k), QString::number(k * 3));
        QCOMPARE(m_cn->ExecuteBound(QStringLiteral("DELETE FROM T WHERE K > ?"), {qint64(100)}), qint64(100));
        QCOMPARE(count(), qint64(100));
    }

    void secondStatementIsRefusedBeforeAnythingRuns_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("after a semicolon") << QStringLiteral("INSERT INTO T (K, V) VALUES (?, 'a'); DELETE FROM T");
        QTest::newRow("on its own line") << QStringLiteral("INSERT INTO T (K, V) VALUES (?, 'a');\r\nDELETE FROM T;");
    }

    void secondStatementIsRefusedBeforeAnythingRuns()
    {
        QFETCH(QString, sql);
        m_cn->Execute(QStringLiteral("INSERT INTO T (K, V) VALUES (50, 'queda')"));
        try {
            m_cn->ExecuteBound(sql, {qint64(1)});
            QFAIL("a text with two statements ran");
        } catch (const Error& e) {
            QVERIFY2(e.Description.contains(QLatin1String("DELETE FROM T")), qPrintable(e.Description));
        }
        QCOMPARE(m_cn->errors().Count(), 1);
        QCOMPARE(count(), qint64(1));
        QCOMPARE(valueOf(50), QStringLiteral("queda"));
    }

    void aTrailingCommentIsNoSecondStatement()
    {
        m_cn->ExecuteBound(QStringLiteral("INSERT INTO T (K, V) VALUES (?, ?); -- one line"), {qint64(4), QStringLiteral("x")});
        QCOMPARE(valueOf(4), QStringLiteral("x"));
    }

    void wrongNumberOfValuesIsRefused()
    {
        QVERIFY(AdoErrorNumber([&] {
                    m_cn->ExecuteBound(QStringLiteral("INSERT INTO T (K, V) VALUES (?, ?)"), {qint64(1)});
                })
                != 0);
        QVERIFY(AdoErrorNumber([&] {
                    m_cn->ExecuteBound(QStringLiteral("INSERT INTO T (K) VALUES (?)"), {qint64(1), qint64(2)});
                })
                != 0);
        QCOMPARE(count(), qint64(0));
        // The same text with the right values still runs.
        m_cn->ExecuteBound(QStringLiteral("INSERT INTO T (K, V) VALUES (?, ?)"), {qint64(1), QStringLiteral("a")});
        QCOMPARE(valueOf(1), QStringLiteral("a"));
    }

    void aFailedRunLeavesTheStatementUsable()
    {
        m_cn->ExecuteBound(QStringLiteral("INSERT INTO T (K, V) VALUES (?, ?)"), {qint64(1), QStringLiteral("a")});
        QCOMPARE(AdoErrorNumber([&] {
                     m_cn->ExecuteBound(QStringLiteral("INSERT INTO T (K, V) VALUES (?, ?)"), {qint64(1), QStringLiteral("b")});
                 }),
                 kErrIntegrity);
        m_cn->ExecuteBound(QStringLiteral("INSERT INTO T (K, V) VALUES (?, ?)"), {qint64(2), QStringLiteral("c")});
        QCOMPARE(valueOf(1), QStringLiteral("a"));
        QCOMPARE(valueOf(2), QStringLiteral("c"));
    }

    void aTransactionTakesTheWriteLockWhenItBegins_data()
    {
        QTest::addColumn<bool>("byText");
        QTest::newRow("BeginTrans") << false;
        QTest::newRow("BEGIN TRAN text") << true;
    }

    void aTransactionTakesTheWriteLockWhenItBegins()
    {
        QFETCH(bool, byText);
        OtherStation other(m_db->file.path());
        if (byText)
            m_cn->Execute(QStringLiteral("BEGIN TRAN"));
        else
            m_cn->BeginTrans();
        // Nothing written yet, and still the other station cannot start writing.
        QCOMPARE(other.exec("BEGIN IMMEDIATE"), SQLITE_BUSY);
        QCOMPARE(other.exec("INSERT INTO T (K, V) VALUES (9, 'otra')"), SQLITE_BUSY);
        m_cn->RollbackTrans();
        QCOMPARE(other.exec("INSERT INTO T (K, V) VALUES (9, 'otra')"), SQLITE_OK);
        QCOMPARE(valueOf(9), QStringLiteral("otra"));
    }
};

QTEST_GUILESS_MAIN(TestAdoBound)
#include "tst_ado_bound.moc"
