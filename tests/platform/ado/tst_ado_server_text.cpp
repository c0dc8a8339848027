// What the server receives on the server road is the text the read guard judged: statements go through the
// program's own connection, Qt's ODBC driver and FreeTDS (the default driver) to a stand-in server that keeps
// every batch and every procedure call it is sent. FreeTDS rewrites ODBC escapes by a reading of comments and
// literals of its own, and sends a text that it rewrites into "name parameters" as a call of that name; so each
// text is either refused before it leaves the program, with nothing reaching the server, or received as one read
// that is the judged text: on SQL Server the one national value of a call of sp_executesql, elsewhere a batch.
// The Oracle road is run through the same driver and stand-in, named as the Oracle driver. Skipped, saying why,
// when Qt's ODBC plugin or FreeTDS is not installed.

#include "FreeTdsDePrueba.h"
#include "TdsStandIn.h"
#include "lookup/MascaraConsulta.h"
#include "lookup/SentenciaConsulta.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Error.h"
#include "platform/ado/Recordset.h"

#include <QFile>
#include <functional>
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
    Connection m_cn;       // SQL Server
    Connection m_oracle;   // Oracle, by the same driver to the same stand-in

    static bool write(const QString& path, const QByteArray& text)
    {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
    }

    // Rows of texts that FreeTDS, reading them by its own rules, would send as a read followed by a write: a
    // comment SQL Server nests, a line comment and an escape whose keyword the driver drops with the line break
    // after it, so the literal opened on the next line comes up onto the comment's line and what it held runs.
    static void addEscapeRows(const QString& tail, const QString& prefix = QString())
    {
        const QStringList escapes = {QStringLiteral("{d "), QStringLiteral("{t "), QStringLiteral("{ts "),
                                     QStringLiteral("{oj "), QStringLiteral("{escape "), QStringLiteral("{guid "),
                                     QStringLiteral("{interval "), QStringLiteral("{fn")};
        const QList<QPair<QString, QString>> quotes = {{QStringLiteral("'"), QStringLiteral("'")},
                                                       {QStringLiteral("N'"), QStringLiteral("'")},
                                                       {QStringLiteral("["), QStringLiteral("]")},
                                                       {QStringLiteral("\""), QStringLiteral("\"")}};
        for (const QString& escape : escapes)
            for (const auto& [open, close] : quotes) {
                const QString sql = prefix + QStringLiteral("SELECT 1 /* /* */ ' */ -- ' ") + escape + u'\n' + open
                                    + QStringLiteral(" \n") + tail + QStringLiteral(" --") + close;
                QTest::newRow(qPrintable(QStringLiteral("%1 then %2 %3%4").arg(escape.trimmed(), open, tail.left(6),
                                                                                 prefix.isEmpty() ? "" : " behind 1 MB")))
                    << sql;
            }
    }

    // The requests the server received while `send` ran.
    QList<TdsStandIn::Request> received(const std::function<void()>& send)
    {
        const qsizetype before = m_server->requests().size();
        send();
        return m_server->requests().mid(before);
    }

    // Sends `sql` down the query road of `cn`: what reached the server, and whether the program refused it.
    QList<TdsStandIn::Request> query(Connection& cn, const QString& sql, bool* refused)
    {
        *refused = false;
        return received([&] {
            try {
                cn.Query(sql);
            } catch (const Error& e) {
                *refused = e.SQLState == QLatin1String("42000");
                if (!*refused)
                    qWarning() << "failed otherwise:" << e.Description;
            }
        });
    }

    // One call of sp_executesql whose one value is `sql` as a national text.
    static bool isRunnerCall(const QList<TdsStandIn::Request>& arrived, const QString& sql)
    {
        return arrived.size() == 1 && arrived[0].rpc
               && arrived[0].procedure.compare(QLatin1String("sp_executesql"), Qt::CaseInsensitive) == 0
               && arrived[0].parameters == QStringList{sql} && arrived[0].national == QList<bool>{true};
    }

    // What arrived, for a failure's message.
    static QByteArray described(const QList<TdsStandIn::Request>& arrived)
    {
        QStringList parts;
        for (const TdsStandIn::Request& r : arrived)
            parts << (r.rpc ? QStringLiteral("call %1 (%2 values)").arg(r.procedure).arg(r.parameters.size())
                            : QStringLiteral("batch %1").arg(r.text.left(60)));
        return parts.isEmpty() ? QByteArray("nothing arrived") : parts.join(QLatin1String("; ")).toUtf8();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // A private driver list and FreeTDS settings: nothing of the machine's is read or changed.
        const QString why = FreeTdsDePrueba::Preparar(m_dir.path());
        if (!why.isEmpty())
            QSKIP(qPrintable(why));
        m_server = std::make_unique<TdsStandIn>();
        QVERIFY2(m_server->port() != 0, "the stand-in server could not listen on 127.0.0.1");
        // The Oracle connection names the stand-in as a server of FreeTDS's settings.
        QVERIFY(write(m_dir.filePath(QStringLiteral("freetds.conf")),
                      "[global]\n\ttds version = 7.3\n\tconnect timeout = 10\n\ttimeout = 10\n"
                      "[standin]\n\thost = 127.0.0.1\n\tport = "
                          + QByteArray::number(m_server->port()) + "\n"));
        qputenv("FREETDSCONF", m_dir.filePath(QStringLiteral("freetds.conf")).toLocal8Bit());
        qputenv("CONCCUENTAS_ODBC_ORACLE", "FreeTDS");

        m_cn.Open(QStringLiteral("Provider=SQLOLEDB;Persist Security Info=False;Server=127.0.0.1,%1;Database=conta;"
                                 "UId=sa;Pwd=clave;")
                      .arg(m_server->port()));
        QCOMPARE(m_server->logins(), 1);
        m_oracle.Open(QStringLiteral("Provider=OraOLEDB.Oracle;Data Source=conta;Servername=standin;User Id=sa;"
                                     "Password=clave;"));
        QCOMPARE(m_oracle.Kind(), BackendKind::Oracle);
        QCOMPARE(m_server->logins(), 2);
    }

    void cleanupTestCase()
    {
        m_oracle.Close();
        m_cn.Close();
        m_server.reset();
        qunsetenv("CONCCUENTAS_ODBC_ORACLE");
    }

    // Texts that read, and texts written to make the driver send a write; on SQL Server all of them reach the
    // server unchanged, as the value of its statement runner.
    void sqlServerRunsTheJudgedText_data()
    {
        QTest::addColumn<QString>("sql");
        addEscapeRows(QStringLiteral("DELETE FROM X"));
        addEscapeRows(QStringLiteral("DELETE FROM X"),
                      QStringLiteral("/* %1 */\n").arg(QString(1024 * 1024, u'c')));
        // Texts the driver sends as a call of a procedure named by the text.
        QTest::newRow("a call of a dotted name") << QStringLiteral("SELECT.dbo.sp_x {d 'x'}");
        QTest::newRow("a call named after a comment") << QStringLiteral("/**/SELECT {d 'x'}");
        QTest::newRow("an honest date escape") << QStringLiteral("SELECT {d '2026-01-01'}");
        QTest::newRow("escapes between blanks")
            << QStringLiteral("SELECT a FROM t WHERE d >= {d '2026-01-01'} AND d < {ts '2026-02-01 00:00:00'}");
        // Escapes that FreeTDS's dropping would glue into a comment or a word.
        QTest::newRow("escape made into a line comment, then a delete")
            << QStringLiteral("SELECT 1 -{d }- '\nDELETE FROM X --'");
        QTest::newRow("escape made into a line comment, then a drop") << QStringLiteral("SELECT 1 -{t }- '\nDROP TABLE X --'");
        QTest::newRow("escape made into a line comment, then a truncate")
            << QStringLiteral("SELECT 1 -{ts }- '\nTRUNCATE TABLE X --'");
        QTest::newRow("escape made into a line comment, then an exec") << QStringLiteral("SELECT 1 -{oj }- '\nEXEC sp_x --'");
        QTest::newRow("escape joining two literals") << QStringLiteral("SELECT 'a'{guid }'b' FROM t");
        QTest::newRow("escapes made into a block comment")
            << QStringLiteral("SELECT 1 /{d }* ' */ DELETE FROM X /* ' *{t }/");
        QTest::newRow("escape glued into a write word") << QStringLiteral("SELECT 1 AS a DE{escape }LETE FROM X");
        QTest::newRow("escape inside a nested comment") << QStringLiteral("SELECT 1 /* /* */ *{d }/ DELETE FROM X --*/");
        // Honest reads.
        QTest::newRow("braces in literals") << QStringLiteral("SELECT '-{d }-', N'/{t }*', 'a}b{c' FROM t WHERE x <> '}'");
        QTest::newRow("braces in names") << QStringLiteral("SELECT [-{d }-], \"{fn x}\" FROM t");
        QTest::newRow("a line comment ended by CR LF") << QStringLiteral("SELECT a -- x\r\nFROM t");
        QTest::newRow("the lookup's own statement")
            << QStringLiteral("SELECT TOP 1000 CUENTA, DESCRIPCION FROM MA_CUENTAS ORDER BY CUENTA");
        QTest::newRow("letters beyond one byte") << QStringLiteral("SELECT 'a\u00f1\u20ac\U0001F600b' AS t");
        QTest::newRow("a long read") << QStringLiteral("SELECT a FROM t WHERE b IN ('%1')").arg(QString(9000, u'z'));
    }

    void sqlServerRunsTheJudgedText()
    {
        QFETCH(QString, sql);
        bool refused = false;
        const QList<TdsStandIn::Request> arrived = query(m_cn, sql, &refused);
        QVERIFY(!refused);
        QVERIFY2(isRunnerCall(arrived, sql), described(arrived).constData());
    }

    // The rows of a read come back as the server sends them, on the statement runner's road as on a batch's.
    void rowsComeBackAsSent()
    {
        const QString sql = QStringLiteral("SELECT CUENTA, DESCRIPCION FROM MA_CUENTAS ORDER BY CUENTA");
        const QStringList columns = {QStringLiteral("CUENTA"), QStringLiteral("DESCRIPCION")};
        const QList<QStringList> rows = {{QStringLiteral("1101"), QStringLiteral("Caja")},
                                         {QStringLiteral("1102"), QStringLiteral("Año \u20ac")},
                                         {QStringLiteral("1103"), QString()}};
        m_server->answer(sql, columns, rows);
        for (Connection* cn : {&m_cn, &m_oracle}) {
            RowSet read;
            const QList<TdsStandIn::Request> arrived = received([&] { read = cn->Query(sql); });
            QCOMPARE(arrived.size(), 1);
            QCOMPARE(arrived[0].rpc, cn == &m_cn);
            QCOMPARE(read.fields.size(), columns.size());
            for (qsizetype c = 0; c < columns.size(); ++c)
                QCOMPARE(read.fields[c].name, columns[c]);
            QCOMPARE(read.rows.size(), rows.size());
            for (qsizetype r = 0; r < rows.size(); ++r)
                for (qsizetype c = 0; c < columns.size(); ++c) {
                    const Variant& v = read.rows[r][c];
                    QCOMPARE(v.isNull(), rows[r][c].isNull());
                    if (!v.isNull())
                        QCOMPARE(v.toString(), rows[r][c]);
                }
        }
    }

    // A server's error on a read comes back with its number and SQL state, the same on either road.
    void serverErrorsComeBackWhole()
    {
        const QString sql = QStringLiteral("SELECT A FROM NO_EXISTE");
        m_server->fail(sql, 208, QStringLiteral("Invalid object name 'NO_EXISTE'."));
        QList<Error> errors;
        for (Connection* cn : {&m_cn, &m_oracle}) {
            QVERIFY_THROWS_EXCEPTION(Error, cn->Query(sql));
            errors << cn->errors().Item(0);
        }
        for (const Error& e : errors) {
            QCOMPARE(e.NativeError, qint64(208));
            QCOMPARE(e.Number, kErrMissingObject);
            QVERIFY2(e.Description.contains(QLatin1String("NO_EXISTE")), qPrintable(e.Description));
        }
        QVERIFY(!errors[0].SQLState.isEmpty());
        QCOMPARE(errors[0].SQLState, errors[1].SQLState);
    }

    // The lookup's statement from a mask whose filter was written to make the driver send a delete.
    void maskFilterRunsAsJudged()
    {
        lookup::MascaraConsulta mascara;
        mascara.Titulo = QStringLiteral("Cuentas");
        mascara.Tabla = QStringLiteral("MA_CUENTAS");
        mascara.Campos = QStringLiteral("|CUENTA|DESCRIPCION|");
        mascara.Extra = QStringLiteral("1=1 /* /* */ ' */ -- ' {d \n' \nDELETE FROM MA_CUENTAS --'");
        QString campo;
        const std::optional<QString> sql =
            lookup::SentenciaDeMascara(lookup::DecodificarMascara(lookup::CodificarMascara(mascara)), 1000, {}, campo);
        QVERIFY(sql && sql->contains(QLatin1String("{d \n'")));
        bool refused = false;
        const QList<TdsStandIn::Request> arrived = query(m_cn, *sql, &refused);
        QVERIFY(!refused);
        QVERIFY(isRunnerCall(arrived, *sql));
    }

    // A character the driver would cut the text at or could not convert: refused on every road, nothing sent.
    void unsendableCharactersAreRefused_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("a NUL before the filter") << QStringLiteral("SELECT * FROM t") + QChar(u'\0')
                                                        + QStringLiteral(" WHERE 1 = 0");
        QTest::newRow("a NUL in a literal") << QStringLiteral("SELECT * FROM t WHERE a = 'x") + QChar(u'\0')
                                                   + QStringLiteral("' AND 1 = 0");
        QTest::newRow("a lone high surrogate") << QStringLiteral("SELECT * FROM t") + QChar(char16_t(0xD800))
                                                      + QStringLiteral(" WHERE 1 = 0");
        QTest::newRow("a lone low surrogate") << QStringLiteral("SELECT * FROM t") + QChar(char16_t(0xDC00))
                                                     + QStringLiteral(" WHERE 1 = 0");
        QTest::newRow("a pair written backwards") << QStringLiteral("SELECT 'a") + QChar(char16_t(0xDE00))
                                                         + QChar(char16_t(0xD83D)) + QStringLiteral("' AS t");
        QTest::newRow("a high surrogate at the end") << QStringLiteral("SELECT 1 AS t --") + QChar(char16_t(0xD83D));
    }

    void unsendableCharactersAreRefused()
    {
        QFETCH(QString, sql);
        bool refused = false;
        QVERIFY(query(m_cn, sql, &refused).isEmpty());
        QVERIFY(refused);
        QVERIFY(m_cn.errors().Item(0).Description.contains(QLatin1String("no se puede enviar")));
        const QString write = QStringLiteral("UPDATE t SET a = 1 WHERE b = '%1'").arg(sql);
        QVERIFY(received([&] { QVERIFY_THROWS_EXCEPTION(Error, m_cn.Execute(write)); }).isEmpty());
    }

    // On Oracle there is no statement runner: the text goes as it is, so a text with anything the driver rewrites
    // is refused whole, and every other read arrives as written.
    void oracleSendsOnlyTextsTheDriverLeavesAlone_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<bool>("refused");
        QTest::newRow("a q literal then a locking read")
            << QStringLiteral("SELECT q'[ ' ]' AS a -- ' {d \n' \nFROM dual FOR UPDATE --'") << true;
        QTest::newRow("a date escape") << QStringLiteral("SELECT {d '2026-01-01'} FROM dual") << true;
        QTest::newRow("a brace in a literal") << QStringLiteral("SELECT '{' FROM dual") << true;
        QTest::newRow("a closing brace in a comment") << QStringLiteral("SELECT 1 FROM dual /* } */") << true;
        QTest::newRow("an escape's long form")
            << QStringLiteral("SELECT 1 --(*vendor(Microsoft),product(ODBC) d '2026-01-01' *)--\nFROM dual") << true;
        QTest::newRow("a NUL") << QStringLiteral("SELECT 1 FROM dual") + QChar(u'\0') + QStringLiteral(" WHERE 1 = 0")
                               << true;
        QTest::newRow("a write") << QStringLiteral("SELECT 1 FROM dual FOR UPDATE") << true;
        QTest::newRow("a q literal") << QStringLiteral("SELECT q'[ ' ]' AS a FROM dual") << false;
        QTest::newRow("a read with a comment") << QStringLiteral("SELECT a -- x\nFROM t WHERE b = 'c'") << false;
    }

    void oracleSendsOnlyTextsTheDriverLeavesAlone()
    {
        QFETCH(QString, sql);
        QFETCH(bool, refused);
        bool wasRefused = false;
        const QList<TdsStandIn::Request> arrived = query(m_oracle, sql, &wasRefused);
        QCOMPARE(wasRefused, refused);
        if (refused) {
            QVERIFY(arrived.isEmpty());
            return;
        }
        QCOMPARE(arrived.size(), 1);
        QVERIFY(!arrived[0].rpc);
        QCOMPARE(arrived[0].text, sql);
    }
};

QTEST_GUILESS_MAIN(TestAdoServerText)
#include "tst_ado_server_text.moc"
