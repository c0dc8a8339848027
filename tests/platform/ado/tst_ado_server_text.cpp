// What the server receives on the SQL Server road is the text the read guard judged: statements go through the
// program's own connection, Qt's ODBC driver and FreeTDS (the default driver) to a stand-in server that keeps
// every batch it is sent. A driver that rewrites ODBC escapes (FreeTDS drops "{d " and "}") must never turn a
// read the guard let through into something else: each text is either refused before it leaves the program or
// arrives byte for byte as written. Skipped, saying why, when Qt's ODBC plugin or FreeTDS is not installed.

#include "TdsStandIn.h"
#include "lookup/MascaraConsulta.h"
#include "lookup/SentenciaConsulta.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Error.h"
#include "platform/ado/Recordset.h"

#include <QFile>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

using namespace ado;

class TestAdoServerText : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TdsStandIn> m_server;
    Connection m_cn;

    // The FreeTDS ODBC driver's library, where Debian and others put it; empty when none is found.
    static QString freeTdsLibrary()
    {
        for (const char* path : {"/usr/lib/x86_64-linux-gnu/odbc/libtdsodbc.so", "/usr/lib/aarch64-linux-gnu/odbc/libtdsodbc.so",
                                 "/usr/lib/odbc/libtdsodbc.so", "/usr/lib64/libtdsodbc.so", "/usr/local/lib/libtdsodbc.so"})
            if (QFile::exists(QString::fromLatin1(path)))
                return QString::fromLatin1(path);
        return QString();
    }

    static bool write(const QString& path, const QByteArray& text)
    {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
    }

    // Sends `sql` down the query road; true when it left the program (it was not refused).
    bool sendQuery(const QString& sql)
    {
        try {
            m_cn.Query(sql);
            return true;
        } catch (const Error& e) {
            // Refused by the guard: the statement names the refusal, no server error.
            if (!e.Description.startsWith(QLatin1String("Una consulta es una sola sentencia que solo lee datos")))
                qWarning() << "failed otherwise:" << e.Description;
            return false;
        }
    }

private slots:
    void initTestCase()
    {
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC")))
            QSKIP("Qt's ODBC plugin (QODBC, Debian package libqt6sql6-odbc) is not installed");
        const QString library = freeTdsLibrary();
        if (library.isEmpty())
            QSKIP("the FreeTDS ODBC driver (libtdsodbc.so, Debian package tdsodbc) is not installed");
        QVERIFY(m_dir.isValid());
        // A private driver list and FreeTDS settings: nothing of the machine's is read or changed.
        QVERIFY(write(m_dir.filePath(QStringLiteral("odbcinst.ini")),
                      "[FreeTDS]\nDescription=FreeTDS\nDriver=" + library.toUtf8() + "\n"));
        QVERIFY(write(m_dir.filePath(QStringLiteral("odbc.ini")), ""));
        QVERIFY(write(m_dir.filePath(QStringLiteral("freetds.conf")),
                      "[global]\n\ttds version = 7.3\n\tconnect timeout = 10\n\ttimeout = 10\n"));
        qputenv("ODBCSYSINI", m_dir.path().toLocal8Bit());
        qputenv("ODBCINI", m_dir.filePath(QStringLiteral("odbc.ini")).toLocal8Bit());
        qputenv("FREETDSCONF", m_dir.filePath(QStringLiteral("freetds.conf")).toLocal8Bit());
        qunsetenv("CONCCUENTAS_ODBC_SQLSERVER");   // the default driver, FreeTDS

        m_server = std::make_unique<TdsStandIn>();
        QVERIFY2(m_server->port() != 0, "the stand-in server could not listen on 127.0.0.1");
        m_cn.Open(QStringLiteral("Provider=SQLOLEDB;Persist Security Info=False;Server=127.0.0.1,%1;Database=conta;"
                                 "UId=sa;Pwd=clave;")
                      .arg(m_server->port()));
        QCOMPARE(m_server->logins(), 1);
    }

    void cleanupTestCase()
    {
        m_cn.Close();
        m_server.reset();
    }

    void receivedAsJudged_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("received");   // what the server gets when not refused; empty: the text itself
        const auto row = [](const char* name, const QString& sql, bool refused, const QString& received = {}) {
            QTest::newRow(name) << sql << refused << received;
        };
        // FreeTDS drops "{d " and "}", so these would reach the server as a read, then a write.
        row("escape made into a line comment, then a delete", "SELECT 1 -{d }- '\nDELETE FROM X --'", true);
        row("escape made into a line comment, then a drop", "SELECT 1 -{t }- '\nDROP TABLE X --'", true);
        row("escape made into a line comment, then a truncate", "SELECT 1 -{ts }- '\nTRUNCATE TABLE X --'", true);
        row("escape made into a line comment, then an exec", "SELECT 1 -{oj }- '\nEXEC sp_x --'", true);
        row("escapes made into a block comment", "SELECT 1 /{d }* ' */ DELETE FROM X /* ' *{t }/", true);
        row("escape glued into a write word", "SELECT 1 AS a DE{escape }LETE FROM X", true);
        row("escape joining two literals", "SELECT 'a'{guid }'b' FROM t", true);
        row("escape inside a nested comment", "SELECT 1 /* /* */ *{d }/ DELETE FROM X --*/", true);
        // The lookup's statement from a mask whose filter was written to make one.
        lookup::MascaraConsulta mascara;
        mascara.Titulo = QStringLiteral("Cuentas");
        mascara.Tabla = QStringLiteral("MA_CUENTAS");
        mascara.Campos = QStringLiteral("|CUENTA|DESCRIPCION|");
        mascara.Extra = QStringLiteral("1=1 -{d }- '\nDELETE FROM MA_CUENTAS --'");
        QString campo;
        const std::optional<QString> deMascara =
            lookup::SentenciaDeMascara(lookup::DecodificarMascara(lookup::CodificarMascara(mascara)), 1000, {}, campo);
        QVERIFY(deMascara && deMascara->contains(QLatin1String("-{d }-")));
        row("lookup mask filter", *deMascara, true);

        // Honest reads arrive as written.
        row("braces in literals", "SELECT '-{d }-', N'/{t }*', 'a}b{c' FROM t WHERE x <> '}'", false);
        row("braces in names", "SELECT [-{d }-], \"{fn x}\" FROM t", false);
        row("braces in comments", "SELECT 1 /* {d } */ FROM t -- {x}\n WHERE 1 = 1", false);
        row("a line comment ended by CR LF", "SELECT a -- x\r\nFROM t", false);
        row("the lookup's own statement", "SELECT TOP 1000 CUENTA, DESCRIPCION FROM MA_CUENTAS ORDER BY CUENTA", false);
        // An honest escape is the driver's to rewrite, and the rewriting leaves a read.
        row("a date escape between blanks", "SELECT a FROM t WHERE d >= {d '2026-01-01'} AND d < {ts '2026-02-01 00:00:00'}",
            false, "SELECT a FROM t WHERE d >= '2026-01-01' AND d < '2026-02-01 00:00:00'");
    }

    void receivedAsJudged()
    {
        QFETCH(QString, sql);
        QFETCH(bool, refused);
        QFETCH(QString, received);
        const qsizetype before = m_server->batches().size();
        const bool sent = sendQuery(sql);
        const QStringList arrived = m_server->batches().mid(before);
        QCOMPARE(sent, !refused);
        if (refused) {
            QCOMPARE(arrived, QStringList());
            return;
        }
        const QString expected = received.isEmpty() ? sql : received;
        QCOMPARE(arrived, QStringList{expected});
        // Byte for byte, not only equal as text.
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(arrived.first().utf16()), arrived.first().size() * 2),
                 QByteArray(reinterpret_cast<const char*>(expected.utf16()), expected.size() * 2));
    }
};

QTEST_GUILESS_MAIN(TestAdoServerText)
#include "tst_ado_server_text.moc"
