// Client-side recordsets on the embedded engine: positions and counts, fields by name, exact amounts,
// typed columns, and the one kind of write the program makes through a recordset.

#include "AdoErrorNumber.h"
#include "OpenSqlite.h"
#include "SqliteFixture.h"
#include "platform/ado/Recordset.h"

#include <QTest>

using namespace ado;

class TestAdoRecordset : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<OpenSqlite> m_db;
    SqliteFixture* m_file = nullptr;
    Connection* m_cn = nullptr;

private slots:
    void init()
    {
        m_db = std::make_unique<OpenSqlite>();
        QVERIFY(m_db->file.ok());
        m_file = &m_db->file;
        m_cn = &m_db->cn;
        m_cn->Execute(QStringLiteral(
            "CREATE TABLE MV_ASIENTOS (ID INTEGER PRIMARY KEY, CUENTA VARCHAR(25) COLLATE TSQLTEXT, "
            "FECHA DATETIME COLLATE TSQLDATE, [NUMERO ASIENTO] INTEGER, CONCEPTO TEXT, "
            "IMPORTE NUMERIC(18,4), TASA FLOAT, ESHOJA BIT)"));
        m_cn->Execute(QStringLiteral(
            "INSERT INTO MV_ASIENTOS VALUES (1, '1110', '2004-01-31 00:00:00', 10, 'uno', 0.1, 0.5, 1)\n"
            "INSERT INTO MV_ASIENTOS VALUES (2, '1110', '2004-02-29 10:30:00', 11, 'dos', 0.2, NULL, 0)\n"
            "INSERT INTO MV_ASIENTOS VALUES (3, '2220', '2004-03-31 00:00:00', 12, NULL, -1234.5678, 2, NULL)"));
    }

    void cleanup() { m_db.reset(); }

    void emptyResultIsAtBothEnds()
    {
        Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM MV_ASIENTOS WHERE CUENTA = 'none'"), m_cn);
        QCOMPARE(rs.State(), int(adStateOpen));
        QVERIFY(rs.BOF());
        QVERIFY(rs.EOF());
        QCOMPARE(rs.RecordCount(), qint64(0));
        QCOMPARE(rs.AbsolutePosition(), qint64(-1));
        QCOMPARE(rs.FieldCount(), 8);
        QCOMPARE(AdoErrorNumber([&] { rs.MoveFirst(); }), kErrNoCurrentRecord);
        QCOMPARE(AdoErrorNumber([&] { rs.MoveLast(); }), kErrNoCurrentRecord);
        QCOMPARE(AdoErrorNumber([&] { rs.MoveNext(); }), kErrNoCurrentRecord);
        QCOMPARE(AdoErrorNumber([&] { rs.Fields(QStringLiteral("CUENTA")).Value(); }), kErrNoCurrentRecord);
        QCOMPARE(AdoErrorNumber([&] { rs.GetRows(); }), kErrNoCurrentRecord);
    }

    void navigationOverThreeRows()
    {
        Recordset rs;
        rs.Open(QStringLiteral("SELECT ID FROM MV_ASIENTOS ORDER BY ID"), m_cn);
        QVERIFY(!rs.BOF());
        QVERIFY(!rs.EOF());
        QCOMPARE(rs.RecordCount(), qint64(3));
        QCOMPARE(rs.AbsolutePosition(), qint64(1));
        rs.MoveFirst();   // legal on a forward-only cursor right after opening
        QCOMPARE(rs.Fields(0).Value().toLong(), qint64(1));
        rs.MoveLast();
        QCOMPARE(rs.AbsolutePosition(), qint64(3));
        QCOMPARE(rs.Fields(0).Value().toLong(), qint64(3));
        rs.MoveFirst();
        QCOMPARE(rs.Fields(0).Value().toLong(), qint64(1));
        rs.MoveNext();
        rs.MoveNext();
        rs.MoveNext();
        QVERIFY(rs.EOF());
        QVERIFY(!rs.BOF());
        QCOMPARE(rs.AbsolutePosition(), qint64(-3));
        QCOMPARE(AdoErrorNumber([&] { rs.MoveNext(); }), kErrNoCurrentRecord);
        rs.MovePrevious();
        QCOMPARE(rs.AbsolutePosition(), qint64(3));
        rs.MoveFirst();
        rs.MovePrevious();
        QVERIFY(rs.BOF());
        QCOMPARE(rs.AbsolutePosition(), qint64(-2));
    }

    void getRowsIsFieldByRow()
    {
        Recordset rs;
        rs.Open(QStringLiteral("SELECT ID, CUENTA FROM MV_ASIENTOS ORDER BY ID"), m_cn, adOpenDynamic);
        rs.MoveFirst();
        rs.MoveLast();
        rs.MoveFirst();
        const auto all = rs.GetRows(rs.RecordCount());
        QCOMPARE(all.size(), 2);            // fields
        QCOMPARE(all.at(0).size(), 3);      // rows
        QCOMPARE(all.at(0).at(2).toLong(), qint64(3));
        QCOMPARE(all.at(1).at(2).toString(), QStringLiteral("2220"));
        QVERIFY(rs.EOF());

        rs.MoveFirst();
        rs.MoveNext();
        const auto part = rs.GetRows(1);
        QCOMPARE(part.at(0).size(), 1);
        QCOMPARE(part.at(0).at(0).toLong(), qint64(2));
        QCOMPARE(rs.AbsolutePosition(), qint64(3));
    }

    void fieldsByNameIgnoreCaseAndFirstDuplicateWins()
    {
        Recordset rs;
        rs.Open(QStringLiteral("SELECT a.CUENTA, b.ID AS cuenta, a.[NUMERO ASIENTO] FROM MV_ASIENTOS a, "
                               "MV_ASIENTOS b WHERE a.ID = 1 AND b.ID = 3"),
                m_cn);
        QCOMPARE(rs.Fields(QStringLiteral("cuenta")).Value().toString(), QStringLiteral("1110"));
        QCOMPARE(rs.Fields(QStringLiteral("CUENTA")).Name(), QStringLiteral("CUENTA"));
        QCOMPARE(rs.Fields(1).Value().toLong(), qint64(3));
        QCOMPARE(rs[QStringLiteral("numero asiento")].toLong(), qint64(10));
        QCOMPARE(AdoErrorNumber([&] { rs.Fields(QStringLiteral("NOPE")); }), kErrItemNotFound);
        QCOMPARE(AdoErrorNumber([&] { rs.Fields(3); }), kErrItemNotFound);
        QCOMPARE(rs.FieldIndex(QStringLiteral("nope")), -1);
    }

    void amountsAreExactAndColumnsTyped()
    {
        Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM MV_ASIENTOS ORDER BY ID"), m_cn);
        const Currency first = rs.Fields(QStringLiteral("IMPORTE")).Value().toCurrency();
        QCOMPARE(rs.Fields(QStringLiteral("IMPORTE")).Value().type(), VarType::Currency);
        QCOMPARE(rs.Fields(QStringLiteral("FECHA")).Value().type(), VarType::Date);
        QCOMPARE(rs.Fields(QStringLiteral("FECHA")).Value().toText(), QStringLiteral("31/01/2004"));
        QCOMPARE(rs.Fields(QStringLiteral("ESHOJA")).Value().type(), VarType::Boolean);
        QCOMPARE(rs.Fields(QStringLiteral("TASA")).Value().type(), VarType::Double);
        QCOMPARE(rs.Fields(QStringLiteral("ID")).Value().type(), VarType::Long);
        rs.MoveNext();
        const Currency second = rs.Fields(QStringLiteral("IMPORTE")).Value().toCurrency();
        QCOMPARE(first + second, *Currency::parse("0.3"));
        QCOMPARE(rs.Fields(QStringLiteral("FECHA")).Value().toText(), QStringLiteral("29/02/2004 10:30:00"));
        QVERIFY(rs.Fields(QStringLiteral("TASA")).Value().isNull());
        rs.MoveNext();
        QCOMPARE(rs.Fields(QStringLiteral("IMPORTE")).Value().toText(), QStringLiteral("-1234.5678"));
        QVERIFY(rs.Fields(QStringLiteral("CONCEPTO")).Value().isNull());
        QCOMPARE(AdoErrorNumber([&] { rs.Fields(QStringLiteral("CONCEPTO")).Value().toString(); }),
                 kErrInvalidUseOfNull);

        QCOMPARE(rs.Fields(QStringLiteral("CUENTA")).DefinedSize(), 25);
        QCOMPARE(rs.Fields(QStringLiteral("CUENTA")).Type(), 200);
        QCOMPARE(rs.Fields(QStringLiteral("IMPORTE")).Type(), 6);
        QCOMPARE(rs.Fields(QStringLiteral("FECHA")).Type(), 7);
    }

    void expressionColumnsWithoutValuesStillHaveASize()
    {
        Recordset rs;
        rs.Open(QStringLiteral("SELECT CUENTA, 2 AS Cantidad, NULL AS Nada FROM MV_ASIENTOS WHERE 1 = 0"), m_cn);
        QVERIFY(rs.EOF());
        QCOMPARE(rs.Fields(QStringLiteral("CUENTA")).DefinedSize(), 25);
        QVERIFY(rs.Fields(QStringLiteral("Cantidad")).DefinedSize() > 0);
        QVERIFY(rs.Fields(QStringLiteral("Nada")).DefinedSize() > 0);
        rs.Open(QStringLiteral("SELECT 2 AS Cantidad FROM MV_ASIENTOS"), m_cn);
        QCOMPARE(rs.Fields(QStringLiteral("Cantidad")).DefinedSize(), 4);
    }

    void sumsOfAmountsReadBackExactly()
    {
        // An aggregate has no declared type: the engine's double comes back as a double whose text is the
        // intended amount, and converts to the exact amount.
        Recordset rs;
        rs.Open(QStringLiteral("SELECT ISNULL(SUM(IMPORTE), 0) AS SALDO, COUNT(*) AS N FROM MV_ASIENTOS "
                               "WHERE CUENTA = '1110'"),
                m_cn);
        QCOMPARE(rs.Fields(QStringLiteral("SALDO")).Value().toText(), QStringLiteral("0.3"));
        QCOMPARE(rs.Fields(QStringLiteral("SALDO")).Value().toCurrency(), *Currency::parse("0.3"));
        QCOMPARE(rs.Fields(QStringLiteral("N")).Value().type(), VarType::Long);
        QCOMPARE(rs.Fields(QStringLiteral("N")).Type(), 3);
    }

    void reopeningReplacesTheRowsAndFailureLeavesItClosed()
    {
        Recordset rs;
        rs.Open(QStringLiteral("SELECT ID FROM MV_ASIENTOS"), m_cn);
        rs.Open(QStringLiteral("SELECT CUENTA FROM MV_ASIENTOS WHERE ID = 3"), m_cn, rs.CursorType, rs.LockType);
        QCOMPARE(rs.RecordCount(), qint64(1));
        QCOMPARE(rs.Fields(0).Name(), QStringLiteral("CUENTA"));
        QCOMPARE(AdoErrorNumber([&] { rs.Open(QStringLiteral("SELECT * FROM NO_TABLE"), m_cn); }),
                 kErrMissingObject);
        QCOMPARE(rs.State(), int(adStateClosed));
        QCOMPARE(rs.RecordCount(), qint64(-1));
        QCOMPARE(AdoErrorNumber([&] { rs.EOF(); }), kErrObjectClosed);
        QCOMPARE(AdoErrorNumber([&] { rs.Open(QStringLiteral("SELECT 1"), nullptr); }), kErrConnectionUnusable);
    }

    void closeAndState()
    {
        Recordset rs;
        QCOMPARE(rs.State(), int(adStateClosed));
        rs.Open(QStringLiteral("SELECT ID FROM MV_ASIENTOS"), m_cn);
        rs.Close();
        QCOMPARE(rs.State(), int(adStateClosed));
        QCOMPARE(AdoErrorNumber([&] { rs.MoveFirst(); }), kErrObjectClosed);
    }

    void addNewWritesOneInsertWithBoundValues()
    {
        m_cn->Execute(QStringLiteral("CREATE TABLE ta_configuracion (CLAVE VARCHAR(50) COLLATE TSQLTEXT PRIMARY "
                                     "KEY, VALOR VARCHAR(255), VALORAUX VARCHAR(255), PoliticaNegocio BIT, "
                                     "Grupo VARCHAR(50))"));
        QStringList sent;
        m_cn->setStatementLog([&sent](const QString& sql) { sent << sql; });
        Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM ta_configuracion WHERE CLAVE = 'concctas_cfg1110'"), m_cn,
                adOpenDynamic, adLockOptimistic);
        QVERIFY(rs.EOF());
        rs.AddNew();
        rs.Fields(QStringLiteral("Grupo")).setValue(QStringLiteral("DATOS"));
        rs.Fields(QStringLiteral("Clave")).setValue(QStringLiteral("CONCCTAS_CFG1110"));
        rs.Fields(QStringLiteral("Valor")).setValue(QStringLiteral("O'Brien;1"));   // a quote stays data
        rs.Fields(QStringLiteral("PoliticaNegocio")).setValue(false);
        rs.Update();
        QCOMPARE(rs.RecordCount(), qint64(1));
        QCOMPARE(sent.last(), QStringLiteral("INSERT INTO \"ta_configuracion\" (\"CLAVE\", \"VALOR\", "
                                             "\"PoliticaNegocio\", \"Grupo\") VALUES (?, ?, ?, ?)"));
        rs.Close();

        Recordset check;
        check.Open(QStringLiteral("SELECT * FROM ta_configuracion WHERE CLAVE = 'concctas_cfg1110'"), m_cn);
        QCOMPARE(check.RecordCount(), qint64(1));
        QCOMPARE(check[QStringLiteral("VALOR")].toString(), QStringLiteral("O'Brien;1"));
        QVERIFY(check[QStringLiteral("VALORAUX")].isNull());
        QCOMPARE(check[QStringLiteral("POLITICANEGOCIO")].toBool(), false);
    }

    void editingTheCurrentRowWritesOneUpdateByKey()
    {
        m_cn->Execute(QStringLiteral("CREATE TABLE ta_configuracion (CLAVE VARCHAR(50) COLLATE TSQLTEXT PRIMARY "
                                     "KEY, VALOR VARCHAR(255), VALORAUX VARCHAR(255))\n"
                                     "INSERT INTO ta_configuracion VALUES ('A', 'uno', 'aux')\n"
                                     "INSERT INTO ta_configuracion VALUES ('B', 'dos', NULL)"));
        Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM ta_configuracion WHERE CLAVE = 'b'"), m_cn, adOpenDynamic,
                adLockOptimistic);
        rs.MoveFirst();
        rs.Fields(QStringLiteral("VALOR")).setValue(QStringLiteral("nuevo"));
        QCOMPARE(rs[QStringLiteral("VALOR")].toString(), QStringLiteral("nuevo"));
        rs.Update();
        rs.Close();

        Recordset check;
        check.Open(QStringLiteral("SELECT CLAVE, VALOR, VALORAUX FROM ta_configuracion ORDER BY CLAVE"), m_cn);
        QCOMPARE(check[QStringLiteral("VALOR")].toString(), QStringLiteral("uno"));
        check.MoveNext();
        QCOMPARE(check[QStringLiteral("VALOR")].toString(), QStringLiteral("nuevo"));
        QVERIFY(check[QStringLiteral("VALORAUX")].isNull());
    }

    void editingATableWithoutKeyMatchesTheValuesRead()
    {
        m_cn->Execute(QStringLiteral("CREATE TABLE sin_clave (NOMBRE VARCHAR(10), NOTA VARCHAR(10), MONTO "
                                     "DECIMAL(19,4))\n"
                                     "INSERT INTO sin_clave VALUES ('x', NULL, 0.1)\n"
                                     "INSERT INTO sin_clave VALUES ('y', NULL, 0.1)"));
        Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM sin_clave WHERE NOMBRE = 'y'"), m_cn, adOpenDynamic,
                adLockOptimistic);
        rs.Fields(QStringLiteral("NOTA")).setValue(QStringLiteral("hecho"));
        rs.MoveNext();   // a move saves the pending change
        Recordset check;
        check.Open(QStringLiteral("SELECT NOMBRE FROM sin_clave WHERE NOTA = 'hecho'"), m_cn);
        QCOMPARE(check.RecordCount(), qint64(1));
        QCOMPARE(check[QStringLiteral("NOMBRE")].toString(), QStringLiteral("y"));
    }

    void updateOfARowGoneRaisesAndIsRecorded()
    {
        m_cn->Execute(QStringLiteral("CREATE TABLE t (K INTEGER PRIMARY KEY, V VARCHAR(5))\n"
                                     "INSERT INTO t VALUES (1, 'a')"));
        Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM t"), m_cn, adOpenDynamic, adLockOptimistic);
        m_cn->Execute(QStringLiteral("DELETE FROM t"));
        rs.Fields(QStringLiteral("V")).setValue(QStringLiteral("b"));
        QCOMPARE(AdoErrorNumber([&] { rs.Update(); }), kErrRowNotLocated);
        QCOMPARE(m_cn->errors().Count(), 1);
        QCOMPARE(m_cn->errors().Item(0).Number, kErrRowNotLocated);
    }

    void readOnlyOrJoinedResultsRefuseWrites()
    {
        Recordset ro;
        ro.Open(QStringLiteral("SELECT * FROM MV_ASIENTOS"), m_cn);
        QCOMPARE(AdoErrorNumber([&] { ro.AddNew(); }), kErrNotUpdatable);
        QCOMPARE(AdoErrorNumber([&] { ro.Fields(0).setValue(5); }), kErrNotUpdatable);
        Recordset joined;
        joined.Open(QStringLiteral("SELECT a.ID FROM MV_ASIENTOS a, MV_ASIENTOS b WHERE a.ID = b.ID"), m_cn,
                    adOpenDynamic, adLockOptimistic);
        QCOMPARE(AdoErrorNumber([&] { joined.AddNew(); }), kErrNotUpdatable);
    }
};

QTEST_GUILESS_MAIN(TestAdoRecordset)
#include "tst_ado_recordset.moc"
