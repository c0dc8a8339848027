// One reconciliation from its number to its finalization, the way the workbench writes it, without the
// window: the road of the fixture company ending in its final database state. Then the ways each writing
// operation must not go wrong: numbers, atomic saves, releases that leave no dangling links, deleting and
// finalizing all of a reconciliation's lines.

#include "EmpresaDelMotor.h"
#include "EntornoEscrituraDePrueba.h"

#include "data/DB_Dll.h"
#include "platform/ui/ScriptedDialogs.h"
#include "reconciliation/EntornoPrograma.h"
#include "reconciliation/engine/ConfiguracionComparacion.h"
#include "reconciliation/engine/EspacioVinculos.h"
#include "reconciliation/engine/LinkList.h"
#include "reconciliation/engine/Store.h"

#include <QSqlQuery>

using namespace conciliacion;
using namespace prueba;

namespace {

const QString kOper = QStringLiteral("STATION1|oper1");

WorkbenchRow* porConcepto(WorkbenchRows& filas, const QString& concepto)
{
    for (WorkbenchRow& f : filas) {
        if (f.Concepto == concepto)
            return &f;
    }
    return nullptr;
}

QStringList conceptos(const WorkbenchRows& filas)
{
    QStringList c;
    for (const WorkbenchRow& f : filas)
        c << f.Concepto + (f.Checked ? "+" : "");
    return c;
}

} // namespace

class StoreWorkflowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void roadToTheFinalState();
    void nextNumberIsNeverAnExistingOne_data();
    void nextNumberIsNeverAnExistingOne();
    void headerKindAndState_data();
    void headerKindAndState();
    void savedLinesComeBack();
    void saveWritesOnlyThisReconciliationAndKeepsTheRightRule();
    void failingWritesChangeNothing_data();
    void failingWritesChangeNothing();
    void reconcilingUnlinksEveryUnmarkedLineOfItsOwn();
    void releaseLeavesNoDanglingLinks();
    void finalizeActsOnLinesNotShown();
    void finalizedReconciliationIsRefused();
    void deleteRemovesEveryLink();
    void longLinkListsAreKeptWhole();
    void eachToEachGoesInBlocks_data();
    void eachToEachGoesInBlocks();
    void eachToEachOverManyLeftLines();

private:
    // Reconciliation 1 registered, D1/D2 against C1/C2 reconciled and linked, D3 and C3 unmarked.
    struct Conciliada {
        WorkbenchRows izquierda, derecha;
    };
    Conciliada conciliar(ReconciliationStore& store, qint64 numero = 1);
    Conciliada conciliar() { return conciliar(*m_store); }

    // A fresh fixture database with a store on its own connection, for every test but the road.
    std::unique_ptr<EmpresaDelMotor> m_base;
    std::unique_ptr<ado::Connection> m_cn;
    std::unique_ptr<ReconciliationStore> m_store;
};

void StoreWorkflowTest::init()
{
    m_base = std::make_unique<EmpresaDelMotor>();
    m_cn = std::make_unique<ado::Connection>();
    m_base->Abrir(*m_cn);
    m_store = std::make_unique<ReconciliationStore>(*m_cn, true, Entorno());
}

void StoreWorkflowTest::cleanup()
{
    m_store.reset();
    m_cn.reset();
    m_base.reset();
}

StoreWorkflowTest::Conciliada StoreWorkflowTest::conciliar(ReconciliationStore& store, qint64 numero)
{
    Conciliada c;
    c.izquierda = store.RegistrarLibres(Marzo(numero), Lado::Izquierda).filas;
    c.derecha = store.RegistrarLibres(Marzo(numero), Lado::Derecha).filas;
    for (const char* concepto : {"Cobro FC 10", "Cobro FC 11"})
        porConcepto(c.izquierda, concepto)->Checked = true;
    for (const char* concepto : {"Deposito 10", "Deposito 11"})
        porConcepto(c.derecha, concepto)->Checked = true;
    const VinculosNuevos nuevos = BuscarVinculosNuevos(c.izquierda, c.derecha);
    AsignarVinculosNuevos(c.izquierda, c.derecha, nuevos);
    const Resultado r = store.Conciliar(Marzo(numero), Estados(c.izquierda), Estados(c.derecha),
                                        ParaGrabar(nuevos, c.izquierda, c.derecha));
    if (r != Resultado::Hecho)
        qFatal("reconciling failed");
    return c;
}

void StoreWorkflowTest::roadToTheFinalState()
{
    EmpresaDelMotor b;
    ui::ScriptedDialogs dialogos;
    DB_Dll& db = gDB();
    db.gServidor = QStringLiteral("sqlite");
    db.gDBName = b.archivo;
    db.gUsuario = QStringLiteral("oper1");
    db.OpenServerADODB(false, 3, QString(), true);
    QVERIFY(db.gCnn.State() == ado::adStateOpen);
    QVERIFY(!db.gEsAdmin);   // the journal is read through SS_MV_ASIENTOS
    ado::Connection& cn = db.gCnn;
    ReconciliationStore store(cn, db.gEsAdmin, EntornoPrograma());

    // 1-2. A new number, free, with no header; its lock is taken.
    QCOMPARE(store.ProximaConciliacion(), qint64(1));
    QCOMPARE(store.TitularBloqueo(1, kOper), QString());
    QVERIFY(!store.LeerCabecera(1));
    QVERIFY(store.TomarBloqueo(1, kOper).tomado);

    // 3-4. The account's settings: none stored, then Comprobante and Importe saved.
    ConfiguracionComparacion cfg = store.LeerConfiguracion("1101");
    QCOMPARE(ValorConfiguracion(cfg), QString("000010 "));
    cfg.campos[cmpComprobante] = 1;
    cfg.tolerancia = "0";
    QVERIFY(store.GrabarConfiguracion("1101", cfg));
    QCOMPARE(Lista(cn, "SELECT CLAVE || '=' || VALOR || '/' || Grupo || '/' || PoliticaNegocio FROM TA_CONFIGURACION "
                       "WHERE CLAVE LIKE 'CONCCTAS%'"),
             QString("CONCCTAS_CFG1101=0001100/DATOS/0"));

    // 5-8. Both panels loaded, D1/D2 and C1/C2 marked and reconciled.
    Conciliada c = conciliar(store);
    QCOMPARE(Lista(cn, "SELECT IdCpte || '-' || IdCpteAux FROM MV_CONCILIACION_Cpte_AUX ORDER BY 1"),
             QString("1-1|1-2|2-1|2-2"));
    QCOMPARE(Lista(cn, "SELECT ID || ':' || CONCILIADO || ':' || IDCONCAUX || ':' || CONCILIADOCON FROM MV_CONCILIACION "
                       "ORDER BY ID"),
             QString("1:1:1:1,2|2:1:2:1,2|3:0:3:"));
    QCOMPARE(Lista(cn, "SELECT ID || ':' || FINALIZADA || ':' || CONCILIA FROM MV_CONCILIACION_AUX ORDER BY ID"),
             QString("1:1:1,2|2:1:1,2|3:0:"));

    // 9. GRABAR: saved again, lock released; the next number is 2.
    QCOMPARE(store.Guardar(Marzo(1), Estados(c.izquierda), Estados(c.derecha)), Resultado::Hecho);
    store.SoltarBloqueo(1, kOper);
    QCOMPARE(store.ProximaConciliacion(), qint64(2));

    // 10. Reopened: unmarked lines only, then the lock.
    const std::optional<Cabecera> abierta = store.LeerCabecera(1);
    QVERIFY(abierta && abierta->tipo == "CTA" && !abierta->finalizada);
    QCOMPARE(conceptos(store.CargarLineas(1, Lado::Izquierda, false)), QStringList{"Ajuste"});
    QCOMPARE(conceptos(store.CargarLineas(1, Lado::Derecha, false)), QStringList{"Comision"});
    QVERIFY(store.TomarBloqueo(1, kOper).tomado);

    // 11. Another station: blocked; an administrator takes over beside it, and leaving removes only his row.
    QCOMPARE(store.TitularBloqueo(1, "STATION2|oper2"), kOper);
    QVERIFY(!store.EsAdministrador("oper1"));
    QVERIFY(store.EsAdministrador("admin1"));
    QVERIFY(store.TomarBloqueo(1, "STATION2|admin1", true).tomado);
    store.SoltarBloqueo(1, "STATION2|admin1");
    QCOMPARE(Lista(cn, "SELECT USUARIO FROM V_MV_CTROL_CPTE"), kOper);

    // 12-13. C3 released; with the reconciled lines shown, both lists come back checked.
    QCOMPARE(store.Liberar(1, Lado::Derecha, {3}), Resultado::Hecho);
    QVERIFY(store.CargarLineas(1, Lado::Derecha, false).empty());
    c.izquierda = store.CargarLineas(1, Lado::Izquierda, true);
    c.derecha = store.CargarLineas(1, Lado::Derecha, true);
    QCOMPARE(conceptos(c.izquierda), (QStringList{"Cobro FC 10+", "Cobro FC 11+", "Ajuste"}));
    QCOMPARE(conceptos(c.derecha), (QStringList{"Deposito 10+", "Deposito 11+"}));

    // 14. Finalized: saved, D3 released, lines and header flagged, lock released.
    QCOMPARE(store.Finalizar(Marzo(1), Estados(c.izquierda), Estados(c.derecha), kOper), Resultado::Hecho);

    // 15. The finalized one opens, refuses releasing and saving, and is left.
    QVERIFY(store.LeerCabecera(1)->finalizada);
    QVERIFY(store.TomarBloqueo(1, kOper).tomado);
    QCOMPARE(store.Liberar(1, Lado::Izquierda, {1}), Resultado::Finalizada);
    QCOMPARE(store.Guardar(Marzo(1), Estados(c.izquierda), Estados(c.derecha)), Resultado::Finalizada);
    store.SoltarBloqueo(1, kOper);

    // 16-17. Reconciliation 2 takes the free D3 and C3, and is deleted.
    QCOMPARE(store.ProximaConciliacion(), qint64(2));
    QCOMPARE(conceptos(store.RegistrarLibres(Marzo(2), Lado::Izquierda).filas), QStringList{"Ajuste"});
    QCOMPARE(conceptos(store.RegistrarLibres(Marzo(2), Lado::Derecha).filas), QStringList{"Comision"});
    QCOMPARE(Lista(cn, "SELECT ID FROM MV_CONCILIACION WHERE IDCONCILIACION = 2"), QString("4"));
    QCOMPARE(store.Borrar(2, kOper), Resultado::Hecho);
    // 18. Closing releases the lock of the number shown.
    store.SoltarBloqueo(2, kOper);

    // The final state, row by row.
    const ado::RowSet cab = cn.Query("SELECT * FROM MV_CONCILIACION_CAB");
    QCOMPARE(cab.rows.size(), 1);
    QStringList encabezado;
    for (const ado::Variant& v : cab.rows[0])
        encabezado << suite::Conversiones::TextoCampo(v);
    QCOMPARE(encabezado.join('|'), QString("1|CTA|1101|18/04/2026|Marzo|01/03/2026|31/03/2026|||1"));
    QCOMPARE(Lista(cn, "SELECT ID || ':' || IDCONCILIACION || ':' || CONCILIADO || ':' || FINALIZADA || ':' || IDCONCAUX "
                       "|| ':' || CONCILIADOCON FROM MV_CONCILIACION ORDER BY ID"),
             QString("1:1:1:1:1:1,2|2:1:1:1:2:1,2"));
    QCOMPARE(Lista(cn, "SELECT ID || ':' || IDCONCILIACION || ':' || FINALIZADA || ':' || CONCILIA "
                       "FROM MV_CONCILIACION_AUX ORDER BY ID"),
             QString("1:1:1:1,2|2:1:1:1,2"));
    QCOMPARE(Lista(cn, "SELECT IdCpte || '-' || IdCpteAux FROM MV_CONCILIACION_Cpte_AUX ORDER BY 1"),
             QString("1-1|1-2|2-1|2-2"));
    QCOMPARE(Contar(cn, "V_MV_CTROL_CPTE"), qint64(0));
    QCOMPARE(Lista(cn, "SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = 'CONCCTAS_CFG1101'"), QString("0001100"));
    QCOMPARE(Contar(cn, "MV_CONCILIACION WHERE " + ClaveDe("D3")), qint64(0));
    QCOMPARE(Contar(cn, "MV_CONCILIACION_AUX WHERE " + ClaveDe("C3")), qint64(0));
    QVERIFY(dialogos.verifyDone());
}

void StoreWorkflowTest::nextNumberIsNeverAnExistingOne_data()
{
    QTest::addColumn<QStringList>("sentencias");
    QTest::addColumn<qint64>("proximo");
    QTest::newRow("empty") << QStringList{} << qint64(1);
    QTest::newRow("header without lines")
        << QStringList{"INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, TIPO) VALUES ('              5', 'CTA')"}
        << qint64(6);
    QTest::newRow("bank reconciliation")
        << QStringList{"INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, TIPO) VALUES ('             20', 'BCO')"}
        << qint64(21);
    QTest::newRow("9 before 10")
        << QStringList{"INSERT INTO MV_CONCILIACION (IDCONCILIACION, CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], "
                       "PERIODO, TIPO_REG) VALUES ('             10', '1101', 1, 1, 1, 2026, 'N')",
                       "INSERT INTO MV_CONCILIACION (IDCONCILIACION, CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], "
                       "PERIODO, TIPO_REG) VALUES ('              9', '1101', 1, 1, 2, 2026, 'N')"}
        << qint64(11);
    QTest::newRow("right lines only")
        << QStringList{"INSERT INTO MV_CONCILIACION_AUX (IDCONCILIACION, CUENTA, SECUENCIA, MES_OPERATIVO, "
                       "[NUMERO ASIENTO], PERIODO, TIPO_REG) VALUES ('             41', '1101', 1, 1, 1, 2026, 'N')"}
        << qint64(42);
}

void StoreWorkflowTest::nextNumberIsNeverAnExistingOne()
{
    QFETCH(QStringList, sentencias);
    QFETCH(qint64, proximo);
    for (const QString& s : sentencias)
        m_cn->Execute(s);
    QCOMPARE(m_store->ProximaConciliacion(), proximo);
    QVERIFY(!m_store->LeerCabecera(proximo));
}

void StoreWorkflowTest::headerKindAndState_data()
{
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<QString>("finalizada");
    QTest::addColumn<bool>("deBanco");
    QTest::addColumn<bool>("cerrada");
    QTest::newRow("ours") << "'CTA'" << "0" << false << false;
    QTest::newRow("bank, any letters") << "'bco'" << "NULL" << true << false;
    QTest::newRow("no type, finalized") << "NULL" << "1" << false << true;
}

void StoreWorkflowTest::headerKindAndState()
{
    QFETCH(QString, tipo);
    QFETCH(QString, finalizada);
    QFETCH(bool, deBanco);
    QFETCH(bool, cerrada);
    m_cn->Execute(QStringLiteral("INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, TIPO, FINALIZADA) "
                                 "VALUES ('              3', %1, %2)").arg(tipo, finalizada));
    const std::optional<Cabecera> c = m_store->LeerCabecera(3);
    QVERIFY(c);
    QCOMPARE(c->DeBanco(), deBanco);
    QCOMPARE(c->finalizada, cerrada);
}

void StoreWorkflowTest::savedLinesComeBack()
{
    ReconciliationStore& store = *m_store;
    QVERIFY(store.CargarLineas(1, Lado::Izquierda, true).empty());   // nothing stored: nothing
    conciliar(store);
    const WorkbenchRows izquierda = store.CargarLineas(1, Lado::Izquierda, true);
    QCOMPARE(conceptos(izquierda), (QStringList{"Cobro FC 10+", "Cobro FC 11+", "Ajuste"}));
    QCOMPARE(izquierda[0].ConciliadoCon, QString("1,2"));
    QCOMPARE(izquierda[0].Importe, ado::Currency::fromLong(100));
    const WorkbenchRows derecha = store.CargarLineas(1, Lado::Derecha, true);
    // Right rows carry their journal key too.
    QCOMPARE(derecha[1].Secuencia() + "/" + derecha[1].NroAsiento() + "/" + derecha[1].Tipo_Reg(), QString("2/11/N"));
    QCOMPARE(derecha[1].Comprobante, QString("000200000005X"));
    QCOMPARE(derecha[1].Vencimiento, QString("15/03/2026"));
    QCOMPARE(derecha[1].ConciliadoCon, QString("1,2"));
    QCOMPARE(conceptos(store.CargarLineas(1, Lado::Derecha, false)), QStringList{"Comision"});
}

void StoreWorkflowTest::saveWritesOnlyThisReconciliationAndKeepsTheRightRule()
{
    ado::Connection& cn = *m_cn;
    ReconciliationStore& store = *m_store;
    conciliar(store, 1);
    store.RegistrarLibres(Marzo(2), Lado::Izquierda);   // nothing left: every line is held by 1
    // A stale ID of reconciliation 1 saved under number 2 touches nothing; an unmarked right row keeps no list.
    QCOMPARE(store.Guardar(Marzo(2), {{1, false, "x"}}, {}), Resultado::Hecho);
    QCOMPARE(Lista(cn, "SELECT CONCILIADO || ':' || CONCILIADOCON FROM MV_CONCILIACION WHERE ID = 1"), QString("1:1,2"));
    QCOMPARE(store.Guardar(Marzo(1), {{3, false, "2"}}, {{2, false, "1,2"}}), Resultado::Hecho);
    QCOMPARE(Lista(cn, "SELECT CONCILIADO || ':' || CONCILIADOCON FROM MV_CONCILIACION WHERE ID = 3"), QString("0:2"));
    QCOMPARE(Lista(cn, "SELECT FINALIZADA || ':' || CONCILIA FROM MV_CONCILIACION_AUX WHERE ID = 2"), QString("0:"));
    // Saving a number that has no header yet writes it.
    QCOMPARE(store.Guardar(Marzo(7, "o'k"), {}, {}), Resultado::Hecho);
    QCOMPARE(store.LeerCabecera(7)->observaciones, QString("o'k"));
    // Text that reads NULL is text.
    QCOMPARE(store.Guardar(Marzo(8, "NULL"), {}, {}), Resultado::Hecho);
    QCOMPARE(Lista(cn, "SELECT OBSERVACIONES FROM MV_CONCILIACION_CAB WHERE IDCONCILIACION = 8"), QString("NULL"));
}

void StoreWorkflowTest::failingWritesChangeNothing_data()
{
    QTest::addColumn<QString>("disparador");
    QTest::addColumn<QString>("operacion");
    QTest::newRow("save: a right line refused") << "BEFORE UPDATE ON MV_CONCILIACION_AUX" << "guardar";
    QTest::newRow("reconcile: a link refused") << "BEFORE INSERT ON MV_CONCILIACION_Cpte_AUX" << "conciliar";
    QTest::newRow("release: a line refused") << "BEFORE DELETE ON MV_CONCILIACION" << "liberar";
    QTest::newRow("finalize: a right line refused") << "BEFORE DELETE ON MV_CONCILIACION_AUX" << "finalizar";
    QTest::newRow("finalize: the header refused") << "BEFORE UPDATE OF FINALIZADA ON MV_CONCILIACION_CAB "
                                                     "WHEN NEW.FINALIZADA = 1" << "finalizar";
    QTest::newRow("delete: the header refused") << "BEFORE DELETE ON MV_CONCILIACION_CAB" << "borrar";
}

void StoreWorkflowTest::failingWritesChangeNothing()
{
    QFETCH(QString, disparador);
    QFETCH(QString, operacion);
    ado::Connection& cn = *m_cn;
    ReconciliationStore& store = *m_store;
    Conciliada c = conciliar(store);
    QVERIFY(store.TomarBloqueo(1, kOper).tomado);
    // The operator's screen now: D1 and C2 unmarked and unlinked, D3 and C3 marked as new.
    c.izquierda[0].Checked = false;
    c.izquierda[0].ConciliadoCon.clear();
    c.derecha[1].Checked = false;
    c.derecha[1].ConciliadoCon.clear();
    c.izquierda[2].Checked = true;
    c.derecha[2].Checked = true;
    const VinculosNuevos nuevos = BuscarVinculosNuevos(c.izquierda, c.derecha);
    AsignarVinculosNuevos(c.izquierda, c.derecha, nuevos);

    QSqlQuery q(cn.database());
    QVERIFY(q.exec("CREATE TEMP TRIGGER rechazo " + disparador + " BEGIN SELECT RAISE(ABORT, 'rechazado'); END"));
    const QString antes = Volcado(cn);
    try {
        if (operacion == "guardar")
            store.Guardar(Marzo(1), Estados(c.izquierda), Estados(c.derecha));
        else if (operacion == "conciliar")
            store.Conciliar(Marzo(1), Estados(c.izquierda), Estados(c.derecha), ParaGrabar(nuevos, c.izquierda, c.derecha));
        else if (operacion == "liberar")
            store.Liberar(1, Lado::Izquierda, {1, 3});
        else if (operacion == "finalizar")
            store.Finalizar(Marzo(1), Estados(c.izquierda), Estados(c.derecha), kOper);
        else
            store.Borrar(1, kOper);
        QFAIL("the refused statement must raise");
    } catch (const ado::Error& e) {
        QVERIFY(e.Description.contains("rechazado"));
    }
    QVERIFY(!cn.InTransaction());
    QCOMPARE(Volcado(cn), antes);
}

void StoreWorkflowTest::reconcilingUnlinksEveryUnmarkedLineOfItsOwn()
{
    ado::Connection& cn = *m_cn;
    ReconciliationStore& store = *m_store;
    Conciliada c = conciliar(store);
    // Beside D1-D3 and C1-C3: a line of this reconciliation on each side that no list shows (ID 10), and a line
    // of reconciliation 9 on each side whose ID lies among this one's (ID 5), all unmarked and linked.
    const QString columnas = QStringLiteral("(ID, IDCONCILIACION, CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], "
                                            "PERIODO, TIPO_REG) VALUES ");
    for (const char* tabla : {"MV_CONCILIACION", "MV_CONCILIACION_AUX"})
        cn.Execute(QStringLiteral("INSERT INTO %1 %2 (10, '              1', '9999', 1, 1, 1, 2026, 'N'), "
                                  "(5, '              9', '9999', 2, 1, 1, 2026, 'N')")
                       .arg(QLatin1String(tabla), columnas));
    cn.Execute("INSERT INTO MV_CONCILIACION_Cpte_AUX (IdCpte, IdCpteAux) VALUES (10, 1), (5, 1), (1, 10), (1, 5)");
    // D2 unmarked and saved without reconciling: its link rows stay until the next reconciling run.
    c.izquierda[1].Checked = false;
    QCOMPARE(store.Guardar(Marzo(1), Estados(c.izquierda), Estados(c.derecha)), Resultado::Hecho);
    QCOMPARE(Contar(cn, "MV_CONCILIACION_Cpte_AUX"), qint64(8));

    QCOMPARE(store.Conciliar(Marzo(1), Estados(c.izquierda), Estados(c.derecha), {}), Resultado::Hecho);
    // D2 and the unlisted lines lose theirs; the marked lines and reconciliation 9's keep theirs.
    QCOMPARE(Lista(cn, "SELECT IdCpte || '-' || IdCpteAux FROM MV_CONCILIACION_Cpte_AUX ORDER BY IdCpte, IdCpteAux"),
             QString("1-1|1-2|1-5|5-1"));
}

void StoreWorkflowTest::releaseLeavesNoDanglingLinks()
{
    ado::Connection& cn = *m_cn;
    ReconciliationStore& store = *m_store;
    conciliar(store);
    // A partner list that names 1 as a whole element and as part of a longer ID.
    cn.Execute("UPDATE MV_CONCILIACION_AUX SET CONCILIA = '11,1,2' WHERE ID = 2");
    QCOMPARE(store.Liberar(1, Lado::Izquierda, {1}), Resultado::Hecho);
    QCOMPARE(Contar(cn, "MV_CONCILIACION WHERE ID = 1"), qint64(0));
    QCOMPARE(Lista(cn, "SELECT IdCpte || '-' || IdCpteAux FROM MV_CONCILIACION_Cpte_AUX ORDER BY 1"), QString("2-1|2-2"));
    QCOMPARE(Lista(cn, "SELECT CONCILIA FROM MV_CONCILIACION_AUX ORDER BY ID"), QString("2|11,2|"));
    // D1 is free again: another reconciliation takes it.
    QCOMPARE(conceptos(store.RegistrarLibres(Marzo(2), Lado::Izquierda).filas), QStringList{"Cobro FC 10"});
    // An ID of another reconciliation is not released under this number.
    QCOMPARE(store.Liberar(1, Lado::Izquierda, {4}), Resultado::Hecho);
    QCOMPARE(Contar(cn, "MV_CONCILIACION WHERE ID = 4"), qint64(1));
    // Releasing nothing touches nothing.
    QCOMPARE(store.Liberar(1, Lado::Derecha, {}), Resultado::Hecho);
}

void StoreWorkflowTest::finalizeActsOnLinesNotShown()
{
    ado::Connection& cn = *m_cn;
    ReconciliationStore& store = *m_store;
    conciliar(store);
    QVERIFY(store.TomarBloqueo(1, kOper).tomado);
    // Reopened with the reconciled lines hidden: the lists hold D3 and C3 only.
    const WorkbenchRows izquierda = store.CargarLineas(1, Lado::Izquierda, false);
    const WorkbenchRows derecha = store.CargarLineas(1, Lado::Derecha, false);
    QCOMPARE(store.Finalizar(Marzo(1), Estados(izquierda), Estados(derecha), kOper), Resultado::Hecho);
    QCOMPARE(Lista(cn, "SELECT ID || ':' || FINALIZADA FROM MV_CONCILIACION ORDER BY ID"), QString("1:1|2:1"));
    QCOMPARE(Lista(cn, "SELECT ID || ':' || FINALIZADA FROM MV_CONCILIACION_AUX ORDER BY ID"), QString("1:1|2:1"));
    QCOMPARE(Lista(cn, "SELECT FINALIZADA FROM MV_CONCILIACION_CAB"), QString("1"));
    QCOMPARE(Contar(cn, "MV_CONCILIACION_Cpte_AUX"), qint64(4));
    QCOMPARE(Contar(cn, "V_MV_CTROL_CPTE"), qint64(0));
}

void StoreWorkflowTest::finalizedReconciliationIsRefused()
{
    ado::Connection& cn = *m_cn;
    ReconciliationStore& store = *m_store;
    const Conciliada c = conciliar(store);
    QCOMPARE(store.Finalizar(Marzo(1), Estados(c.izquierda), Estados(c.derecha), kOper), Resultado::Hecho);
    QVERIFY(store.TomarBloqueo(1, kOper).tomado);
    const QString antes = Volcado(cn);
    QCOMPARE(store.Finalizar(Marzo(1), {}, {}, kOper), Resultado::Finalizada);
    QCOMPARE(store.Borrar(1, kOper), Resultado::Finalizada);
    QCOMPARE(store.Conciliar(Marzo(1), {}, {}, {}), Resultado::Finalizada);
    QCOMPARE(store.RegistrarLibres(Marzo(1), Lado::Izquierda).finalizada, true);
    QCOMPARE(Volcado(cn), antes);
}

void StoreWorkflowTest::deleteRemovesEveryLink()
{
    ado::Connection& cn = *m_cn;
    ReconciliationStore& store = *m_store;
    conciliar(store);
    QVERIFY(store.TomarBloqueo(1, kOper).tomado);
    QVERIFY(store.TomarBloqueo(1, "STATION2|admin1", true).tomado);
    // Another reconciliation's link stays.
    cn.Execute("INSERT INTO MV_CONCILIACION_Cpte_AUX (IdCpte, IdCpteAux) VALUES (90, 91)");
    // With the reconciled lines hidden the lists would show no linked row: every link goes all the same.
    QCOMPARE(store.Borrar(1, kOper), Resultado::Hecho);
    QCOMPARE(Lista(cn, "SELECT IdCpte || '-' || IdCpteAux FROM MV_CONCILIACION_Cpte_AUX"), QString("90-91"));
    QCOMPARE(Contar(cn, "MV_CONCILIACION"), qint64(0));
    QCOMPARE(Contar(cn, "MV_CONCILIACION_AUX"), qint64(0));
    QCOMPARE(Contar(cn, "MV_CONCILIACION_CAB"), qint64(0));
    QCOMPARE(Lista(cn, "SELECT USUARIO FROM V_MV_CTROL_CPTE"), QString("STATION2|admin1"));
    QCOMPARE(store.ProximaConciliacion(), qint64(1));
}

// A line linked with some 1,300 partners has a link list of about 10,000 characters: saved and read back whole.
void StoreWorkflowTest::longLinkListsAreKeptWhole()
{
    Conciliada c = conciliar();
    std::vector<qint64> socios;
    for (qint64 i = 0; i < 1300; ++i)
        socios.push_back(1000000 + i);
    const QString largo = UnirVinculo(socios);
    QVERIFY(largo.size() > 8000);
    porConcepto(c.izquierda, "Cobro FC 10")->ConciliadoCon = largo;
    porConcepto(c.derecha, "Deposito 10")->ConciliadoCon = largo;
    QCOMPARE(m_store->Guardar(Marzo(1), Estados(c.izquierda), Estados(c.derecha)), Resultado::Hecho);
    for (Lado lado : {Lado::Izquierda, Lado::Derecha}) {
        const WorkbenchRows leidas = m_store->CargarLineas(1, lado, true);
        QStringList vinculos;
        for (const WorkbenchRow& f : leidas)
            vinculos << f.ConciliadoCon;
        QVERIFY(vinculos.contains(largo));
    }
}

void StoreWorkflowTest::eachToEachGoesInBlocks_data()
{
    QTest::addColumn<int>("cancelarEn");   // the report at which the operator cancels; 0: never
    QTest::newRow("written") << 0;
    QTest::newRow("cancelled at the start") << 1;
    QTest::newRow("cancelled half way") << 15;
}

// Each to each, 150 x 100 pairs: the store never holds the pairs. It tells how far it got, in bytes written,
// before it writes anything and then whenever the interval has passed on the writer's clock (here 25 ms go by
// at every reading, so at every fourth step), whatever a step writes; a cancel at any report leaves every
// table as it was.
void StoreWorkflowTest::eachToEachGoesInBlocks()
{
    QFETCH(int, cancelarEn);
    EntornoEscrituraDePrueba reloj;
    reloj.pasoMs = 25;
    const Conciliada c = conciliar();
    VinculosAGrabar v;
    for (qint64 i = 1; i <= 150; ++i)
        v.izquierdasNuevas.push_back(1000 + i);
    for (qint64 j = 1; j <= 100; ++j)
        v.derechasNuevas.push_back(5000 + j);
    const QString antes = Volcado(*m_cn);
    QList<qint64> avances;
    qint64 totalDicho = 0;
    const Resultado r = m_store->Conciliar(Marzo(1), Estados(c.izquierda), Estados(c.derecha), v,
                                           [&](qint64 hechos, qint64 total) {
                                               avances << hechos;
                                               totalDicho = total;
                                               return avances.size() == cancelarEn;
                                           });
    // The lines saved, each its link list and the rest of its row, and the link rows.
    qint64 total = 15000 * kBytesPorVinculo;
    for (const EstadosFilas& estados : {Estados(c.izquierda), Estados(c.derecha)})
        for (const EstadoFila& e : estados)
            total += BytesEstado(e);
    QCOMPARE(totalDicho, total);
    QCOMPARE(avances.first(), 0);
    if (cancelarEn) {
        QCOMPARE(r, Resultado::Cancelada);
        QCOMPARE(avances.size(), cancelarEn);
        QCOMPARE(Volcado(*m_cn), antes);
        return;
    }
    QCOMPARE(r, Resultado::Hecho);
    QCOMPARE(avances.last(), total);
    // A right line's 150 rows at each step: never more than four steps between two reports.
    QVERIFY(avances.size() > 25);
    for (qsizetype i = 1; i < avances.size(); ++i)
        QVERIFY(avances[i] - avances[i - 1] <= 4 * 150 * kBytesPorVinculo);
    const ado::RowSet cuenta = m_cn->Query(QStringLiteral("SELECT COUNT(*), COUNT(DISTINCT IdCpte), COUNT(DISTINCT "
                                                          "IdCpteAux) FROM MV_CONCILIACION_Cpte_AUX WHERE IdCpte > 1000"));
    QStringList valores;
    for (const ado::Variant& valor : cuenta.rows.at(0))
        valores << valor.toText();
    QCOMPARE(valores, (QStringList{QStringLiteral("15000"), QStringLiteral("150"), QStringLiteral("100")}));
}

// More new left lines than the store writes together, in no order: every pair is written once.
void StoreWorkflowTest::eachToEachOverManyLeftLines()
{
    const Conciliada c = conciliar();
    VinculosAGrabar v;
    for (qint64 i = 600; i >= 1; --i)
        v.izquierdasNuevas.push_back(1000 + (i * 7) % 601);
    for (qint64 j = 30; j >= 1; --j)
        v.derechasNuevas.push_back(5000 + j);
    QCOMPARE(m_store->Conciliar(Marzo(1), Estados(c.izquierda), Estados(c.derecha), v), Resultado::Hecho);
    QCOMPARE(Lista(*m_cn, "SELECT COUNT(*) || '/' || COUNT(DISTINCT IdCpte) || '/' || COUNT(DISTINCT IdCpteAux) || '/' "
                          "|| MIN(IdCpte) || '/' || MAX(IdCpte) FROM MV_CONCILIACION_Cpte_AUX WHERE IdCpte > 1000"),
             QString("18000/600/30/1001/1600"));
    QCOMPARE(Lista(*m_cn, "SELECT DISTINCT n FROM (SELECT COUNT(*) AS n FROM MV_CONCILIACION_Cpte_AUX WHERE IdCpte > 1000 "
                          "GROUP BY IdCpteAux)"),
             QString("600"));
}

QTEST_GUILESS_MAIN(StoreWorkflowTest)
#include "tst_store_workflow.moc"
