// BuscarCuenta on the demo chart of accounts: by code, by optional code, and the second try.

#include "CoreDatabase.h"
#include "core/AccountLookup.h"
#include "data/DB_Dll.h"
#include "platform/ado/Recordset.h"
#include "platform/ui/ScriptedDialogs.h"

#include <QTest>

class AccountLookupTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void buscarCuenta_data();
    void buscarCuenta();
    void recordsetLeftOnTheRow();

private:
    CoreDatabase m_db;
};

void AccountLookupTest::initTestCase()
{
    QVERIFY(m_db.crear());
    ui::ScriptedDialogs d;
    m_db.iniciar();
    QVERIFY(d.verifyDone());
}

void AccountLookupTest::buscarCuenta_data()
{
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<bool>("porOpcional");
    QTest::addColumn<bool>("encontrada");
    QTest::addColumn<QString>("codigoDespues");
    QTest::addColumn<bool>("porOpcionalDespues");
    const QString banco(schema::kBankAccount);   // optional code "1.1.01"
    QTest::newRow("by code") << banco << false << true << banco << false;
    QTest::newRow("optional code on the second try") << "1.1.01" << false << true << banco << true;
    QTest::newRow("by optional code") << "1.1.01" << true << true << banco << true;
    QTest::newRow("asked by optional code, found by code") << banco << true << true << banco << true;
    QTest::newRow("missing") << "9999" << false << false << "9999" << false;
    QTest::newRow("operator text with a quote") << "11'01" << false << false << "11'01" << false;
}

void AccountLookupTest::buscarCuenta()
{
    QFETCH(QString, codigo);
    QFETCH(bool, porOpcional);
    QFETCH(bool, encontrada);
    QFETCH(QString, codigoDespues);
    QFETCH(bool, porOpcionalDespues);
    ui::ScriptedDialogs d;
    QCOMPARE(ModGlobal::BuscarCuenta(codigo, nullptr, true, porOpcional), encontrada);
    QCOMPARE(codigo, codigoDespues);
    QCOMPARE(porOpcional, porOpcionalDespues);
    QVERIFY(d.verifyDone());
}

void AccountLookupTest::recordsetLeftOnTheRow()
{
    ui::ScriptedDialogs d;
    ado::Recordset rs;
    QString codigo = "1.1.01";
    bool porOpcional = false;
    QVERIFY(ModGlobal::BuscarCuenta(codigo, &rs, false, porOpcional));
    QCOMPARE(rs.State(), int(ado::adStateOpen));
    QCOMPARE(rs["Codigo"].toText(), QString(schema::kBankAccount));
    QCOMPARE(rs.LockType, int(ado::adLockOptimistic));

    codigo = "no existe";
    porOpcional = false;
    QVERIFY(!ModGlobal::BuscarCuenta(codigo, &rs, true, porOpcional));
    QCOMPARE(rs.State(), int(ado::adStateOpen));
    QVERIFY(rs.EOF());
    QVERIFY(d.verifyDone());
}

QTEST_MAIN(AccountLookupTest)
#include "tst_core_account_lookup.moc"
