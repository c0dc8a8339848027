// The one-question lookups and schema checks on a real company database: results, the SQL they send, and how
// a failed query is told apart from "no row".
#include "BaseDePrueba.h"
#include "platform/ui/ScriptedDialogs.h"

using ui::ScriptedDialogs;

Q_DECLARE_METATYPE(ado::Variant)

class TstConsultas : public QObject {
    Q_OBJECT
private slots:
    void existeEnTabla_data()
    {
        QTest::addColumn<QString>("usuario");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<ado::Variant>("tipo");
        QTest::addColumn<QString>("condicion");
        QTest::addColumn<bool>("existe");
        QTest::addColumn<QString>("enviada");
        QTest::newRow("text key with blanks, operator")
            << "operador" << " 1101 " << ado::Variant(8) << "" << true
            << "SELECT TOP 1  * FROM SS_MA_CUENTAS WHERE LTRIM(RTRIM(Codigo)) ='1101'";
        QTest::newRow("administrator reads the table")
            << "admin" << "1101" << ado::Variant(8) << "" << true
            << "SELECT TOP 1  * FROM MA_CUENTAS WHERE LTRIM(RTRIM(Codigo)) ='1101'";
        QTest::newRow("no such account") << "admin" << "9999" << ado::Variant(8) << "" << false
                                         << "SELECT TOP 1  * FROM MA_CUENTAS WHERE LTRIM(RTRIM(Codigo)) ='9999'";
        QTest::newRow("key with a quote") << "admin" << "O'1" << ado::Variant(8) << "" << true
                                          << "SELECT TOP 1  * FROM MA_CUENTAS WHERE LTRIM(RTRIM(Codigo)) ='O''1'";
        QTest::newRow("condition instead of the key")
            << "admin" << "ignored" << ado::Variant(8) << "Titulo = 1 AND Codigo = '11'" << true
            << "SELECT TOP 1 * FROM MA_CUENTAS WHERE Titulo = 1 AND Codigo = '11'";
        QTest::newRow("number key") << "admin" << "1abc" << ado::Variant(3) << "" << true
                                    << "SELECT TOP 1 * FROM MA_CUENTAS WHERE Titulo = 1";
    }
    void existeEnTabla()
    {
        QFETCH(QString, usuario);
        QFETCH(QString, valor);
        QFETCH(ado::Variant, tipo);
        QFETCH(QString, condicion);
        QFETCH(bool, existe);
        QFETCH(QString, enviada);
        BaseDePrueba base;
        ScriptedDialogs d;
        DB_Dll db;
        base.Abrir(db, usuario);
        db.gCnn.Execute(QStringLiteral("INSERT INTO MA_CUENTAS (Codigo) VALUES ('O''1')"));
        base.sentencias.clear();
        const QString campo = tipo.toText() == QLatin1String("3") ? QStringLiteral("Titulo") : QStringLiteral("Codigo");
        QCOMPARE(db.ExisteEnTabla(QStringLiteral("MA_CUENTAS"), valor, campo, nullptr, tipo, condicion), existe);
        QCOMPARE(base.sentencias, QStringList{BaseDePrueba::Enviada(enviada)});
        QVERIFY(!db.HuboError());
        QVERIFY(d.verifyDone());
    }

    void existeEnTablaConElRecordsetDelLlamador()
    {
        BaseDePrueba base;
        DB_Dll db;
        base.Abrir(db, QStringLiteral("admin"));
        db.gPlataforma = Plataforma::Oracle;   // this road sends the text untranslated
        ado::Recordset rs;
        rs.CursorType = ado::adOpenDynamic;
        rs.LockType = ado::adLockOptimistic;
        QVERIFY(db.ExisteEnTabla(QStringLiteral("MA_CUENTAS"), QStringLiteral("1101"), QStringLiteral("Codigo"), &rs, 8));
        QCOMPARE(rs.State(), int(ado::adStateOpen));
        QCOMPARE(rs.Fields(QStringLiteral("Codigo")).Value().toString(), QStringLiteral("1101"));
        QCOMPARE(rs.CursorType, int(ado::adOpenDynamic));
        QCOMPARE(rs.LockType, int(ado::adLockOptimistic));
        QVERIFY(!db.ExisteEnTabla(QStringLiteral("MA_CUENTAS"), QStringLiteral("nada"), QStringLiteral("Codigo"), &rs, 8,
                                  QString(), true));
        QVERIFY(rs.BOF() && rs.EOF());
        QCOMPARE(rs.CursorType, int(ado::adOpenForwardOnly));
        QCOMPARE(rs.LockType, int(ado::adLockReadOnly));
        QCOMPARE(base.sentencias.first(),
                 BaseDePrueba::Enviada(QStringLiteral("SELECT TOP 1  * FROM MA_CUENTAS WHERE LTRIM(RTRIM(Codigo)) ='1101'")));
    }

    // A failed query is not "no row": the caller can tell (the registration of journal lines relies on it).
    void existeEnTablaFallidaNoEsNoEncontrada()
    {
        BaseDePrueba base;
        ScriptedDialogs d;
        DB_Dll db;
        base.Abrir(db, QStringLiteral("admin"));
        d.expectMsgBox(ui::vbRetry).withTitle(QStringLiteral("Aviso al Operador")).withStyle(ui::vbAbortRetryIgnore + ui::vbCritical);
        d.expectMsgBox(ui::vbAbort).withTitle(QStringLiteral("Aviso al Operador"));
        QVERIFY(!db.ExisteEnTabla(QStringLiteral("NO_EXISTE"), QStringLiteral("1"), QStringLiteral("Codigo"), nullptr, 8));
        QVERIFY(d.verifyDone());
        QVERIFY(db.HuboError());
        QCOMPARE(db.UltimoError().number, ado::kErrMissingObject);
        QCOMPARE(base.sentencias.size(), 2);
        QVERIFY(base.Log().isEmpty());   // these boxes log nothing

        QVERIFY(!db.ExisteEnTabla(QStringLiteral("MA_CUENTAS"), QStringLiteral("nada"), QStringLiteral("Codigo"), nullptr, 8));
        QVERIFY(!db.HuboError());
    }

    void existeEnTablaST()
    {
        BaseDePrueba base;
        DB_Dll db;
        base.Abrir(db, QStringLiteral("operador"));
        db.gPlataforma = Plataforma::Oracle;   // neither rewriting nor translation
        QVERIFY(db.ExisteEnTablaST(QStringLiteral("MA_CUENTAS"), QStringLiteral("1101"), QStringLiteral("Codigo"), nullptr, 8));
        QVERIFY(!db.ExisteEnTablaST(QStringLiteral("MA_CUENTAS"), QStringLiteral(" 1101"), QStringLiteral("Codigo"), nullptr, 8));
        QCOMPARE(base.sentencias,
                 (QStringList{BaseDePrueba::Enviada(QStringLiteral("SELECT * FROM MA_CUENTAS WHERE Codigo ='1101'")),
                              BaseDePrueba::Enviada(QStringLiteral("SELECT * FROM MA_CUENTAS WHERE Codigo =' 1101'"))}));
    }

    void datosTabla_data()
    {
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QString>("campoDevuelto");
        QTest::addColumn<QString>("resultado");
        QTest::newRow("value") << " 1101 " << "Titulo" << "0";
        QTest::newRow("null column") << "1101" << "CodigoOpcional" << "";
        QTest::newRow("no row") << "9999" << "Descripcion" << "";
    }
    void datosTabla()
    {
        QFETCH(QString, valor);
        QFETCH(QString, campoDevuelto);
        QFETCH(QString, resultado);
        BaseDePrueba base;
        ScriptedDialogs d;
        DB_Dll db;
        base.Abrir(db, QStringLiteral("operador"));
        db.gCnn.Execute(QStringLiteral("UPDATE MA_CUENTAS SET CodigoOpcional = NULL WHERE Codigo = '1101'"));
        base.sentencias.clear();
        QCOMPARE(db.DatosTabla(QStringLiteral("MA_CUENTAS"), valor, campoDevuelto, QStringLiteral("Codigo"), 8, QString(), true),
                 resultado);
        QVERIFY(!db.HuboError());
        QCOMPARE(base.sentencias,
                 QStringList{BaseDePrueba::Enviada(QStringLiteral("SELECT TOP 1 * FROM SS_MA_CUENTAS WHERE LTRIM(RTRIM(Codigo)) ='")
                                                   + valor.trimmed() + QStringLiteral("' "))});
        QVERIFY(d.verifyDone());
    }

    void datosTablaFallida()
    {
        BaseDePrueba base;
        ScriptedDialogs d;
        DB_Dll db;
        base.Abrir(db, QStringLiteral("admin"));
        d.expectMsgBox(ui::vbAbort).withTitle(QStringLiteral("Aviso al Operador"));
        QCOMPARE(db.DatosTabla(QStringLiteral("MA_CUENTAS"), QStringLiteral("1101"), QStringLiteral("NO_HAY"),
                               QStringLiteral("Codigo"), 8, QString(), true),
                 QString());
        QVERIFY(d.verifyDone());
        QVERIFY(db.HuboError());
        QCOMPARE(db.UltimoError().number, ado::kErrItemNotFound);
    }

    void datosTablaConAbrirFallido()
    {
        BaseDePrueba base;
        ScriptedDialogs d;
        DB_Dll db;
        base.Abrir(db, QStringLiteral("admin"));
        d.expectErrorDialog(ui::vbIgnore).withRoutine(QStringLiteral("AbrirRecordset"));
        d.expectMsgBox(ui::vbIgnore).withTitle(QStringLiteral("Aviso al Operador"));   // reading the closed recordset
        QCOMPARE(db.DatosTabla(QStringLiteral("NO_EXISTE"), QStringLiteral("1"), QStringLiteral("X"), QStringLiteral("Y"), 8),
                 QString());
        QVERIFY(d.verifyDone());
        QVERIFY(db.HuboError());
    }

    // A filter that carries a second statement (from a lookup-mask record, say) is refused as a whole:
    // the recordset stays closed and nothing is deleted.
    void unaConsultaSoloLee()
    {
        BaseDePrueba base;
        ScriptedDialogs d;
        DB_Dll db;
        base.Abrir(db, QStringLiteral("admin"));
        db.gCnn.Execute(QStringLiteral("INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, CUENTA) VALUES (1, '1101')"));
        const QString ataque =
            QStringLiteral("SELECT * FROM MV_CONCILIACION_CAB WHERE 1=1; DELETE FROM MV_CONCILIACION_CAB; --");
        d.expectErrorDialog(ui::vbIgnore).withRoutine(QStringLiteral("AbrirRecordset")).containing(QStringLiteral("DELETE"));
        ado::Recordset rs;
        QVERIFY(!db.AbrirRecordset(ataque, rs));
        QVERIFY(d.verifyDone());
        QVERIFY(db.HuboError());
        QCOMPARE(rs.State(), int(ado::adStateClosed));
        QCOMPARE(db.gCnn.Query(QStringLiteral("SELECT COUNT(*) FROM MV_CONCILIACION_CAB")).rows.at(0).at(0).toLong(), qint64(1));
    }

    void maximoYMinimo()
    {
        BaseDePrueba base;
        DB_Dll db;
        base.Abrir(db, QStringLiteral("operador"));
        QCOMPARE(db.BuscaMaximo(QStringLiteral("MA_CUENTAS"), QStringLiteral("Titulo")).toDouble(), 1.0);
        QCOMPARE(db.BuscaMinimo(QStringLiteral("MA_CUENTAS"), QStringLiteral("Titulo")).toDouble(), 0.0);
        QCOMPARE(db.BuscaMaximo(QStringLiteral("MA_CUENTAS"), QStringLiteral("Codigo"), {}, QStringLiteral(" Codigo < '12' ")).toDouble(),
                 1102.0);
        const ado::Variant vacio = db.BuscaMaximo(QStringLiteral("MA_CUENTAS"), QStringLiteral("Titulo"), {},
                                                  QStringLiteral("1 = 0"));
        QCOMPARE(vacio.type(), ado::VarType::Double);
        QCOMPARE(vacio.toDouble(), 0.0);
        QCOMPARE(db.BuscaUltimoCodigo(QStringLiteral("MA_CUENTAS"), QStringLiteral("Titulo"), {}, QStringLiteral("  ")).toDouble(), 1.0);
        // Straight to the connection: no synonyms.
        QCOMPARE(base.sentencias.first(), BaseDePrueba::Enviada(QStringLiteral("SELECT MAX(Titulo) AS MAYOR FROM MA_CUENTAS")));
        QVERIFY_THROWS_EXCEPTION(ado::Error, db.BuscaMinimo(QStringLiteral("NO_EXISTE"), QStringLiteral("X")));
    }

    void existeTablaDB_data()
    {
        QTest::addColumn<QString>("tabla");
        QTest::addColumn<bool>("existe");
        QTest::newRow("lower case") << "ta_usuarios" << true;
        QTest::newRow("upper case, blanks") << " TA_USUARIOS " << true;
        QTest::newRow("a view") << "ss_ma_cuentas" << true;
        QTest::newRow("missing") << "NO_EXISTE" << false;
    }
    void existeTablaDB()
    {
        QFETCH(QString, tabla);
        QFETCH(bool, existe);
        BaseDePrueba base;
        DB_Dll db;
        base.Abrir(db, QStringLiteral("admin"));
        QCOMPARE(db.ExisteTablaDB(tabla), existe);
    }

    void existeCampoDB()
    {
        BaseDePrueba base;
        DB_Dll db;
        base.Abrir(db, QStringLiteral("admin"));
        QVERIFY(db.ExisteCampoDB(QStringLiteral("ma_cuentas"), QStringLiteral(" descripcion ")));
        QVERIFY(!db.ExisteCampoDB(QStringLiteral("MA_CUENTAS"), QStringLiteral("NO_HAY")));
        QVERIFY(!db.ExisteCampoDB(QStringLiteral("NO_EXISTE"), QStringLiteral("X")));
        db.gPlataforma = Plataforma::Oracle;
        QVERIFY(db.ExisteCampoDB(QStringLiteral("MA_CUENTAS"), QStringLiteral("NO_HAY")));
    }

    void verCampoDB()
    {
        BaseDePrueba base;
        ScriptedDialogs d;
        DB_Dll db;
        base.Abrir(db, QStringLiteral("admin"));
        const auto cambios = [&] { return base.sentencias.filter(QStringLiteral("ALTER TABLE")); };
        QVERIFY(db.VerCampoDB(QStringLiteral("NO_EXISTE"), QStringLiteral("X"), true, QStringLiteral("INT"), true));
        QVERIFY(db.VerCampoDB(QStringLiteral("MA_CUENTAS"), QStringLiteral("Titulo"), true, QStringLiteral("INT"), true));
        QVERIFY(db.VerCampoDB(QStringLiteral("MA_CUENTAS"), QStringLiteral("NUEVO"), false, QStringLiteral("INT"), true));
        QVERIFY(cambios().isEmpty());
        QVERIFY(db.VerCampoDB(QStringLiteral("MA_CUENTAS"), QStringLiteral("NUEVO"), true, QStringLiteral("INT"), false, 0));
        QCOMPARE(cambios(), QStringList{BaseDePrueba::Enviada(QStringLiteral(
                                "ALTER TABLE dbo.MA_CUENTAS ADD NUEVO INT Not Null  CONSTRAINT DF_MA_CUENTAS_NUEVO DEFAULT (0)"))});
        QVERIFY(d.verifyDone());
    }
};

QTEST_MAIN(TstConsultas)
#include "tst_data_consultas.moc"
