// Reading on the embedded engine with a query wait installed: the asking thread's events run while the engine
// reads, a cancel stops a read that would never end, the asking connection answers other queries meanwhile,
// a read inside a transaction sees what the transaction wrote, a failure is the engine's own, and without a
// wait nothing is waited on.

#include "OpenSqlite.h"
#include "platform/ado/Error.h"
#include "platform/ado/QueryWait.h"
#include "platform/ado/Recordset.h"

#include <QTimer>
#include <QTest>
#include <functional>

using namespace ado;

namespace {

// A read that never ends unless the engine is stopped.
const char kSinFin[] = "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) SELECT count(*) FROM c";

// Lets events run as the window does, and answers through `seguir`.
class EsperaDePrueba final : public QueryWait {
public:
    std::function<bool(int)> seguir = [](int) { return true; };
    int llamadas = 0;
    bool waiting(int elapsedMs) override
    {
        ++llamadas;
        QCoreApplication::processEvents();
        return seguir(elapsedMs);
    }
};

} // namespace

class TestAdoQueryWait : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<OpenSqlite> m_db;

    Connection& cn() { return m_db->cn; }

private slots:
    void init()
    {
        m_db = std::make_unique<OpenSqlite>();
        QVERIFY(m_db->file.ok());
        cn().Execute(QStringLiteral("CREATE TABLE T (V VARCHAR(20), N INTEGER)"));
        cn().Execute(QStringLiteral("INSERT INTO T (V, N) VALUES ('uno', 1), ('DOS', 2), ('tres', 3)"));
    }

    void cleanup() { m_db.reset(); }

    // Cancelled from an event that ran during the wait: the engine stops, nothing is said as a failure, and
    // the connection reads again at once.
    void cancelStopsAReadThatWouldNotEnd()
    {
        EsperaDePrueba espera;
        bool cancelar = false;
        espera.seguir = [&](int) { return !cancelar; };
        QTimer boton;
        boton.setSingleShot(true);
        QObject::connect(&boton, &QTimer::timeout, [&] { cancelar = true; });
        boton.start(200);
        Recordset rs;
        {
            const QueryWaitScope alcance(&espera);
            QVERIFY_THROWS_EXCEPTION(QueryCancelled, rs.Open(QString::fromLatin1(kSinFin), &cn()));
        }
        QVERIFY(cancelar);
        QVERIFY(espera.llamadas > 1);
        QCOMPARE(rs.State(), int(adStateClosed));
        QCOMPARE(cn().errors().Count(), 0);
        rs.Open(QStringLiteral("SELECT V FROM T WHERE N = 2"), &cn());
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(rs.Fields(0).Value().toString(), QStringLiteral("DOS"));
    }

    // The reader has the program's functions and collations: a read that uses them runs there until it is
    // cancelled (on a reader without them it would fail as soon as it began).
    void theReaderHasTheProgramsFunctions()
    {
        EsperaDePrueba espera;
        espera.seguir = [](int) { return false; };
        Recordset rs;
        const QueryWaitScope alcance(&espera);
        QVERIFY_THROWS_EXCEPTION(
            QueryCancelled,
            rs.Open(QStringLiteral("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) SELECT count(*) "
                                   "FROM c WHERE len(x || '  ') > 0 AND 'a  ' = 'A' COLLATE TSQLTEXT"),
                    &cn()));
        QCOMPARE(espera.llamadas, 1);
    }

    // The asking connection answers a query that an event asks for while the long read goes on.
    void theAskingConnectionAnswersMeanwhile()
    {
        EsperaDePrueba espera;
        QStringList leidos;
        espera.seguir = [&](int) {
            Recordset otro;
            otro.Open(QStringLiteral("SELECT V FROM T ORDER BY N"), &cn());
            for (; !otro.EOF(); otro.MoveNext())
                leidos << otro.Fields(0).Value().toString();
            return false;
        };
        Recordset rs;
        {
            const QueryWaitScope alcance(&espera);
            QVERIFY_THROWS_EXCEPTION(QueryCancelled, rs.Open(QString::fromLatin1(kSinFin), &cn()));
        }
        QCOMPARE(espera.llamadas, 1);
        QCOMPARE(leidos, (QStringList{QStringLiteral("uno"), QStringLiteral("DOS"), QStringLiteral("tres")}));
    }

    // Inside a transaction the read stays on the asking connection: it sees the rows the transaction wrote.
    void aReadInATransactionSeesItsRows()
    {
        EsperaDePrueba espera;
        cn().BeginTrans();
        cn().Execute(QStringLiteral("INSERT INTO T (V, N) VALUES ('cuatro', 4)"));
        Recordset rs;
        {
            const QueryWaitScope alcance(&espera);
            rs.Open(QStringLiteral("SELECT V FROM T WHERE N = 4"), &cn());
        }
        QCOMPARE(rs.RecordCount(), 1);
        cn().RollbackTrans();
    }

    // A query the engine refuses fails as it does without the wait.
    void aFailureIsTheEnginesOwn()
    {
        EsperaDePrueba espera;
        Recordset rs;
        const QueryWaitScope alcance(&espera);
        QVERIFY_THROWS_EXCEPTION(Error, rs.Open(QStringLiteral("SELECT nada FROM T"), &cn()));
        QVERIFY(cn().errors().Count() > 0);
        QVERIFY(cn().errors().Item(0).Description.contains(QLatin1String("nada")));
    }

    // Rows written and committed before the read are all there.
    void theReadSeesWhatIsCommitted()
    {
        cn().BeginTrans();
        cn().Execute(QStringLiteral("INSERT INTO T (V, N) VALUES ('cinco', 5)"));
        cn().CommitTrans();
        EsperaDePrueba espera;
        Recordset rs;
        {
            const QueryWaitScope alcance(&espera);
            rs.Open(QStringLiteral("SELECT V FROM T ORDER BY N"), &cn());
        }
        QCOMPARE(rs.RecordCount(), 4);
        rs.MoveLast();
        QCOMPARE(rs.Fields(0).Value().toString(), QStringLiteral("cinco"));
    }
};

QTEST_GUILESS_MAIN(TestAdoQueryWait)
#include "tst_ado_query_wait.moc"
