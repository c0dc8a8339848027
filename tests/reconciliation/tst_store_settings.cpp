// The comparison settings of an account in the configuration table: stored, read back, and a failed save
// reported as such.

#include "EmpresaDelMotor.h"

#include "data/DB_Dll.h"
#include "platform/ui/ScriptedDialogs.h"
#include "reconciliation/EntornoPrograma.h"
#include "reconciliation/engine/ConfiguracionComparacion.h"
#include "reconciliation/engine/Store.h"

#include <QSqlQuery>

using namespace conciliacion;
using namespace prueba;

class StoreSettingsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void missingSettingsCompareTheAmountOnly();
    void roundTrip_data();
    void roundTrip();
    void failedSaveIsReported();

private:
    EmpresaDelMotor m_base;
    ui::ScriptedDialogs* m_dialogos = nullptr;
    // The settings go through the program's configuration routines, as the window's store has them.
    std::unique_ptr<ReconciliationStore> m_store;
};

void StoreSettingsTest::initTestCase()
{
    DB_Dll& db = gDB();
    db.gServidor = QStringLiteral("sqlite");
    db.gDBName = m_base.archivo;
    db.gUsuario = QStringLiteral("oper1");
    db.OpenServerADODB(false, 3, QString(), true);
    QVERIFY(db.gCnn.State() == ado::adStateOpen);
    m_store = std::make_unique<ReconciliationStore>(db.gCnn, db.gEsAdmin, EntornoPrograma());
}

void StoreSettingsTest::init()
{
    m_dialogos = new ui::ScriptedDialogs;
}

void StoreSettingsTest::cleanup()
{
    const bool ok = m_dialogos->verifyDone();
    delete m_dialogos;
    QVERIFY(ok);
}

void StoreSettingsTest::missingSettingsCompareTheAmountOnly()
{
    const ConfiguracionComparacion cfg = m_store->LeerConfiguracion("1102");
    QCOMPARE(ValorConfiguracion(cfg), QString("000010 "));
}

void StoreSettingsTest::roundTrip_data()
{
    QTest::addColumn<QString>("cuenta");
    QTest::addColumn<QString>("guardado");
    QTest::addColumn<QString>("leido");
    QTest::newRow("comprobante and importe") << "1101" << "0001100" << "0001100";
    QTest::newRow("importe not ticked still compared") << "1101" << "1000000,5" << "1000100,5";
    QTest::newRow("all six, blanks around the account") << " 1102 " << "111111abc" << "111111abc";
    QTest::newRow("no account") << "" << "0000100" << "0000100";
}

void StoreSettingsTest::roundTrip()
{
    QFETCH(QString, cuenta);
    QFETCH(QString, guardado);
    QFETCH(QString, leido);
    QVERIFY(m_store->GrabarConfiguracion(cuenta, LeerValorConfiguracion(guardado)));
    QCOMPARE(ValorConfiguracion(m_store->LeerConfiguracion(cuenta)), leido);
    QCOMPARE(Contar(gDB().gCnn, "TA_CONFIGURACION WHERE CLAVE = '" + ClaveConfiguracion(cuenta) + "'"), qint64(1));
    QCOMPARE(Lista(gDB().gCnn, "SELECT Grupo || '/' || PoliticaNegocio || '/' || IFNULL(ValorAux, '<null>') FROM "
                               "TA_CONFIGURACION WHERE CLAVE = '" + ClaveConfiguracion(cuenta) + "'"),
             QString("DATOS/0/<null>"));
}

void StoreSettingsTest::failedSaveIsReported()
{
    QSqlQuery q(gDB().gCnn.database());
    QVERIFY(q.exec("CREATE TEMP TRIGGER rechazo BEFORE INSERT ON TA_CONFIGURACION "
                   "BEGIN SELECT RAISE(ABORT, 'configuracion rechazada'); END"));
    m_dialogos->expectMsgBox(ui::vbAbort).containing("configuracion rechazada");
    const bool guardado = m_store->GrabarConfiguracion("1199", LeerValorConfiguracion("0000100"));
    QVERIFY(q.exec("DROP TRIGGER rechazo"));
    QVERIFY(!guardado);
    QCOMPARE(Contar(gDB().gCnn, "TA_CONFIGURACION WHERE CLAVE = 'CONCCTAS_CFG1199'"), qint64(0));
}

QTEST_GUILESS_MAIN(StoreSettingsTest)
#include "tst_store_settings.moc"
