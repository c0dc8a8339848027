// The store takes its station, user and configuration from the environment it is given: the settings of an
// account are read and written through the handed reader and writer, and the lock owner follows the user.

#include "reconciliation/engine/Store.h"

#include <QHash>
#include <QTest>

using namespace conciliacion;

class StoreEnvironmentTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void settingsAreReadThroughTheReader();
    void settingsAreWrittenThroughTheWriter();
    void refusedWriteIsReported();
    void ownerFollowsTheLoggedUser();

private:
    EntornoTrabajo entorno();

    ado::Connection m_cn;   // never opened: none of this reaches the database
    QHash<QString, QString> m_tabla;
    QStringList m_escrituras;
    bool m_aceptarEscrituras = true;
    QString m_usuario;
};

EntornoTrabajo StoreEnvironmentTest::entorno()
{
    EntornoTrabajo e;
    e.estacion = QStringLiteral("CAJA3");
    e.usuario = [this] { return m_usuario; };
    e.leerConfiguracion = [this](const QString& clave) { return m_tabla.value(clave, QStringLiteral(" ")); };
    e.grabarConfiguracion = [this](const QString& clave, const QString& valor, const QString& grupo) {
        m_escrituras << clave + u'=' + valor + u'/' + grupo;
        if (m_aceptarEscrituras)
            m_tabla.insert(clave, valor);
        return m_aceptarEscrituras;
    };
    return e;
}

void StoreEnvironmentTest::init()
{
    m_tabla.clear();
    m_escrituras.clear();
    m_aceptarEscrituras = true;
    m_usuario = QStringLiteral("oper1");
}

void StoreEnvironmentTest::settingsAreReadThroughTheReader()
{
    m_tabla.insert(QStringLiteral("CONCCTAS_CFG1101"), QStringLiteral("1000000,5"));
    const ReconciliationStore store(m_cn, false, entorno());
    // The amount is compared whatever was stored.
    QCOMPARE(ValorConfiguracion(store.LeerConfiguracion(QStringLiteral(" 1101 "))), QStringLiteral("1000100,5"));
    QCOMPARE(ValorConfiguracion(store.LeerConfiguracion(QStringLiteral("1102"))), QStringLiteral("000010 "));
}

void StoreEnvironmentTest::settingsAreWrittenThroughTheWriter()
{
    const ReconciliationStore store(m_cn, false, entorno());
    QVERIFY(store.GrabarConfiguracion(QStringLiteral("1101"), LeerValorConfiguracion(QStringLiteral("0001100"))));
    QCOMPARE(m_escrituras, QStringList{QStringLiteral("CONCCTAS_CFG1101=0001100/DATOS")});
    QCOMPARE(ValorConfiguracion(store.LeerConfiguracion(QStringLiteral("1101"))), QStringLiteral("0001100"));
}

void StoreEnvironmentTest::refusedWriteIsReported()
{
    m_aceptarEscrituras = false;
    const ReconciliationStore store(m_cn, false, entorno());
    QVERIFY(!store.GrabarConfiguracion(QStringLiteral("1199"), LeerValorConfiguracion(QStringLiteral("0000100"))));
    QCOMPARE(m_escrituras.size(), 1);
}

void StoreEnvironmentTest::ownerFollowsTheLoggedUser()
{
    const ReconciliationStore store(m_cn, false, entorno());
    QCOMPARE(store.Propietario(), QStringLiteral("CAJA3|oper1"));
    // The program logs in after the store exists.
    m_usuario = QStringLiteral("admin1");
    QCOMPARE(store.Propietario(), QStringLiteral("CAJA3|admin1"));
}

QTEST_GUILESS_MAIN(StoreEnvironmentTest)
#include "tst_store_environment.moc"
