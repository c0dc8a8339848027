// Without a connection the start-up road ends the program, with no message of its own.

#include "core/Globals.h"
#include "core/Startup.h"
#include "data/DB_Dll.h"
#include "platform/ui/ScriptedDialogs.h"

#include <QTemporaryDir>
#include <QTest>

class StartupNoConnectionTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void failedOpenRetryDeclined();
    void dialogCancelled();
    void oracleServerFromLaunchText();

private:
    QTemporaryDir m_carpeta;
};

void StartupNoConnectionTest::initTestCase()
{
    QVERIFY(m_carpeta.isValid());
    qputenv("CONCCUENTAS_HOME", m_carpeta.path().toUtf8());
}

void StartupNoConnectionTest::failedOpenRetryDeclined()
{
    ui::ScriptedDialogs d;
    d.expectMsgBox(ui::vbNo).containing("Desea Intentarlo Nuevamente");
    QString conexion;
    const QString lanzamiento = "@Server=sqlite;@DbName=" + m_carpeta.filePath("no/existe/empresa.db") + ";@Usuario=admin;";
    QVERIFY_THROWS_EXCEPTION(ui::ProgramEnded, ModGlobal::Inicializar(false, lanzamiento, conexion, 3));
    QVERIFY(!gDB().gOpenFlag);
    QVERIFY(d.verifyDone());
    QCOMPARE(d.log().size(), 2);   // the retry question, then the end: nothing of the road's own
    QCOMPARE(d.log().last().kind, ui::PromptKind::EndProgram);
}

void StartupNoConnectionTest::dialogCancelled()
{
    // No server: the connection dialog asks; cancelling it ends the program.
    ui::ScriptedDialogs d;
    d.onModal([](QDialog&) { return int(QDialog::Rejected); });
    QString conexion;
    QVERIFY_THROWS_EXCEPTION(ui::ProgramEnded, ModGlobal::Inicializar(false, "@DbName=x;@Usuario=admin;", conexion, 3));
    QVERIFY(d.verifyDone());
    QCOMPARE(d.log().last().kind, ui::PromptKind::EndProgram);
}

void StartupNoConnectionTest::oracleServerFromLaunchText()
{
    // A "#" server names an Oracle data source: the provider text is built from the launch items and opened
    // without the connection dialog. No Oracle driver is named here, so the open fails and the retry is declined.
    qunsetenv("CONCCUENTAS_ODBC_ORACLE");
    ui::ScriptedDialogs d;
    d.expectMsgBox(ui::vbNo).containing("Desea Intentarlo Nuevamente");
    QString conexion;
    QVERIFY_THROWS_EXCEPTION(
        ui::ProgramEnded,
        ModGlobal::Inicializar(false, "@Server=#ORCL;@DbName=ORCLDS;@Usuario=u;@Password=p;", conexion, 3));
    QVERIFY(d.verifyDone());
    QCOMPARE(d.log().size(), 2);   // no connection dialog: the retry question, then the end
    // The question says why, in the operator's words, and what to set.
    QVERIFY2(d.log().at(0).text.contains(
                 QStringLiteral("No se indicó el controlador ODBC de Oracle: defina CONCCUENTAS_ODBC_ORACLE.")),
             qPrintable(d.log().at(0).text));
    const QString oracle = "Provider=OraOLEDB.Oracle.1;Data Source=ORCLDS;User Id=u;Password=p;";
    QCOMPARE(conexion, oracle);
    QCOMPARE(gDB().gConnString, oracle);
    QCOMPARE(gDB().gServidor, QStringLiteral("ORCL"));
    QCOMPARE(gDB().gDBName, QStringLiteral("ORCLDS"));
}

QTEST_MAIN(StartupNoConnectionTest)
#include "tst_core_startup_no_connection.moc"
