// Registering a panel's free journal lines: what is written, what is skipped, texts kept as they are, the
// IDs handed back, failures that leave nothing, and two stations loading the same account at once.

#include "EmpresaDelMotor.h"

#include "reconciliation/engine/Store.h"
#include "reconciliation/engine/StoreJournalQuery.h"

#include <QSqlQuery>
#include <algorithm>
#include <QThread>
#include <latch>

using namespace conciliacion;
using namespace prueba;

class StoreRegistrationTest : public QObject {
    Q_OBJECT
private slots:
    void journalQueryRuns();
    void registersFreeLinesInQueryOrder();
    void listRowsCarryTheirOwnRows();
    void manyLinesComeBackInJournalOrder_data();
    void manyLinesComeBackInJournalOrder();
    void heldLinesAreSkipped_data();
    void heldLinesAreSkipped();
    void headerIsWrittenOnce();
    void textsAreStoredUnchanged();
    void userFilterIsALiteralPrefix_data();
    void userFilterIsALiteralPrefix();
    void nonAdministratorReadsThroughTheSynonym();
    void finalizedReconciliationGetsNothing();
    void failedRegistrationLeavesNothing();
    void twoStationsAtOnceRegisterEachLineOnce();
};

void StoreRegistrationTest::journalQueryRuns()
{
    EmpresaDelMotor b;
    ado::Connection cn;
    b.Abrir(cn);
    for (bool administrador : {true, false}) {
        ReconciliationStore store(cn, administrador, Entorno());
        for (Lado lado : {Lado::Izquierda, Lado::Derecha}) {
            ado::Recordset rs;
            store.AbrirDiario(Marzo(1), lado, rs);
            QStringList detalles;
            for (; !rs.EOF(); rs.MoveNext())
                detalles << rs.Fields("Detalle").Value().toText();
            QCOMPARE(detalles.join('|'), QString(lado == Lado::Izquierda ? "Cobro FC 10|Cobro FC 11|Ajuste"
                                                                          : "Deposito 10|Deposito 11|Comision"));
        }
    }
}

void StoreRegistrationTest::registersFreeLinesInQueryOrder()
{
    EmpresaDelMotor b;
    ado::Connection cn;
    b.Abrir(cn);
    ReconciliationStore store(cn, true, Entorno());

    const ResultadoRegistro izq = store.RegistrarLibres(Marzo(1), Lado::Izquierda);
    const ResultadoRegistro der = store.RegistrarLibres(Marzo(1), Lado::Derecha);
    QVERIFY(izq.cabeceraCreada);
    QVERIFY(!der.cabeceraCreada);
    QCOMPARE(izq.filas.size(), size_t(3));
    QCOMPARE(der.filas.size(), size_t(3));

    // L1..L3 are D1..D3 and R1..R3 are C1..C3: the period and the account leave X1 and X2 out.
    QCOMPARE(Lista(cn, "SELECT CONCEPTO FROM MV_CONCILIACION ORDER BY ID"), QString("Cobro FC 10|Cobro FC 11|Ajuste"));
    QCOMPARE(Lista(cn, "SELECT CONCEPTO FROM MV_CONCILIACION_AUX ORDER BY ID"), QString("Deposito 10|Deposito 11|Comision"));
    QCOMPARE(Lista(cn, "SELECT ID FROM MV_CONCILIACION ORDER BY ID"), QString("1|2|3"));

    // The registration row of D3 column by column.
    const ado::RowSet d3 = cn.Query("SELECT IDCONCILIACION, FECHA, CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], "
                                    "PERIODO, TIPO_REG, FINALIZADA, FECHAMOV, VENCIMIENTO, TC, COMPROBANTE, IMPORTE, "
                                    "CONCEPTO, IDCONCAUX, CONCILIADO, CONCILIADOCON, TC_ORIGEN, CPTE_ORIGEN "
                                    "FROM MV_CONCILIACION WHERE ID = 3");
    QStringList textos;
    for (const ado::Variant& v : d3.rows.first())
        textos << (v.isNull() ? QString("<null>") : suite::Conversiones::TextoCampo(v));
    QCOMPARE(textos.join('|'), QString("1|18/04/2026|1101|1|3|77|2026|N|0|12/03/2026|<null>|VJ|000100000077X|40|Ajuste|"
                                       "<null>|0|<null>|VJ|000100000077X"));
    QCOMPARE(Valor(cn, "SELECT CONCILIA FROM MV_CONCILIACION_AUX WHERE ID = 3").isNull(), true);
    QCOMPARE(Valor(cn, "SELECT IMPORTE FROM MV_CONCILIACION_AUX WHERE ID = 3").toCurrency(),
             ado::Currency::fromScaled(75000));
}

void StoreRegistrationTest::listRowsCarryTheirOwnRows()
{
    EmpresaDelMotor b;
    ado::Connection cn;
    b.Abrir(cn);
    // Another reconciliation's row with a higher ID than any this load writes: no list row may take it.
    cn.Execute("INSERT INTO MV_CONCILIACION (ID, IDCONCILIACION, CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], "
               "PERIODO, TIPO_REG) VALUES (500, 7, '1101', 9, 9, 9, 2026, 'N')");
    ReconciliationStore store(cn, true, Entorno());
    const WorkbenchRows filas = store.RegistrarLibres(Marzo(1), Lado::Izquierda).filas;
    QCOMPARE(filas.size(), size_t(3));
    for (const WorkbenchRow& f : filas) {
        QVERIFY(f.ID != 500);
        const ado::RowSet fila = cn.Query(QStringLiteral("SELECT SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], CONCEPTO, "
                                                         "IDCONCILIACION FROM MV_CONCILIACION WHERE ID = %1").arg(f.ID));
        QCOMPARE(fila.rows.size(), 1);
        QCOMPARE(fila.rows[0][2].toText(), f.NroAsiento());
        QCOMPARE(fila.rows[0][3].toText(), f.Concepto);
        QCOMPARE(fila.rows[0][4].toLong(), 1);
    }
    const WorkbenchRow& d3 = filas.back();
    QCOMPARE(d3.Fecha, QString("12/03/2026"));
    QCOMPARE(d3.Vencimiento, QString());
    QCOMPARE(d3.TC, QString("VJ"));
    QCOMPARE(d3.Comprobante, QString("000100000077X"));
    QCOMPARE(d3.Importe, ado::Currency::fromLong(40));
    QCOMPARE(d3.Secuencia() + "/" + d3.MesOperativo() + "/" + d3.NroAsiento() + "/" + d3.Periodo() + "/" + d3.Tipo_Reg(),
             QString("1/3/77/2026/N"));
    QCOMPARE(d3.ConciliadoCon, QString());
    QCOMPARE(d3.Tc_Origen() + d3.Cpte_Origen(), QString("VJ000100000077X"));
    QVERIFY(!d3.Checked);
    QCOMPARE(d3.SmallIcon, kIconoSinMarcar);
}

void StoreRegistrationTest::manyLinesComeBackInJournalOrder_data()
{
    QTest::addColumn<QString>("lectura");
    QTest::newRow("returned by the registration") << "registro";
    QTest::newRow("read a block at a time") << "bloques";
    QTest::newRow("the saved reconciliation reloaded") << "guardada";
}

// More lines than one read of the store takes: every one comes back once, in the journal's order, another
// reconciliation's line between them left out.
void StoreRegistrationTest::manyLinesComeBackInJournalOrder()
{
    QFETCH(QString, lectura);
    constexpr int kLineas = 9000;
    EmpresaDelMotor b;
    ado::Connection cn;
    b.Abrir(cn);
    cn.Execute(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                              "INSERT INTO MV_ASIENTOS (CUENTA,SECUENCIA,MES_OPERATIVO,[NUMERO ASIENTO],PERIODO,TIPO_REG,"
                              "FECHA,TC,SUCURSAL,NUMERO,LETRA,[DEBE-HABER],IMPORTE,DETALLE) SELECT '1101', 5, 3, "
                              "1000 + (%1 - i), 2026, 'N', '2026-03-25', 'RC', '0003', printf('%08d', i), 'A', 'D', i, "
                              "'linea ' || i FROM n")
                   .arg(kLineas));
    ReconciliationStore store(cn, true, Entorno());
    ResultadoRegistro r = store.RegistrarLibres(Marzo(1), Lado::Izquierda, lectura == QLatin1String("registro"));
    QCOMPARE(r.cantidad, qint64(kLineas + 3));
    // Another reconciliation's line with an ID inside the run of this one's.
    cn.Execute(QStringLiteral("UPDATE MV_CONCILIACION SET IDCONCILIACION = 7 WHERE CONCEPTO = 'linea 5000'"));
    WorkbenchRows filas;
    if (lectura == QLatin1String("registro")) {
        filas = std::move(r.filas);
        filas.erase(std::remove_if(filas.begin(), filas.end(),
                                   [](const WorkbenchRow& f) { return f.Concepto == QLatin1String("linea 5000"); }),
                    filas.end());
    } else if (lectura == QLatin1String("bloques")) {
        QVERIFY(r.filas.empty());
        for (TramoIds porLeer = r.ids;;) {
            const WorkbenchRows bloque = store.LeerBloque(1, Lado::Izquierda, porLeer);
            if (bloque.empty())
                break;
            QVERIFY(bloque.size() < size_t(kLineas));
            filas.insert(filas.end(), bloque.begin(), bloque.end());
            porLeer.despuesDe = bloque.back().ID;
        }
    } else {
        QVERIFY(store.CargarLineas(1, Lado::Izquierda, false, r.ids).empty());
        filas = store.CargarLineas(1, Lado::Izquierda, false);
    }
    QCOMPARE(qsizetype(filas.size()), qsizetype(kLineas + 2));
    QCOMPARE(filas[0].Concepto + '|' + filas[2].Concepto + '|' + filas[3].Concepto, QString("Cobro FC 10|Ajuste|linea 1"));
    for (size_t i = 1; i < filas.size(); ++i)
        QVERIFY(filas[i - 1].ID < filas[i].ID);
    for (qsizetype i = 3; i < qsizetype(filas.size()); ++i) {
        const int linea = int(i) - 2 + (i - 2 >= 5000 ? 1 : 0);
        QCOMPARE(filas[size_t(i)].Concepto, QStringLiteral("linea %1").arg(linea));
        QCOMPARE(filas[size_t(i)].NroAsiento(), QString::number(1000 + kLineas - linea));
    }
}

void StoreRegistrationTest::heldLinesAreSkipped_data()
{
    QTest::addColumn<QString>("tabla");
    QTest::addColumn<int>("numero");
    QTest::addColumn<QString>("registrados");
    // A debit line held by another reconciliation, by this one, or only on the right table (which debit lines
    // are never tested against).
    QTest::newRow("other reconciliation") << "MV_CONCILIACION" << 7 << "Cobro FC 11|Ajuste";
    QTest::newRow("this reconciliation") << "MV_CONCILIACION" << 1 << "Cobro FC 11|Ajuste";
    QTest::newRow("right table only") << "MV_CONCILIACION_AUX" << 7 << "Cobro FC 10|Cobro FC 11|Ajuste";
}

void StoreRegistrationTest::heldLinesAreSkipped()
{
    QFETCH(QString, tabla);
    QFETCH(int, numero);
    QFETCH(QString, registrados);
    EmpresaDelMotor b;
    ado::Connection cn;
    b.Abrir(cn);
    cn.Execute(QStringLiteral("INSERT INTO %1 (IDCONCILIACION, CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], PERIODO, "
                              "TIPO_REG, CONCEPTO) VALUES (%2, '1101', 1, 3, 10, 2026, 'N', 'held')")
                   .arg(tabla).arg(numero));
    ReconciliationStore store(cn, true, Entorno());
    QStringList conceptos;
    for (const WorkbenchRow& f : store.RegistrarLibres(Marzo(1), Lado::Izquierda).filas)
        conceptos << f.Concepto;
    QCOMPARE(conceptos.join('|'), registrados);
    QCOMPARE(Contar(cn, "MV_CONCILIACION WHERE " + ClaveDe("D1")), qint64(1));
    QCOMPARE(Valor(cn, "SELECT CONCEPTO FROM MV_CONCILIACION WHERE " + ClaveDe("D1")).toText(),
             QString(tabla == "MV_CONCILIACION" ? "held" : "Cobro FC 10"));
}

void StoreRegistrationTest::headerIsWrittenOnce()
{
    EmpresaDelMotor b;
    ado::Connection cn;
    b.Abrir(cn);
    ReconciliationStore store(cn, true, Entorno());
    Cabecera c = Marzo(1, "Marzo 'A'");
    c.unegocio = "0001";
    c.usuario = " oper ";
    QVERIFY(store.RegistrarLibres(c, Lado::Izquierda).cabeceraCreada);

    // A later load writes no header and leaves the first one's values, whatever the fields say now.
    Cabecera cambiada = Marzo(1, "otra");
    const ResultadoRegistro segunda = store.RegistrarLibres(cambiada, Lado::Izquierda);
    QVERIFY(!segunda.cabeceraCreada);
    QVERIFY(segunda.filas.empty());
    QCOMPARE(Contar(cn, "MV_CONCILIACION_CAB"), qint64(1));

    const std::optional<Cabecera> leida = store.LeerCabecera(1);
    QVERIFY(leida);
    QCOMPARE(leida->tipo, QString("CTA"));
    QCOMPARE(leida->cuenta, QString("1101"));
    QCOMPARE(leida->fecha, QString("18/04/2026"));
    QCOMPARE(leida->observaciones, QString("Marzo 'A'"));
    QCOMPARE(leida->fechaDesde + "-" + leida->fechaHasta, QString("01/03/2026-31/03/2026"));
    QCOMPARE(leida->unegocio, QString("0001"));
    QCOMPARE(leida->usuario, QString("oper"));
    QVERIFY(!leida->finalizada);
    QCOMPARE(Valor(cn, "SELECT FINALIZADA FROM MV_CONCILIACION_CAB").toLong(), qint64(0));
}

void StoreRegistrationTest::textsAreStoredUnchanged()
{
    EmpresaDelMotor b;
    ado::Connection cn;
    b.Abrir(cn);
    // An account code and journal texts with apostrophes go in and come back as they are.
    Linea l = LineaDe("D1");
    l.cuenta = "11'01";
    l.detalle = "Pago O'Brien; DROP TABLE MV_ASIENTOS --";
    l.tc = "F'C";
    InsertarLinea(cn, l);
    ReconciliationStore store(cn, true, Entorno());
    Cabecera c = Marzo(1, "it's");
    c.cuenta = "11'01";
    const WorkbenchRows filas = store.RegistrarLibres(c, Lado::Izquierda).filas;
    QCOMPARE(filas.size(), size_t(1));
    QCOMPARE(filas[0].Concepto, QString("Pago O'Brien; DROP TABLE MV_ASIENTOS --"));
    QCOMPARE(Valor(cn, "SELECT CONCEPTO FROM MV_CONCILIACION").toText(), filas[0].Concepto);
    QCOMPARE(Valor(cn, "SELECT TC FROM MV_CONCILIACION").toText(), QString("F'C"));
    QCOMPARE(Valor(cn, "SELECT CUENTA FROM MV_CONCILIACION").toText(), QString("11'01"));
    QCOMPARE(store.LeerCabecera(1)->observaciones, QString("it's"));
    QCOMPARE(Contar(cn, "MV_ASIENTOS"), qint64(Diario().size() + 1));
}

void StoreRegistrationTest::userFilterIsALiteralPrefix_data()
{
    QTest::addColumn<QString>("usuario");
    QTest::addColumn<QString>("unegocio");
    QTest::addColumn<int>("registrados");
    QTest::newRow("prefix") << "oper" << "" << 3;
    QTest::newRow("whole name") << "oper1" << "0001" << 3;
    QTest::newRow("underscore is not a wildcard") << "op_r" << "" << 0;
    QTest::newRow("percent is not a wildcard") << "%1" << "" << 0;
    QTest::newRow("quote") << "o'p" << "" << 0;
    QTest::newRow("backslash") << "o\\per" << "" << 0;
    QTest::newRow("other unit") << "" << "0'2" << 0;
    QTest::newRow("blanks are no filter") << "   " << "   " << 3;
}

void StoreRegistrationTest::userFilterIsALiteralPrefix()
{
    QFETCH(QString, usuario);
    QFETCH(QString, unegocio);
    QFETCH(int, registrados);
    EmpresaDelMotor b;
    ado::Connection cn;
    b.Abrir(cn);
    ReconciliationStore store(cn, true, Entorno());
    Cabecera c = Marzo(1);
    c.usuario = usuario;
    c.unegocio = unegocio;
    // Oracle's form of the filter (an ESCAPE clause in place of brackets) keeps the same lines.
    const ado::RowSet oracle =
        cn.Query("SELECT COUNT(*) FROM MV_ASIENTOS " + CondicionDiario(c, Lado::Izquierda, true));
    QCOMPARE(int(oracle.rows[0][0].toLong()), registrados);
    QCOMPARE(int(store.RegistrarLibres(c, Lado::Izquierda).filas.size()), registrados);
}

void StoreRegistrationTest::nonAdministratorReadsThroughTheSynonym()
{
    EmpresaDelMotor b;
    ado::Connection cn;
    b.Abrir(cn);
    // A non-administrator reads the journal through SS_MV_ASIENTOS; here it shows D3 without an amount.
    cn.Execute("DROP VIEW SS_MV_ASIENTOS");
    cn.Execute("CREATE VIEW SS_MV_ASIENTOS AS SELECT CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], PERIODO, "
               "TIPO_REG, FECHA, VENCIMIENTO, TC, SUCURSAL, NUMERO, LETRA, [DEBE-HABER], "
               "CASE WHEN DETALLE = 'Ajuste' THEN NULL ELSE IMPORTE END AS IMPORTE, DETALLE, TC_ORIGEN, CPTE_ORIGEN, "
               "UNEGOCIO, USUARIO_LOGEADO FROM MV_ASIENTOS");
    ReconciliationStore store(cn, false, Entorno());
    const WorkbenchRows filas = store.RegistrarLibres(Marzo(1), Lado::Izquierda).filas;
    QCOMPARE(filas.size(), size_t(3));
    QCOMPARE(filas[2].Importe, ado::Currency());
    const ado::RowSet d3 = cn.Query("SELECT IMPORTE, VENCIMIENTO FROM MV_CONCILIACION WHERE CONCEPTO = 'Ajuste'");
    QCOMPARE(d3.rows[0][0].toCurrency(), ado::Currency());
    QVERIFY(d3.rows[0][1].isNull());
}

void StoreRegistrationTest::finalizedReconciliationGetsNothing()
{
    EmpresaDelMotor b;
    ado::Connection cn;
    b.Abrir(cn);
    cn.Execute("INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, TIPO, CUENTA, FINALIZADA) "
               "VALUES ('              1', 'CTA', '1101', 1)");
    ReconciliationStore store(cn, true, Entorno());
    const ResultadoRegistro r = store.RegistrarLibres(Marzo(1), Lado::Izquierda);
    QVERIFY(r.finalizada);
    QVERIFY(!r.cabeceraCreada);
    QVERIFY(r.filas.empty());
    QCOMPARE(Contar(cn, "MV_CONCILIACION"), qint64(0));
}

void StoreRegistrationTest::failedRegistrationLeavesNothing()
{
    EmpresaDelMotor b;
    ado::Connection cn;
    b.Abrir(cn);
    QSqlQuery q(cn.database());
    QVERIFY(q.exec("CREATE TEMP TRIGGER rechazo BEFORE INSERT ON MV_CONCILIACION WHEN NEW.CONCEPTO = 'Ajuste' "
                   "BEGIN SELECT RAISE(ABORT, 'linea rechazada'); END"));
    ReconciliationStore store(cn, true, Entorno());
    try {
        store.RegistrarLibres(Marzo(1), Lado::Izquierda);
        QFAIL("the refused line must raise");
    } catch (const ado::Error& e) {
        QVERIFY(e.Description.contains("linea rechazada"));
    }
    QVERIFY(!cn.InTransaction());
    QCOMPARE(Contar(cn, "MV_CONCILIACION"), qint64(0));
    QCOMPARE(Contar(cn, "MV_CONCILIACION_CAB"), qint64(0));
}

void StoreRegistrationTest::twoStationsAtOnceRegisterEachLineOnce()
{
    EmpresaDelMotor b;
    constexpr int kLineas = 1500;
    {
        ado::Connection cn;
        b.Abrir(cn);
        cn.BeginTrans();
        for (int i = 0; i < kLineas; ++i) {
            for (const char* lado : {"D", "H"}) {
                Linea l = LineaDe("D1");
                l.lado = lado;
                l.secuencia = 100 + i;
                l.asiento = lado[0] == 'D' ? 1 : 2;
                InsertarLinea(cn, l);
            }
        }
        cn.CommitTrans();
    }
    // Two stations, each on its own connection and number, load both panels of the same account together.
    std::latch salida(2);
    qint64 registradas[2] = {0, 0};
    QString fallas[2];
    auto estacion = [&](int k) {
        try {
            ado::Connection cn;
            b.Abrir(cn);
            ReconciliationStore store(cn, true, Entorno());
            salida.arrive_and_wait();
            for (Lado lado : {Lado::Izquierda, Lado::Derecha})
                registradas[k] += qint64(store.RegistrarLibres(Marzo(k + 1), lado).filas.size());
        } catch (const ado::Error& e) {
            fallas[k] = e.Description;
        }
    };
    QThread* a = QThread::create(estacion, 0);
    QThread* c = QThread::create(estacion, 1);
    a->start();
    c->start();
    QVERIFY(a->wait(120000));
    QVERIFY(c->wait(120000));
    delete a;
    delete c;
    QCOMPARE(fallas[0], QString());
    QCOMPARE(fallas[1], QString());

    ado::Connection cn;
    b.Abrir(cn);
    const qint64 porLado = kLineas + 3;   // D1..D3 and C1..C3 too
    QCOMPARE(registradas[0] + registradas[1], 2 * porLado);
    for (const char* tabla : {"MV_CONCILIACION", "MV_CONCILIACION_AUX"}) {
        QCOMPARE(Contar(cn, tabla), porLado);
        QCOMPARE(Valor(cn, QStringLiteral("SELECT COUNT(*) FROM (SELECT DISTINCT CUENTA, SECUENCIA, MES_OPERATIVO, "
                                          "[NUMERO ASIENTO], PERIODO, TIPO_REG FROM %1)").arg(tabla)).toLong(),
                 porLado);
    }
}

QTEST_GUILESS_MAIN(StoreRegistrationTest)
#include "tst_store_registration.moc"
