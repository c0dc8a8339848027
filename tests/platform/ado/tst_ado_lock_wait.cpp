// Waiting for another station's write lock on the embedded engine: the notice appears only after about a
// second, a cancel fails the statement with a clear message and leaves nothing written and no transaction
// open, and a lock that comes free lets the statement go on.

#include "OpenSqlite.h"
#include "OtherStation.h"
#include "platform/ado/LockWaitNotice.h"
#include "platform/ado/Recordset.h"

#include <QElapsedTimer>
#include <QTest>
#include <functional>
#include <thread>
#include <sqlite3.h>

using namespace ado;

namespace {

// Records the calls; answers through `answer` (true: keep waiting).
class RecordingNotice final : public LockWaitNotice {
public:
    std::function<bool(int)> answer = [](int) { return true; };
    int firstElapsed = -1;
    int calls = 0;
    int finishedCalls = 0;

    bool waiting(int elapsedMs) override
    {
        if (firstElapsed < 0)
            firstElapsed = elapsedMs;
        ++calls;
        return answer(elapsedMs);
    }
    void finished() override { ++finishedCalls; }
};

} // namespace

class TestAdoLockWait : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<OpenSqlite> m_db;
    std::unique_ptr<OtherStation> m_other;
    RecordingNotice m_notice;
    Connection* m_cn = nullptr;

    QStringList values()
    {
        QStringList out;
        for (const auto& row : m_cn->QueryBound(QStringLiteral("SELECT V FROM T ORDER BY V"), {}).rows)
            out << row.at(0).toString();
        return out;
    }

private slots:
    void init()
    {
        m_db = std::make_unique<OpenSqlite>();
        QVERIFY(m_db->file.ok());
        m_cn = &m_db->cn;
        m_cn->Execute(QStringLiteral("CREATE TABLE T (V VARCHAR(20))"));
        m_notice = RecordingNotice();
        SetLockWaitNotice(&m_notice);
        m_other = std::make_unique<OtherStation>(m_db->file.path());
        QCOMPARE(m_other->exec("BEGIN IMMEDIATE; INSERT INTO T (V) VALUES ('otra')"), SQLITE_OK);
    }

    void cleanup()
    {
        SetLockWaitNotice(nullptr);
        m_other.reset();
        m_db.reset();
    }

    void cancelFailsTheStatementCleanly_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("BeginTrans") << QStringLiteral("begin");
        QTest::newRow("one statement") << QStringLiteral("statement");
        QTest::newRow("a batch in a transaction") << QStringLiteral("batch");
        QTest::newRow("a bound statement") << QStringLiteral("bound");
    }

    void cancelFailsTheStatementCleanly()
    {
        QFETCH(QString, how);
        m_notice.answer = [](int elapsed) { return elapsed < 1300; };
        QElapsedTimer clock;
        clock.start();
        try {
            if (how == QLatin1String("begin")) {
                m_cn->BeginTrans();
                m_cn->Execute(QStringLiteral("INSERT INTO T (V) VALUES ('mia')"));
            } else if (how == QLatin1String("statement")) {
                m_cn->Execute(QStringLiteral("INSERT INTO T (V) VALUES ('mia')"));
            } else if (how == QLatin1String("batch")) {
                m_cn->Execute(QStringLiteral("BEGIN TRAN\r\nINSERT T (V) VALUES ('mia')\r\nINSERT T (V) VALUES ('mia2')"));
            } else {
                m_cn->ExecuteBound(QStringLiteral("INSERT INTO T (V) VALUES (?)"), {QStringLiteral("mia")});
            }
            QFAIL("the statement ran although the wait was cancelled");
        } catch (const Error& e) {
            QVERIFY2(e.Description.contains(QStringLiteral("otra estación")), qPrintable(e.Description));
            QVERIFY2(e.Description.contains(QStringLiteral("no se grabó nada")), qPrintable(e.Description));
        }
        QVERIFY(clock.elapsed() < 10000);
        QVERIFY2(m_notice.firstElapsed >= kLockWaitNoticeAfterMs, qPrintable(QString::number(m_notice.firstElapsed)));
        QVERIFY(m_notice.calls >= 2);
        QCOMPARE(m_notice.finishedCalls, 1);
        QCOMPARE(m_cn->errors().Count(), 1);
        QVERIFY(!m_cn->InTransaction());
        // The caller's own rollback after the failure raises nothing.
        if (how == QLatin1String("begin")) {
            m_cn->RollbackTrans();
            QCOMPARE(m_cn->errors().Count(), 0);
        } else if (how == QLatin1String("batch")) {
            m_cn->Execute(QStringLiteral("ROLLBACK TRAN"));
            QCOMPARE(m_cn->errors().Count(), 0);
        }
        // The other station ends its transaction: only its row is there, nothing of ours.
        QCOMPARE(m_other->exec("COMMIT"), SQLITE_OK);
        QCOMPARE(values(), QStringList{QStringLiteral("otra")});
        // And the connection works on.
        m_cn->Execute(QStringLiteral("INSERT INTO T (V) VALUES ('despues')"));
        QCOMPARE(values(), (QStringList{QStringLiteral("despues"), QStringLiteral("otra")}));
    }

    void aLockThatComesFreeLetsTheStatementGoOn()
    {
        m_notice.answer = [this](int) {
            m_other->exec("COMMIT");
            return true;
        };
        m_cn->BeginTrans();
        m_cn->Execute(QStringLiteral("INSERT INTO T (V) VALUES ('mia')"));
        m_cn->CommitTrans();
        QCOMPARE(m_notice.calls, 1);
        QCOMPARE(m_notice.finishedCalls, 1);
        QCOMPARE(values(), (QStringList{QStringLiteral("mia"), QStringLiteral("otra")}));
    }

    void aShortWaitShowsNothing()
    {
        // The other station finishes within the quiet second: the statement waited, and no notice came.
        std::thread other([this] {
            QThread::msleep(300);
            m_other->exec("COMMIT");
        });
        QElapsedTimer clock;
        clock.start();
        m_cn->Execute(QStringLiteral("INSERT INTO T (V) VALUES ('mia')"));
        const qint64 waited = clock.elapsed();
        other.join();
        QVERIFY2(waited >= 250, qPrintable(QString::number(waited)));
        // On a loaded machine the other station may take longer: the notice may then come, but never early.
        if (waited < kLockWaitNoticeAfterMs) {
            QCOMPARE(m_notice.calls, 0);
            QCOMPARE(m_notice.finishedCalls, 0);
        } else {
            QVERIFY(m_notice.calls == 0 || m_notice.firstElapsed >= kLockWaitNoticeAfterMs);
            QCOMPARE(m_notice.finishedCalls, m_notice.calls > 0 ? 1 : 0);
        }
        QCOMPARE(values(), (QStringList{QStringLiteral("mia"), QStringLiteral("otra")}));
    }
};

QTEST_GUILESS_MAIN(TestAdoLockWait)
#include "tst_ado_lock_wait.moc"
