// Running statements and queries through the data-access object on a real company database: table-name
// rewriting, failures (logged, told to the caller, quiet only where expected) and the Oracle script road.
#include "BaseDePrueba.h"
#include "platform/ui/ScriptedDialogs.h"

using ui::ScriptedDialogs;

namespace {

int Cuenta(DB_Dll& db, const QString& sql)
{
    ado::Recordset rs;
    rs.Open(sql, &db.gCnn);
    return int(rs.Fields(0).Value().toLong());
}

} // namespace

class TstSentencias : public QObject {
    Q_OBJECT
private slots:
    void consultaDeUnNoAdministradorLeeLasVistas_data()
    {
        QTest::addColumn<QString>("usuario");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("reescrita");
        QTest::newRow("operator reads the view")
            << "operador" << "SELECT * FROM MA_CUENTAS WHERE Codigo = '1101'"
            << "SELECT * FROM SS_MA_CUENTAS WHERE Codigo = '1101'";
        QTest::newRow("operator, journal")
            << "operador" << "SELECT COUNT(*) AS N FROM MV_ASIENTOS WHERE CUENTA = '1101'"
            << "SELECT COUNT(*) AS N FROM SS_MV_ASIENTOS WHERE CUENTA = '1101'";
        QTest::newRow("operator, families")
            << "operador" << "SELECT COUNT(*) AS N FROM V_TA_FAMILIAS WHERE 1=1"
            << "SELECT COUNT(*) AS N FROM SS_V_TA_FAMILIAS WHERE 1=1";
        QTest::newRow("operator asks for the table itself")
            << "operador" << "SELECT * FROM @Admin_MA_CUENTAS WHERE Codigo = '1101'"
            << "SELECT * FROM MA_CUENTAS WHERE Codigo = '1101'";
        QTest::newRow("administrator reads the table")
            << "admin" << "SELECT * FROM MA_CUENTAS WHERE Codigo = '1101'"
            << "SELECT * FROM MA_CUENTAS WHERE Codigo = '1101'";
    }
    void consultaDeUnNoAdministradorLeeLasVistas()
    {
        QFETCH(QString, usuario);
        QFETCH(QString, sql);
        QFETCH(QString, reescrita);
        BaseDePrueba base;
        ScriptedDialogs d;
        DB_Dll db;
        base.Abrir(db, usuario);
        ado::Recordset rs;
        QVERIFY(db.AbrirRecordset(sql, rs));
        QCOMPARE(sql, reescrita);   // written back into the caller's text
        QCOMPARE(base.sentencias, QStringList{BaseDePrueba::Enviada(reescrita)});
        QVERIFY(!rs.EOF());
        QVERIFY(!db.HuboError());
        QVERIFY(d.verifyDone());
    }

    void abrirRecordsetCierraElAnteriorYQuedaEnLaPrimeraFila()
    {
        BaseDePrueba base;
        DB_Dll db;
        base.Abrir(db, QStringLiteral("admin"));
        ado::Recordset rs;
        QVERIFY(db.AbrirRecordset(QStringLiteral("SELECT Codigo FROM MA_CUENTAS ORDER BY Codigo"), rs));
        QVERIFY(db.AbrirRecordset(QStringLiteral("SELECT Codigo FROM MA_CUENTAS WHERE Codigo = '1101'"), rs));
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(rs.AbsolutePosition(), 1);
        QCOMPARE(rs.Fields(QStringLiteral("codigo")).Value().toString(), QStringLiteral("1101"));
        db.CierraRecordset(rs);
        QCOMPARE(rs.State(), int(ado::adStateClosed));
        db.CierraRecordset(rs);   // closing a closed recordset does nothing
    }

    void abrirRecordsetFallidoPreguntaYDejaCerrado()
    {
        BaseDePrueba base;
        ScriptedDialogs d;
        DB_Dll db;
        base.Abrir(db, QStringLiteral("admin"));
        d.expectErrorDialog(ui::vbRetry).withRoutine(QStringLiteral("AbrirRecordset")).withNumber(ado::kErrMissingObject);
        d.expectErrorDialog(ui::vbIgnore).withRoutine(QStringLiteral("AbrirRecordset"));
        ado::Recordset rs;
        QVERIFY(!db.AbrirRecordset(QStringLiteral("SELECT * FROM NO_EXISTE"), rs));
        QVERIFY(d.verifyDone());
        QCOMPARE(base.sentencias.size(), 2);   // Retry ran the open again
        QCOMPARE(rs.State(), int(ado::adStateClosed));
        QVERIFY(db.HuboError());
        QCOMPARE(db.UltimoError().number, ado::kErrMissingObject);

        // The next success clears the failure.
        QVERIFY(db.AbrirRecordset(QStringLiteral("SELECT * FROM MA_CUENTAS"), rs));
        QVERIFY(!db.HuboError());
    }

    void oracleTraduceSoloConConvOracle()
    {
        BaseDePrueba base;
        DB_Dll db;
        base.Abrir(db, QStringLiteral("admin"));
        db.gPlataforma = Plataforma::Oracle;
        ado::Recordset rs;
        const QString sql = QStringLiteral("SELECT [Descripcion] FROM MA_CUENTAS WHERE Codigo = '1101'");
        QVERIFY(db.AbrirRecordset(sql, rs));
        QVERIFY(db.AbrirRecordset(sql, rs, nullptr, 0, 1, -1, false));
        QCOMPARE(base.sentencias,
                 (QStringList{BaseDePrueba::Enviada(QStringLiteral("SELECT \"Descripcion\" FROM MA_CUENTAS WHERE Codigo = '1101'")),
                              BaseDePrueba::Enviada(sql)}));
    }

    void ejecutaNoReescribeAccionesANombresDeVistas_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("reescrita");
        QTest::newRow("update keeps the table")
            << "UPDATE MA_CUENTAS SET Descripcion = 'x' WHERE Codigo = '1101'"
            << "UPDATE MA_CUENTAS SET Descripcion = 'x' WHERE Codigo = '1101'";
        QTest::newRow("marker removed")
            << "UPDATE @Admin_MA_CUENTAS SET Descripcion = 'x' WHERE Codigo = '1101'"
            << "UPDATE MA_CUENTAS SET Descripcion = 'x' WHERE Codigo = '1101'";
        QTest::newRow("drop and create read through synonyms")
            << "DROP VIEW IF EXISTS V_X; CREATE VIEW V_X AS SELECT * FROM MA_CUENTAS WHERE 1=1"
            << "DROP VIEW IF EXISTS V_X; CREATE VIEW V_X AS SELECT * FROM SS_MA_CUENTAS WHERE 1=1";
        QTest::newRow("drop, create and delete stay")
            << "DROP VIEW IF EXISTS V_X; CREATE VIEW V_X AS SELECT * FROM MA_CUENTAS WHERE 1=1; DELETE FROM T"
            << "DROP VIEW IF EXISTS V_X; CREATE VIEW V_X AS SELECT * FROM MA_CUENTAS WHERE 1=1; DELETE FROM T";
        QTest::newRow("drop and create with a marker only lose the marker")
            << "DROP VIEW IF EXISTS V_X; CREATE VIEW V_X AS SELECT * FROM MA_CUENTAS , @Admin_MV_ASIENTOS WHERE 1=1"
            << "DROP VIEW IF EXISTS V_X; CREATE VIEW V_X AS SELECT * FROM MA_CUENTAS , MV_ASIENTOS WHERE 1=1";
    }
    void ejecutaNoReescribeAccionesANombresDeVistas()
    {
        QFETCH(QString, sql);
        QFETCH(QString, reescrita);
        BaseDePrueba base;
        ScriptedDialogs d;
        DB_Dll db;
        base.Abrir(db, QStringLiteral("operador"));
        QString texto = sql;
        db.EjecutaConsultaSQL(texto);
        QCOMPARE(texto, reescrita);
        const QString enviadas = base.sentencias.join(QLatin1Char('\n'));
        QVERIFY(!enviadas.contains(QStringLiteral("@Admin_"), Qt::CaseInsensitive));
        QCOMPARE(enviadas.contains(QStringLiteral("SS_MA_CUENTAS")), reescrita.contains(QStringLiteral("SS_MA_CUENTAS")));
    }

    // Table names and the administrator marker inside a quoted value are the operator's text, not the
    // statement's words: written and read back as typed, by a user who is no administrator.
    void textosEntreComillasLleganComoSeEscribieron()
    {
        BaseDePrueba base;
        ScriptedDialogs d;
        DB_Dll db;
        base.Abrir(db, QStringLiteral("operador"));
        const QString texto = QStringLiteral("ver MV_ASIENTOS y (MA_CUENTAS.1101) de O'Brien @Admin_X ");
        const QString literal = DB_Dll::SQLValue(texto, QStringLiteral("'"));
        QVERIFY(db.EjecutaConsultaSQL(QStringLiteral("UPDATE MA_CUENTAS SET Descripcion = ") + literal
                                      + QStringLiteral(" WHERE Codigo = '1102'")));
        ado::Recordset rs;
        QVERIFY(db.AbrirRecordset(QStringLiteral("SELECT Codigo, Descripcion FROM MA_CUENTAS WHERE Descripcion = ")
                                      + literal,
                                  rs));
        QVERIFY(!rs.EOF());
        QCOMPARE(rs.Fields(QStringLiteral("Codigo")).Value().toString(), QStringLiteral("1102"));
        QCOMPARE(rs.Fields(QStringLiteral("Descripcion")).Value().toString(), texto);
        QVERIFY(base.sentencias.last().contains(QStringLiteral("FROM SS_MA_CUENTAS ")));
        QVERIFY(d.verifyDone());
    }

    void filasAfectadas()
    {
        BaseDePrueba base;
        DB_Dll db;
        base.Abrir(db, QStringLiteral("admin"));
        qint64 filas = -1;
        QVERIFY(db.EjecutaConsultaSQL(QStringLiteral("UPDATE MA_CUENTAS SET TIPOVISTA = 'X' WHERE Titulo = 1"), &filas));
        QCOMPARE(filas, qint64(Cuenta(db, QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS WHERE Titulo = 1"))));
        QVERIFY(filas > 0);
        QVERIFY(!db.HuboError());
    }

    // A constraint violation shows nothing (as the program always did) but is logged and told to the caller.
    void fallaSilenciosaSeRegistraYSeInforma()
    {
        BaseDePrueba base;
        ScriptedDialogs d;
        DB_Dll db;
        base.Abrir(db, QStringLiteral("admin"));
        const int antes = Cuenta(db, QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS"));
        QVERIFY(!db.EjecutaConsultaSQL(QStringLiteral("INSERT INTO MA_CUENTAS (Codigo) VALUES ('1101')")));
        QVERIFY(d.verifyDone());
        QVERIFY(db.HuboError());
        QCOMPARE(db.UltimoError().number, ado::kErrIntegrity);
        QCOMPARE(db.gCnn.errors().Count(), 1);   // left for callers that read the connection's errors
        QCOMPARE(Cuenta(db, QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS")), antes);
        const QString log = base.Log();
        QCOMPARE(log.count(QStringLiteral("\r\n")), 1);
        QVERIFY(log.contains(QStringLiteral(" Rutina: - EjecutaConsultaSQL Mensaje Ha ocurrido el Siguiente Error (")
                             + QString::number(ado::kErrIntegrity) + QStringLiteral(") ")));
        QVERIFY(log.contains(QStringLiteral(" Sentencia: INSERT INTO MA_CUENTAS (Codigo) VALUES ('1101') Respondi")));
    }

    void fallaSilenciosa_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<qint64>("numero");
        QTest::newRow("missing table") << "DELETE FROM NO_EXISTE" << ado::kErrMissingObject;
        QTest::newRow("syntax") << "UPDATE MA_CUENTAS SET WHERE" << ado::kErrSyntax;
        QTest::newRow("unknown column") << "UPDATE MA_CUENTAS SET NOPE = 1" << ado::kErrSyntax;
    }
    void fallaSilenciosa()
    {
        QFETCH(QString, sql);
        QFETCH(qint64, numero);
        BaseDePrueba base;
        ScriptedDialogs d;
        DB_Dll db;
        base.Abrir(db, QStringLiteral("admin"));
        QVERIFY(!db.EjecutaConsultaSQL(sql));
        QCOMPARE(db.UltimoError().number, numero);
        QVERIFY(d.verifyDone());
        QCOMPARE(base.Log().count(QStringLiteral("\r\n")), 1);
    }

    // Errors outside the quiet set are shown; the letters TRANS inside a value do not silence them, a
    // transaction script does.
    void transaccionSoloComoPalabras_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<bool>("muestra");
        QTest::newRow("value holding TRANS") << "UPDATE T SET OBS = 'TRANSFERENCIA' WHERE ID = 1" << true;
        QTest::newRow("name holding TRANS") << "DELETE FROM TRANSFERENCIAS" << true;
        QTest::newRow("transaction script") << "BEGIN TRANSACTION DELETE FROM T COMMIT TRANSACTION" << false;
        QTest::newRow("short form TRANS") << "BEGIN TRANS DELETE FROM T" << false;
        QTest::newRow("TRAN is no TRANS") << "BEGIN TRAN DELETE FROM T" << true;
    }
    void transaccionSoloComoPalabras()
    {
        QFETCH(QString, sql);
        QFETCH(bool, muestra);
        QTemporaryDir dir;
        qputenv("CONCCUENTAS_HOME", dir.path().toUtf8());
        ScriptedDialogs d;
        DB_Dll db;   // never opened: every statement fails with "connection unusable"
        if (muestra)
            d.expectMsgBox(ui::vbOK).withTitle(QStringLiteral("Aviso al operador!!!")).withStyle(ui::vbOKOnly + ui::vbCritical);
        QVERIFY(!db.EjecutaConsultaSQL(sql));
        QVERIFY(d.verifyDone());
        QVERIFY(db.HuboError());
    }

    // The Oracle road runs a script statement by statement with the connection's own transaction calls. The
    // connection here is the embedded one, told it is Oracle: the statements used read the same on both.
    void scriptOracleEnUnaTransaccion()
    {
        BaseDePrueba base;
        ScriptedDialogs d;
        DB_Dll db;
        base.Abrir(db, QStringLiteral("admin"));
        db.gPlataforma = Plataforma::Oracle;
        qint64 filas = 10;
        QVERIFY(db.EjecutaConsultaSQL(QStringLiteral("BEGIN TRANSACTION\r\n"
                                                     "INSERT INTO MA_CUENTAS (Codigo, Descripcion) VALUES ('9001', 'please update me')\r\n"
                                                     "UPDATE MA_CUENTAS SET Titulo = 1 WHERE Codigo = '9001'\r\n"
                                                     "COMMIT TRANSACTION"),
                                      &filas));
        QCOMPARE(filas, 12);   // each statement adds its count to the caller's value
        QCOMPARE(base.sentencias.size(), 4);
        QVERIFY(base.sentencias[0].startsWith(QStringLiteral("BEGIN")));
        QVERIFY(base.sentencias[1].startsWith(QStringLiteral("INSERT")));
        QVERIFY(base.sentencias[2].startsWith(QStringLiteral("UPDATE")));
        QVERIFY(base.sentencias[3].startsWith(QStringLiteral("COMMIT")));
        QCOMPARE(Cuenta(db, QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS WHERE Codigo = '9001' AND Titulo = 1 "
                                           "AND Descripcion = 'please update me'")),
                 1);
        QVERIFY(!db.gCnn.InTransaction());
        QVERIFY(d.verifyDone());
    }

    void scriptOracleFallidoDeshaceSuTransaccion()
    {
        BaseDePrueba base;
        ScriptedDialogs d;
        DB_Dll db;
        base.Abrir(db, QStringLiteral("admin"));
        db.gPlataforma = Plataforma::Oracle;
        QVERIFY(!db.EjecutaConsultaSQL(QStringLiteral("BEGIN TRANSACTION "
                                                      "INSERT INTO MA_CUENTAS (Codigo) VALUES ('9002') "
                                                      "INSERT INTO MA_CUENTAS (Codigo) VALUES ('1101') "
                                                      "COMMIT TRANSACTION")));
        QVERIFY(d.verifyDone());   // a transaction script fails quietly
        QVERIFY(!db.gCnn.InTransaction());
        QCOMPARE(db.gCnn.errors().Count(), 1);
        QCOMPARE(db.gCnn.errors().Item(0).Number, ado::kErrIntegrity);
        QCOMPARE(Cuenta(db, QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS WHERE Codigo = '9002'")), 0);
        QCOMPARE(db.UltimoError().number, ado::kErrIntegrity);
        QCOMPARE(base.Log().count(QStringLiteral("\r\n")), 1);
    }

    void oracleDiccSoloEnOracle()
    {
        DB_Dll db;
        const QString sql = QStringLiteral("SELECT TOP 1 ISNULL(A,0) FROM T ORDER BY A");
        QCOMPARE(db.ORACLE_Dicc(sql), sql);
        db.gConnString = QStringLiteral("PROVIDER=SQLOLEDB;Server=oracle1;Database =ORACLE;UId=oracle;Pwd=;");
        QCOMPARE(db.ORACLE_Dicc(sql), sql);   // a connection text naming oracle is no Oracle platform
        db.gPlataforma = Plataforma::Oracle;
        QCOMPARE(db.ORACLE_Dicc(sql), QStringLiteral("SELECT * FROM (SELECT NVL(A,0) FROM T ORDER BY A) WHERE ROWNUM <= 1"));
        QCOMPARE(db.ORACLE_Dicc(QStringLiteral("LEN")), QStringLiteral("LENGTH"));
    }
};

QTEST_MAIN(TstSentencias)
#include "tst_data_sentencias.moc"
