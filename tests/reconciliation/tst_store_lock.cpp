// The edit lock: taking it, another owner's lock, an administrator's take-over, releasing only one's own.

#include "EmpresaDelMotor.h"

#include "reconciliation/engine/Store.h"

using namespace conciliacion;
using namespace prueba;

namespace {
const QString kOper = QStringLiteral("STATION1|oper1");
const QString kAdmin = QStringLiteral("STATION2|admin1");
} // namespace

class StoreLockTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void takingAFreeNumber();
    void anotherOwnerBlocks_data();
    void anotherOwnerBlocks();
    void administratorTakesOverBesideTheOwner();
    void releasingRemovesOnlyOwnRow();
    void administratorFlag_data();
    void administratorFlag();

private:
    QString filas() { return Lista(*m_cn, "SELECT NUMERO || ':' || USUARIO FROM V_MV_CTROL_CPTE ORDER BY NUMERO, USUARIO"); }
    std::unique_ptr<EmpresaDelMotor> m_base;
    std::unique_ptr<ado::Connection> m_cn;
    std::unique_ptr<ReconciliationStore> m_store;
};

void StoreLockTest::init()
{
    m_base = std::make_unique<EmpresaDelMotor>();
    m_cn = std::make_unique<ado::Connection>();
    m_base->Abrir(*m_cn);
    m_store = std::make_unique<ReconciliationStore>(*m_cn, false, Entorno());
}

void StoreLockTest::cleanup()
{
    m_store.reset();
    m_cn.reset();
    m_base.reset();
}

void StoreLockTest::takingAFreeNumber()
{
    QCOMPARE(m_store->TitularBloqueo(1, kOper), QString());
    const ResultadoBloqueo r = m_store->TomarBloqueo(1, kOper);
    QVERIFY(r.tomado);
    QCOMPARE(Lista(*m_cn, "SELECT TC || SUCURSAL || NUMERO || LETRA || USUARIO FROM V_MV_CTROL_CPTE"),
             QString("CCCC000100000001XSTATION1|oper1"));
    // Holding it already: taken again, no second row; the same owner in other letters is the same owner.
    QVERIFY(m_store->TomarBloqueo(1, kOper).tomado);
    QVERIFY(m_store->TomarBloqueo(1, "station1|OPER1").tomado);
    QCOMPARE(m_store->TitularBloqueo(1, "station1|OPER1"), QString());
    QCOMPARE(filas(), QString("00000001:STATION1|oper1"));
}

void StoreLockTest::anotherOwnerBlocks_data()
{
    QTest::addColumn<QString>("existente");
    QTest::addColumn<bool>("bloquea");
    QTest::newRow("other station") << "STATION9|oper2" << true;
    QTest::newRow("empty owner blocks nobody") << "" << false;
    QTest::newRow("blank owner blocks nobody") << "   " << false;
    QTest::newRow("owner with a quote") << "EST'A|o'p" << true;
}

void StoreLockTest::anotherOwnerBlocks()
{
    QFETCH(QString, existente);
    QFETCH(bool, bloquea);
    m_cn->Execute(QStringLiteral("INSERT INTO V_MV_CTROL_CPTE (TC,SUCURSAL,NUMERO,LETRA,USUARIO) "
                                 "VALUES ('CCCC','0001','00000007','X',%1)").arg(Literal(existente.toUtf8().constData())));
    QCOMPARE(m_store->TitularBloqueo(7, kOper), bloquea ? existente : QString());
    const ResultadoBloqueo r = m_store->TomarBloqueo(7, kOper);
    QCOMPARE(r.tomado, !bloquea);
    QCOMPARE(r.titular, bloquea ? existente : QString());
    QCOMPARE(Contar(*m_cn, "V_MV_CTROL_CPTE WHERE USUARIO = 'STATION1|oper1'"), qint64(bloquea ? 0 : 1));
    // Another number is free all the same.
    QVERIFY(m_store->TomarBloqueo(8, kOper).tomado);
}

void StoreLockTest::administratorTakesOverBesideTheOwner()
{
    QVERIFY(m_store->TomarBloqueo(1, kOper).tomado);
    QVERIFY(!m_store->TomarBloqueo(1, kAdmin).tomado);
    QVERIFY(m_store->TomarBloqueo(1, kAdmin, true).tomado);
    QCOMPARE(filas(), QString("00000001:STATION1|oper1|00000001:STATION2|admin1"));
    // Each sees the other as the holder.
    QCOMPARE(m_store->TitularBloqueo(1, kOper), kAdmin);
    QCOMPARE(m_store->TitularBloqueo(1, kAdmin), kOper);
    QVERIFY(m_store->TomarBloqueo(1, kAdmin, true).tomado);
    QCOMPARE(Contar(*m_cn, "V_MV_CTROL_CPTE"), qint64(2));
}

void StoreLockTest::releasingRemovesOnlyOwnRow()
{
    QVERIFY(m_store->TomarBloqueo(1, kOper).tomado);
    QVERIFY(m_store->TomarBloqueo(1, kAdmin, true).tomado);
    QVERIFY(m_store->TomarBloqueo(2, kAdmin).tomado);
    m_store->SoltarBloqueo(1, kAdmin);
    QCOMPARE(filas(), QString("00000001:STATION1|oper1|00000002:STATION2|admin1"));
    m_store->SoltarBloqueo(2, kOper);   // not the holder: nothing
    QCOMPARE(filas(), QString("00000001:STATION1|oper1|00000002:STATION2|admin1"));
    m_store->SoltarBloqueo(1, "Station1|Oper1");
    QCOMPARE(filas(), QString("00000002:STATION2|admin1"));
    QVERIFY(m_store->TomarBloqueo(1, kAdmin).tomado);
}

void StoreLockTest::administratorFlag_data()
{
    QTest::addColumn<QString>("usuario");
    QTest::addColumn<bool>("administrador");
    QTest::newRow("administrator") << "admin1" << true;
    QTest::newRow("blanks around") << " admin1 " << true;
    QTest::newRow("operator") << "oper1" << false;
    QTest::newRow("unknown") << "nadie" << false;
    QTest::newRow("quote") << "o'neil" << false;
}

void StoreLockTest::administratorFlag()
{
    QFETCH(QString, usuario);
    QFETCH(bool, administrador);
    QCOMPARE(m_store->EsAdministrador(usuario), administrador);
}

QTEST_GUILESS_MAIN(StoreLockTest)
#include "tst_store_lock.moc"
