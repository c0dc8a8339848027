// The Oracle translation is pure text: each rewrite is checked on the statements the program sends.
#include "data/base/DialectoOracle.h"

#include <QTest>

using oracle::Paso;

Q_DECLARE_METATYPE(QList<Paso>)

namespace {

Paso sentencia(const QString& t) { return Paso{Paso::Sentencia, t}; }
Paso iniciar() { return Paso{Paso::IniciarTransaccion, QStringLiteral("SET TRANSACTION")}; }
Paso confirmar() { return Paso{Paso::Confirmar, QStringLiteral("COMMIT")}; }
Paso deshacer() { return Paso{Paso::Deshacer, QStringLiteral("ROLLBACK")}; }

} // namespace

class TstDialectoOracle : public QObject {
    Q_OBJECT
private slots:
    void traducir_data()
    {
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("single word LEN") << "LEN" << "LENGTH";
        QTest::newRow("single word len, any case") << "len" << "LENGTH";
        QTest::newRow("other single word") << "CODIGO" << "CODIGO";
        QTest::newRow("empty") << "" << "";
        // The limit applies to the ordered rows: ROWNUM outside the query that orders them.
        QTest::newRow("top with order by")
            << "SELECT TOP 1 IDCONCILIACION FROM MV_CONCILIACION ORDER BY IDCONCILIACION DESC"
            << "SELECT * FROM (SELECT IDCONCILIACION FROM MV_CONCILIACION ORDER BY IDCONCILIACION DESC) WHERE ROWNUM <= 1";
        QTest::newRow("top 5 no where")
            << "SELECT TOP 5 CODIGO FROM MA_CUENTAS ORDER BY CODIGO"
            << "SELECT * FROM (SELECT CODIGO FROM MA_CUENTAS ORDER BY CODIGO) WHERE ROWNUM <= 5";
        QTest::newRow("top with where and or")
            << "SELECT TOP 1 * FROM T WHERE A = 1 OR B = 2"
            << "SELECT * FROM (SELECT * FROM T WHERE A = 1 OR B = 2) WHERE ROWNUM <= 1";
        QTest::newRow("top with group by")
            << "select top 3 CUENTA, SUM(IMPORTE) from MV_ASIENTOS group by CUENTA"
            << "SELECT * FROM (SELECT CUENTA, SUM(IMPORTE) from MV_ASIENTOS group by CUENTA) WHERE ROWNUM <= 3";
        QTest::newRow("distinct top")
            << "SELECT DISTINCT TOP 2 TC FROM V WHERE X = 1"
            << "SELECT * FROM (SELECT DISTINCT TC FROM V WHERE X = 1) WHERE ROWNUM <= 2";
        QTest::newRow("top in a subquery")
            << "SELECT * FROM A WHERE ID IN (SELECT TOP 1 ID FROM B ORDER BY ID) AND X = 1"
            << "SELECT * FROM A WHERE ID IN (SELECT * FROM (SELECT ID FROM B ORDER BY ID) WHERE ROWNUM <= 1) AND X = 1";
        QTest::newRow("top inside a word is no row limit")
            << "SELECT laptop , stop FROM EQUIPOS" << "SELECT laptop , stop FROM EQUIPOS";
        QTest::newRow("top inside a literal")
            << "SELECT * FROM T WHERE D = 'select top 5 x'" << "SELECT * FROM T WHERE D = 'select top 5 x'";
        QTest::newRow("LEN with blanks before the parenthesis")
            << "SELECT LEN(A), LEN (B), LEN    (C) FROM T" << "SELECT LENGTH(A), LENGTH(B), LENGTH(C) FROM T";
        QTest::newRow("brackets to double quotes")
            << "SELECT [NUMERO ASIENTO] FROM MV_ASIENTOS" << "SELECT \"NUMERO ASIENTO\" FROM MV_ASIENTOS";
        QTest::newRow("brackets inside a literal are data")
            << "SELECT A FROM T WHERE OBS = 'ver [nota]'" << "SELECT A FROM T WHERE OBS = 'ver [nota]'";
        QTest::newRow("ISNULL to NVL")
            << "SELECT ISNULL(IMPORTE,0) FROM T" << "SELECT NVL(IMPORTE,0) FROM T";
        QTest::newRow("isnull lower case")
            << "SELECT isnull(IMPORTE,0) FROM T" << "SELECT NVL(IMPORTE,0) FROM T";
        QTest::newRow("quoted date")
            << "SELECT * FROM T WHERE FECHA >= '01/02/2020' AND FECHA <= '1/3/2020'"
            << "SELECT * FROM T WHERE FECHA >= TO_DATE('01/02/2020','DD/MM/YYYY') AND FECHA <= "
               "TO_DATE('01/03/2020','DD/MM/YYYY')";
        QTest::newRow("date already wrapped is not wrapped twice")
            << "SELECT * FROM T WHERE FECHA = TO_DATE('15/06/2021','DD/MM/YYYY')"
            << "SELECT * FROM T WHERE FECHA = TO_DATE('15/06/2021','DD/MM/YYYY')";
        QTest::newRow("quoted text that is no date")
            << "SELECT * FROM T WHERE TC = 'FCA' AND D = '31/02/2020'"
            << "SELECT * FROM T WHERE TC = 'FCA' AND D = '31/02/2020'";
        QTest::newRow("Charindex to InStr")
            << "SELECT CHARINDEX('-', CODIGO) FROM T" << "SELECT InStr('-', CODIGO) FROM T";
        QTest::newRow("CONVERT with style 103")
            << "SELECT CONVERT(NVARCHAR,FECHA,103) FROM T" << "SELECT TO_CHAR(FECHA,'DD/MM/YYYY') FROM T";
        QTest::newRow("CONVERT to INT")
            << "SELECT CONVERT(INT,NUMERO) FROM T" << "SELECT TO_NUMBER(NUMERO) FROM T";
        QTest::newRow("103 outside TO_CHAR stays")
            << "SELECT A FROM T WHERE B = 103 AND C = 1103" << "SELECT A FROM T WHERE B = 103 AND C = 1103";
        QTest::newRow("empty text after WHERE is NULL")
            << "SELECT '' AS X FROM T WHERE OBS = '' AND TC=''"
            << "SELECT '' AS X FROM T WHERE OBS  IS NULL  AND TC IS NULL ";
        QTest::newRow("a value starting with a quote is not empty")
            << "SELECT A FROM T WHERE OBS = '''x'" << "SELECT A FROM T WHERE OBS = '''x'";
        QTest::newRow("SUBSTRING to SUBSTR")
            << "SELECT SUBSTRING(CODIGO,1,2) FROM T" << "SELECT SUBSTR(CODIGO,1,2) FROM T";
    }
    void traducir()
    {
        QFETCH(QString, valor);
        QFETCH(QString, esperado);
        QCOMPARE(oracle::Traducir(valor), esperado);
    }

    void leeComoFecha_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QDate>("fecha");
        QTest::newRow("dd/mm/yyyy") << "05/11/2023" << QDate(2023, 11, 5);
        QTest::newRow("d/m/yyyy") << "5/1/2023" << QDate(2023, 1, 5);
        QTest::newRow("two-digit year") << "5/1/23" << QDate(2023, 1, 5);
        QTest::newRow("hyphens") << "05-01-1999" << QDate(1999, 1, 5);
        QTest::newRow("iso") << "2024-02-29" << QDate(2024, 2, 29);
        QTest::newRow("no such day") << "29/02/2023" << QDate();
        QTest::newRow("mixed separators") << "05/01-2023" << QDate();
        QTest::newRow("a number") << "2023" << QDate();
        QTest::newRow("text") << "FCA" << QDate();
    }
    void leeComoFecha()
    {
        QFETCH(QString, texto);
        QFETCH(QDate, fecha);
        QDate leida;
        QCOMPARE(oracle::LeeComoFecha(texto, &leida), fecha.isValid());
        if (fecha.isValid())
            QCOMPARE(leida, fecha);
    }

    void dividirScript_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QList<Paso>>("pasos");
        QTest::newRow("transaction, insert, commit")
            << "BEGIN TRANSACTION\r\nINSERT INTO T (A) VALUES (1)\r\nCOMMIT TRANSACTION"
            << QList<Paso>{iniciar(), sentencia("INSERT INTO T (A) VALUES (1)"), confirmar()};
        QTest::newRow("short words and rollback")
            << "begin trans update T set A = 2 rollback trans"
            << QList<Paso>{iniciar(), sentencia("update T set A = 2"), deshacer()};
        QTest::newRow("keywords inside a value stay in the statement")
            << "INSERT INTO T (OBS) VALUES ('please update the DELETE list; commit later')"
            << QList<Paso>{sentencia("INSERT INTO T (OBS) VALUES ('please update the DELETE list; commit later')")};
        QTest::newRow("keyword inside a longer name")
            << "UPDATE T SET LAST_UPDATE = 1, XDELETE = 2"
            << QList<Paso>{sentencia("UPDATE T SET LAST_UPDATE = 1, XDELETE = 2")};
        QTest::newRow("COMMITTED is no commit")
            << "SET TRANSACTION ISOLATION LEVEL READ COMMITTED"
            << QList<Paso>{sentencia("SET TRANSACTION ISOLATION LEVEL READ COMMITTED")};
        QTest::newRow("batch words and NOCOUNT are dropped")
            << "SET NOCOUNT ON\r\nDELETE FROM A WHERE X = 1\r\nGO\r\nDELETE FROM B\r\nGO "
            << QList<Paso>{sentencia("DELETE FROM A WHERE X = 1"), sentencia("DELETE FROM B")};
        QTest::newRow("guard test is a step of its own")
            << "IF NOT EXISTS (SELECT 1 FROM T) INSERT INTO T VALUES (1)"
            << QList<Paso>{sentencia("IF NOT EXISTS (SELECT 1 FROM T)"), sentencia("INSERT INTO T VALUES (1)")};
        QTest::newRow("text before the first keyword is not run")
            << "PRINT 'x' DROP TABLE T" << QList<Paso>{sentencia("DROP TABLE T")};
        QTest::newRow("no keyword") << "SELECT 1" << QList<Paso>{};
    }
    void dividirScript()
    {
        QFETCH(QString, script);
        QFETCH(QList<Paso>, pasos);
        const QList<Paso> obtenidos = oracle::DividirScript(script);
        QCOMPARE(obtenidos.size(), pasos.size());
        for (int i = 0; i < pasos.size(); ++i) {
            QCOMPARE(int(obtenidos[i].tipo), int(pasos[i].tipo));
            QCOMPARE(obtenidos[i].texto, pasos[i].texto);
        }
    }

    void limpiarScriptKeepsLineBreaksInsideLiterals()
    {
        const QString script = QStringLiteral("INSERT INTO T VALUES ('a\r\nGO b')\r\n");
        QCOMPARE(oracle::LimpiarScript(script), QStringLiteral("INSERT INTO T VALUES ('a\r\nGO b') \n"));
    }

    void filtraSentencia_data()
    {
        QTest::addColumn<QString>("sentencia");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("nocount") << "set nocount off" << "";
        QTest::newRow("guard") << "IF NOT EXISTS (SELECT 1 FROM T)" << "";
        QTest::newRow("other") << "DELETE FROM T" << "DELETE FROM T";
    }
    void filtraSentencia()
    {
        QFETCH(QString, sentencia);
        QFETCH(QString, esperado);
        QString arg = sentencia;
        QCOMPARE(oracle::FiltraSentencia(arg), esperado);
        QCOMPARE(arg, esperado);
    }
};

QTEST_GUILESS_MAIN(TstDialectoOracle)
#include "tst_data_dialecto_oracle.moc"
