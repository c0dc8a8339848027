// The SQL Server road's time-outs, through the program's own connection, Qt's ODBC driver and FreeTDS: a server
// that accepts the connection and never answers is given up at the login time-out, with an error naming the
// server, and shown meanwhile through the installed notice, whose cancel stops the wait at once; a statement the
// server answers later than the command time-out is cancelled on the wire (the server sees the driver's
// ATTENTION) and fails saying so, and the connection goes on. Skipped, saying why, without Qt's ODBC plugin or
// FreeTDS.

#include "FreeTdsDePrueba.h"
#include "ServidorMudo.h"
#include "TdsStandIn.h"
#include "platform/ado/ConnectWaitNotice.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Error.h"
#include "platform/ado/Recordset.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

using namespace ado;

namespace {

QString textoServidor(quint16 puerto)
{
    return QStringLiteral("Provider=SQLOLEDB;Server=127.0.0.1,%1;Database =conta;UId=sa;Pwd=clave;").arg(puerto);
}

// Records what the opening said while it waited; gives up at the given call.
class NoticeDePrueba final : public ConnectWaitNotice {
public:
    int cancelAt = 0;   // 0: never
    QStringList servers, databases;
    QList<int> elapsed;
    int finishedCalls = 0;

    bool connecting(const QString& server, const QString& database, int elapsedMs) override
    {
        servers << server;
        databases << database;
        elapsed << elapsedMs;
        return cancelAt == 0 || int(elapsed.size()) < cancelAt;
    }
    void finished() override { ++finishedCalls; }
};

struct Fallo {
    Error error;
    qint64 ms = 0;
};

// Opens and expects a failure: the error raised and how long it took.
std::optional<Fallo> abrirFallando(Connection& cn, const QString& texto)
{
    QElapsedTimer reloj;
    reloj.start();
    try {
        cn.Open(texto);
    } catch (const Error& e) {
        return Fallo{e, reloj.elapsed()};
    }
    return std::nullopt;
}

} // namespace

class TestAdoServerTimeouts : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QString porQue = FreeTdsDePrueba::Preparar(m_dir.path());
        if (!porQue.isEmpty())
            QSKIP(qPrintable(porQue));
    }

    void cleanup() { SetConnectWaitNotice(nullptr); }

    void silentServerIsGivenUpAtTheLoginTimeout()
    {
        ServidorMudo mudo;
        QVERIFY(mudo.puerto() != 0);
        Connection cn;
        cn.ConnectionTimeout = 2;
        const std::optional<Fallo> f = abrirFallando(cn, textoServidor(mudo.puerto()));
        QVERIFY(f);
        QVERIFY(mudo.aceptadas() >= 1);
        QVERIFY2(f->ms >= 1500 && f->ms < 10000, qPrintable(QString::number(f->ms)));
        QCOMPARE(f->error.SQLState, QStringLiteral("HYT00"));
        QCOMPARE(f->error.Description, QStringLiteral("El servidor 127.0.0.1,%1 no respondió en 2 segundos: no se pudo "
                                                      "conectar con la base de datos conta.")
                                           .arg(mudo.puerto()));
        QCOMPARE(cn.errors().Count(), 1);
        QCOMPARE(cn.State(), int(adStateClosed));
        // Nothing is left behind: the driver has let the connection go too.
        QTRY_COMPARE_WITH_TIMEOUT(mudo.abiertas(), 0, 5000);
    }

    void theWaitIsShownAndCancelEndsIt()
    {
        ServidorMudo mudo;
        NoticeDePrueba notice;
        notice.cancelAt = 4;
        SetConnectWaitNotice(&notice);
        Connection cn;
        cn.ConnectionTimeout = 30;
        const std::optional<Fallo> f = abrirFallando(cn, textoServidor(mudo.puerto()));
        QVERIFY(f);
        QVERIFY(!notice.elapsed.isEmpty());
        QVERIFY2(notice.elapsed.first() < 1000, qPrintable(QString::number(notice.elapsed.first())));
        QCOMPARE(notice.servers.first(), QStringLiteral("127.0.0.1,%1").arg(mudo.puerto()));
        QCOMPARE(notice.databases.first(), QStringLiteral("conta"));
        QCOMPARE(notice.elapsed.size(), 4);
        QVERIFY2(f->ms < 2000, qPrintable(QString::number(f->ms)));   // not the 30 s of the time-out
        QCOMPARE(notice.finishedCalls, 1);
        QCOMPARE(f->error.SQLState, QStringLiteral("HY008"));
        QVERIFY2(f->error.Description.contains(QStringLiteral("127.0.0.1,%1").arg(mudo.puerto())),
                 qPrintable(f->error.Description));
    }

    void aServerThatAnswersIsNotWaitedFor()
    {
        TdsStandIn servidor;
        NoticeDePrueba notice;
        SetConnectWaitNotice(&notice);
        Connection cn;
        cn.ConnectionTimeout = 2;
        cn.Open(textoServidor(servidor.port()));
        QCOMPARE(servidor.logins(), 1);
        QCOMPARE(notice.finishedCalls, notice.elapsed.isEmpty() ? 0 : 1);
        cn.Execute(QStringLiteral("UPDATE t SET a = 1"));
        QCOMPARE(servidor.batches().last(), QStringLiteral("UPDATE t SET a = 1"));
    }

    void aLateStatementIsCancelledAtTheCommandTimeout_data()
    {
        QTest::addColumn<bool>("lectura");
        QTest::newRow("action statement") << false;
        QTest::newRow("read") << true;
    }

    void aLateStatementIsCancelledAtTheCommandTimeout()
    {
        QFETCH(bool, lectura);
        TdsStandIn servidor;
        Connection cn;
        cn.CommandTimeout = 2;
        cn.Open(textoServidor(servidor.port()));
        servidor.answerLate(6000);
        const QString sql = lectura ? QStringLiteral("SELECT a FROM t") : QStringLiteral("UPDATE t SET a = 1");
        QElapsedTimer reloj;
        reloj.start();
        QString dicho;
        try {
            if (lectura)
                cn.Query(sql);
            else
                cn.Execute(sql);
        } catch (const Error& e) {
            dicho = e.Description;
        }
        const qint64 ms = reloj.elapsed();
        QVERIFY2(ms >= 1500 && ms < 5000, qPrintable(QString::number(ms)));
        QVERIFY2(dicho.startsWith(QStringLiteral("La sentencia no terminó en los 2 segundos del tiempo de espera de "
                                                 "comandos")),
                 qPrintable(dicho));
        QCOMPARE(cn.errors().Count(), 1);
        QCOMPARE(cn.errors().Item(0).Description, dicho);
        QCOMPARE(servidor.attentions(), 1);
        // A read reaches the server as the value of sp_executesql, an action as a batch.
        QVERIFY(!servidor.requests().isEmpty());
        const TdsStandIn::Request cancelada = servidor.requests().constLast();
        QCOMPARE(cancelada.rpc ? cancelada.parameters.value(0) : cancelada.text, sql);

        // The connection goes on: the next statement is answered.
        servidor.answerLate(0);
        cn.Execute(QStringLiteral("UPDATE t SET b = 2"));
        QCOMPARE(servidor.batches().last(), QStringLiteral("UPDATE t SET b = 2"));
    }

    void withoutACommandTimeoutALateAnswerIsWaitedFor()
    {
        TdsStandIn servidor;
        Connection cn;
        cn.CommandTimeout = 0;
        cn.Open(textoServidor(servidor.port()));
        servidor.answerLate(2500);
        cn.Execute(QStringLiteral("UPDATE t SET a = 1"));
        QCOMPARE(servidor.attentions(), 0);
    }
};

QTEST_MAIN(TestAdoServerTimeouts)
#include "tst_ado_server_timeouts.moc"
