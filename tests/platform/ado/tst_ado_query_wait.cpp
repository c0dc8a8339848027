// Reading on the embedded engine with a query wait handed to the recordset: the asking thread's events run while
// the engine reads, a cancel stops a read that would never end, the asking connection answers other queries
// meanwhile, a read inside a transaction sees what the transaction wrote, a failure is the engine's own, a read
// that was handed no wait waits on none, and a close from the wait's events stops the read and closes at once.

#include "OpenSqlite.h"
#include "platform/ado/Error.h"
#include "platform/ado/QueryWait.h"
#include "platform/ado/Recordset.h"

#include <QFile>
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

// The program's end as the tests' dialogs make it: thrown from inside the wait's events.
struct FinDelPrograma {};

enum class TrasCerrar { Sigue, Cancela, TerminaElPrograma };

} // namespace

Q_DECLARE_METATYPE(TrasCerrar)

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
        rs.setQueryWait(&espera);
        QVERIFY_THROWS_EXCEPTION(QueryCancelled, rs.Open(QString::fromLatin1(kSinFin), &cn()));
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
        rs.setQueryWait(&espera);
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
        rs.setQueryWait(&espera);
        QVERIFY_THROWS_EXCEPTION(QueryCancelled, rs.Open(QString::fromLatin1(kSinFin), &cn()));
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
        rs.setQueryWait(&espera);
        rs.Open(QStringLiteral("SELECT V FROM T WHERE N = 4"), &cn());
        QCOMPARE(rs.RecordCount(), 1);
        cn().RollbackTrans();
    }

    // A query the engine refuses fails as it does without the wait.
    void aFailureIsTheEnginesOwn()
    {
        EsperaDePrueba espera;
        Recordset rs;
        rs.setQueryWait(&espera);
        QVERIFY_THROWS_EXCEPTION(Error, rs.Open(QStringLiteral("SELECT nada FROM T"), &cn()));
        QVERIFY(cn().errors().Count() > 0);
        QVERIFY(cn().errors().Item(0).Description.contains(QLatin1String("nada")));
    }

    // Closed by an event while the read goes on aside (the program's close from the window): the read is stopped
    // and the connection closed at once, the journal given back before the read's call has even returned; the
    // read ends as cancelled, or with the program's end when that follows the close; the company reads again on
    // a connection opened anew.
    void aCloseDuringTheReadClosesAtOnce_data()
    {
        QTest::addColumn<TrasCerrar>("despues");
        QTest::newRow("the wait goes on") << TrasCerrar::Sigue;
        QTest::newRow("the operator cancels") << TrasCerrar::Cancela;
        QTest::newRow("the program ends") << TrasCerrar::TerminaElPrograma;
    }
    void aCloseDuringTheReadClosesAtOnce()
    {
        QFETCH(TrasCerrar, despues);
        const QString diario = m_db->file.path() + QStringLiteral("-wal");
        QVERIFY(QFile::exists(diario));
        EsperaDePrueba espera;
        bool diarioDevuelto = false;
        espera.seguir = [&](int) {
            cn().Close();
            diarioDevuelto = !QFile::exists(diario);
            if (despues == TrasCerrar::TerminaElPrograma)
                throw FinDelPrograma{};
            return despues == TrasCerrar::Sigue;
        };
        Recordset rs;
        rs.setQueryWait(&espera);
        if (despues == TrasCerrar::TerminaElPrograma)
            QVERIFY_THROWS_EXCEPTION(FinDelPrograma, rs.Open(QString::fromLatin1(kSinFin), &cn()));
        else
            QVERIFY_THROWS_EXCEPTION(QueryCancelled, rs.Open(QString::fromLatin1(kSinFin), &cn()));
        QCOMPARE(espera.llamadas, 1);
        QVERIFY(diarioDevuelto);
        QCOMPARE(cn().State(), int(adStateClosed));
        QCOMPARE(rs.State(), int(adStateClosed));
        cn().Open(m_db->file.connectionText());
        Recordset otra;
        otra.Open(QStringLiteral("SELECT V FROM T ORDER BY N"), &cn());
        QCOMPARE(otra.RecordCount(), 3);
    }

    // The wait governs only the read it was handed to: a read that an event of that wait makes on another
    // connection, handed none, runs to its end without entering the wait again.
    void theWaitIsTheReadsAlone()
    {
        Connection otra;
        otra.Open(m_db->file.connectionText());
        EsperaDePrueba espera;
        int dentro = 0, masDentro = 0;
        qint64 contados = 0;
        espera.seguir = [&](int) {
            ++dentro;
            masDentro = std::max(masDentro, dentro);
            if (dentro == 1) {
                Recordset corta;
                corta.Open(QStringLiteral("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < "
                                          "3000000) SELECT count(*) FROM c"),
                           &otra);
                contados = corta.Fields(0).Value().toLong();
            }
            --dentro;
            return false;
        };
        Recordset rs;
        rs.setQueryWait(&espera);
        QVERIFY_THROWS_EXCEPTION(QueryCancelled, rs.Open(QString::fromLatin1(kSinFin), &cn()));
        QCOMPARE(contados, qint64(3000000));
        QCOMPARE(espera.llamadas, 1);
        QCOMPARE(masDentro, 1);
    }

    // Rows written and committed before the read are all there.
    void theReadSeesWhatIsCommitted()
    {
        cn().BeginTrans();
        cn().Execute(QStringLiteral("INSERT INTO T (V, N) VALUES ('cinco', 5)"));
        cn().CommitTrans();
        EsperaDePrueba espera;
        Recordset rs;
        rs.setQueryWait(&espera);
        rs.Open(QStringLiteral("SELECT V FROM T ORDER BY N"), &cn());
        QCOMPARE(rs.RecordCount(), 4);
        rs.MoveLast();
        QCOMPARE(rs.Fields(0).Value().toString(), QStringLiteral("cinco"));
    }
};

QTEST_GUILESS_MAIN(TestAdoQueryWait)
#include "tst_ado_query_wait.moc"
