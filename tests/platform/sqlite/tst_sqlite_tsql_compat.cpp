// The rewrite and the batch split, text in, text out.

#include "platform/sqlite/TsqlCompat.h"

#include <QTest>

class TstTsqlCompat : public QObject {
    Q_OBJECT
private slots:
    void rewrite_data();
    void rewrite();
    void splitBatch_data();
    void splitBatch();
    void splitAndRewrite_data();
    void splitAndRewrite();
    void splitAndRewriteIsBothSteps_data() { splitBatch_data(); }
    void splitAndRewriteIsBothSteps();
    void resultsOutliveTheirSource();
};

void TstTsqlCompat::rewrite_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    // TOP in every spelling, moved to a LIMIT after the last clause.
    QTest::newRow("top after order by")
        << "SELECT TOP 1 IDCONCILIACION FROM MV_CONCILIACION ORDER BY IDCONCILIACION DESC"
        << "SELECT IDCONCILIACION FROM MV_CONCILIACION ORDER BY IDCONCILIACION DESC LIMIT 1";
    QTest::newRow("top with two blanks")
        << "SELECT TOP 1  * FROM MA_CUENTAS WHERE LTRIM(RTRIM(Codigo)) ='1101'"
        << "SELECT * FROM MA_CUENTAS WHERE LTRIM(RTRIM(Codigo)) COLLATE TSQLTEXT ='1101' LIMIT 1";
    QTest::newRow("lower-case top") << "select top 1 * from MA_CUENTAS" << "select * from MA_CUENTAS LIMIT 1";
    QTest::newRow("top in parentheses") << "SELECT top(5)* FROM t" << "SELECT * FROM t LIMIT 5";
    QTest::newRow("top with expression") << "SELECT TOP (2+3) a FROM t" << "SELECT a FROM t LIMIT (2+3)";
    QTest::newRow("distinct top") << "SELECT DISTINCT TOP 3 a FROM t" << "SELECT DISTINCT a FROM t LIMIT 3";
    QTest::newRow("top after a filter put before the order")
        << "SELECT TOP 1000 NOMBRE FROM V_TA_VENDEDORES where NOMBRE like 'juan%' ORDER BY NOMBRE"
        << "SELECT NOMBRE FROM V_TA_VENDEDORES where NOMBRE like 'juan%' ORDER BY NOMBRE LIMIT 1000";
    QTest::newRow("top in a subquery")
        << "SELECT a FROM t WHERE b IN (SELECT TOP 2 b FROM u ORDER BY b) ORDER BY a"
        << "SELECT a FROM t WHERE b IN (SELECT b FROM u ORDER BY b LIMIT 2) ORDER BY a";
    QTest::newRow("top before trailing line break and comment")
        << "SELECT TOP 1 a FROM t -- last\r\n" << "SELECT a FROM t LIMIT 1 -- last\r\n";
    QTest::newRow("top before a semicolon") << "select top 1 a from t;" << "select a from t LIMIT 1;";
    QTest::newRow("top percent left for the engine to refuse")
        << "SELECT TOP 10 PERCENT a FROM t" << "SELECT TOP 10 PERCENT a FROM t";
    QTest::newRow("top as a column name") << "SELECT top FROM t" << "SELECT top FROM t";
    QTest::newRow("top inside a word") << "SELECT stop FROM laptop" << "SELECT stop FROM laptop";

    QTest::newRow("isnull")
        << "Select sum(isnull(saldo,0)) as Saldo from ve_saldosctaAC where cuenta like '11%'"
        << "Select sum(IFNULL(saldo,0)) as Saldo from ve_saldosctaAC where cuenta like '11%'";
    QTest::newRow("isnull with a blank before the parenthesis")
        << "SELECT ISNULL (a, 0) FROM t" << "SELECT IFNULL (a, 0) FROM t";
    QTest::newRow("isnull as the postfix operator stays") << "SELECT a FROM t WHERE a ISNULL"
                                                         << "SELECT a FROM t WHERE a ISNULL";

    QTest::newRow("delete without from")
        << " DELETE v_mv_ctrol_cpte WHERE TC='CCCC' and SUCURSAL='0001' AND NUMERO='00000012'"
        << " DELETE FROM v_mv_ctrol_cpte WHERE TC='CCCC' and SUCURSAL='0001' AND NUMERO='00000012'";
    QTest::newRow("delete with from") << "DELETE FROM MV_CONCILIACION_Cpte_AUX WHERE IDCPTE=4"
                                      << "DELETE FROM MV_CONCILIACION_Cpte_AUX WHERE IDCPTE=4";
    QTest::newRow("delete of a bracketed name") << "DELETE [MV CONC] WHERE ID = 1"
                                                << "DELETE FROM [MV CONC] WHERE ID = 1";
    QTest::newRow("insert without into")
        << "INSERT MV_CONCILIACION_aux (IDCONCILIACION,[NUMERO ASIENTO]) VALUES('12',3)"
        << "INSERT INTO MV_CONCILIACION_aux (IDCONCILIACION,[NUMERO ASIENTO]) VALUES('12',3)";
    QTest::newRow("insert with into") << "INSERT INTO t (a) Values(1)" << "INSERT INTO t (a) Values(1)";
    QTest::newRow("insert or replace") << "INSERT OR REPLACE INTO t (a) VALUES(1)"
                                       << "INSERT OR REPLACE INTO t (a) VALUES(1)";
    QTest::newRow("delete inside a trigger clause stays")
        << "CREATE TRIGGER x INSTEAD OF DELETE ON v BEGIN DELETE t WHERE a = old.a; END"
        << "CREATE TRIGGER x INSTEAD OF DELETE ON v BEGIN DELETE t WHERE a = old.a; END";

    QTest::newRow("number glued to a keyword")
        << "Select cuenta From ve_saldosctaAC where  len(cuenta)<=6and( unidadnegocio  = '1' )"
        << "Select cuenta From ve_saldosctaAC where  len(cuenta)<=6 and( unidadnegocio  = '1' )";
    QTest::newRow("decimal glued to a keyword") << "WHERE a=1.5or b=2" << "WHERE a=1.5 or b=2";
    QTest::newRow("exponent and hex stay") << "SELECT 1e5, 0x1F, t1.a FROM t1" << "SELECT 1e5, 0x1F, t1.a FROM t1";

    QTest::newRow("text plus literal")
        << "SELECT CODIGO + '     ' AS CODIGO, DESCRIPCION FROM VT_TA_CPTE ORDER BY CODIGO"
        << "SELECT CODIGO || '     ' AS CODIGO, DESCRIPCION FROM VT_TA_CPTE ORDER BY CODIGO";
    QTest::newRow("numeric sum stays")
        << "SELECT (V_MV_Cpte.impdescuento1 + V_MV_Cpte.impdescuento2 + V_MV_Cpte.impdescuento3 + "
           "V_MV_Cpte.impdescuento4) AS DESCUENTOS FROM V_MV_Cpte"
        << "SELECT (V_MV_Cpte.impdescuento1 + V_MV_Cpte.impdescuento2 + V_MV_Cpte.impdescuento3 + "
           "V_MV_Cpte.impdescuento4) AS DESCUENTOS FROM V_MV_Cpte";
    QTest::newRow("whole chain with one literal") << "SELECT a + b + '-' FROM t" << "SELECT a || b || '-' FROM t";
    QTest::newRow("chains end at commas and comparisons")
        << "SELECT a + 1, b + 'x' FROM t WHERE c + 2 = d + 'y'"
        << "SELECT a + 1, b || 'x' FROM t WHERE c + 2 = d || 'y'";
    QTest::newRow("parenthesised text chain") << "SELECT ('a' + b) + c FROM t" << "SELECT ('a' || b) || c FROM t";
    QTest::newRow("function arguments do not make text") << "SELECT len('abc') + 1 FROM t"
                                                         << "SELECT len('abc') + 1 FROM t";
    QTest::newRow("literal as a function argument next to plus") << "SELECT LTRIM(a + ' ') + 2 FROM t"
                                                                 << "SELECT LTRIM(a || ' ') COLLATE TSQLTEXT + 2 FROM t";
    QTest::newRow("text function keeps the text collation")
        << "SELECT Nombre FROM ta_usuarios WHERE UPPER(LTRIM(RTRIM(Nombre))) = 'ADMIN' ORDER BY RIGHT(x, 2)"
        << "SELECT Nombre FROM ta_usuarios WHERE UPPER(LTRIM(RTRIM(Nombre))) COLLATE TSQLTEXT = 'ADMIN' ORDER BY RIGHT(x, 2) COLLATE TSQLTEXT";
    QTest::newRow("explicit collation left alone") << "SELECT a FROM t WHERE LTRIM(a) COLLATE NOCASE = 'x'"
                                                   << "SELECT a FROM t WHERE LTRIM(a) COLLATE NOCASE = 'x'";
    QTest::newRow("left join is no function") << "SELECT a FROM t LEFT JOIN u ON t.a = u.a"
                                              << "SELECT a FROM t LEFT JOIN u ON t.a = u.a";
    QTest::newRow("sign is no operator") << "SELECT +'a' FROM t" << "SELECT +'a' FROM t";
    QTest::newRow("alias without as") << "SELECT CODIGO + '  ' C FROM t" << "SELECT CODIGO || '  ' C FROM t";

    QTest::newRow("begin transaction") << "BEGIN TRANSACTION" << "BEGIN IMMEDIATE TRANSACTION";
    QTest::newRow("begin tran") << "begin tran" << "BEGIN IMMEDIATE TRANSACTION";
    QTest::newRow("commit transaction") << "COMMIT TRANSACTION" << "COMMIT TRANSACTION";
    QTest::newRow("rollback tran") << "ROLLBACK TRAN" << "ROLLBACK TRANSACTION";

    // Nothing inside literals, bracketed names or comments changes.
    QTest::newRow("keywords inside a literal with a quote")
        << "UPDATE MV_CONCILIACION SET CONCEPTO = 'it''s SELECT TOP 5 + x, isnull( DELETE t WHERE 6and' WHERE ID = 1"
        << "UPDATE MV_CONCILIACION SET CONCEPTO = 'it''s SELECT TOP 5 + x, isnull( DELETE t WHERE 6and' WHERE ID = 1";
    QTest::newRow("bracketed names stay")
        << "SELECT [NUMERO ASIENTO], [debe-haber], [TOP 1] FROM MV_ASIENTOS WHERE MV_ASIENTOS.[debe-haber] = 'D' "
        << "SELECT [NUMERO ASIENTO], [debe-haber], [TOP 1] FROM MV_ASIENTOS WHERE MV_ASIENTOS.[debe-haber] = 'D' ";
    QTest::newRow("comment stays") << "SELECT a FROM t -- isnull( top 1 + 'x'\n"
                                   << "SELECT a FROM t -- isnull( top 1 + 'x'\n";
    QTest::newRow("unterminated literal stays") << "SELECT 'abc + top 1" << "SELECT 'abc + top 1";
    QTest::newRow("quote glued to a keyword stays") << "SELECT a FROM t Where TC='FC  'and cuenta <> '1101'"
                                                    << "SELECT a FROM t Where TC='FC  'and cuenta <> '1101'";
    QTest::newRow("empty") << "" << "";
}

void TstTsqlCompat::rewrite()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(sqlcompat::Rewrite(input), expected);
}

void TstTsqlCompat::splitBatch_data()
{
    QTest::addColumn<QString>("batch");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("finalisation batch on line breaks")
        << "BEGIN TRANSACTION\r\nDELETE MV_CONCILIACION WHERE ID = 5\r\n"
           "UPDATE MV_CONCILIACION SET FINALIZADA = 1 WHERE ID = 6\r\n"
           "UPDATE MV_CONCILIACION_CAB SET FINALIZADA = 1 WHERE IDCONCILIACION = '12             '"
        << QStringList{"BEGIN TRANSACTION", "DELETE MV_CONCILIACION WHERE ID = 5",
                       "UPDATE MV_CONCILIACION SET FINALIZADA = 1 WHERE ID = 6",
                       "UPDATE MV_CONCILIACION_CAB SET FINALIZADA = 1 WHERE IDCONCILIACION = '12             '"};
    QTest::newRow("empty value keeps its broken statement")
        << "BEGIN TRANSACTION\r\nDELETE MV_CONCILIACION WHERE ID = \r\nUPDATE MV_CONCILIACION SET FINALIZADA = 1 WHERE ID = 6\r\n"
        << QStringList{"BEGIN TRANSACTION", "DELETE MV_CONCILIACION WHERE ID =",
                       "UPDATE MV_CONCILIACION SET FINALIZADA = 1 WHERE ID = 6"};
    QTest::newRow("semicolons") << "DELETE t WHERE a = 1; DELETE u WHERE b = ';'  ;;"
                                << QStringList{"DELETE t WHERE a = 1", "DELETE u WHERE b = ';'"};
    QTest::newRow("single statement with trailing line break")
        << "DELETE MV_CONCILIACION WHERE ID = 7\r\n" << QStringList{"DELETE MV_CONCILIACION WHERE ID = 7"};
    QTest::newRow("statement over several lines")
        << "SELECT a,\r\n b\r\nFROM t\r\nWHERE c = 1" << QStringList{"SELECT a,\r\n b\r\nFROM t\r\nWHERE c = 1"};
    QTest::newRow("keywords in literals, names and comments")
        << "UPDATE t SET a = 'x\r\nDELETE y' WHERE [SELECT] = 1 -- UPDATE\r\nCOMMIT TRANSACTION"
        << QStringList{"UPDATE t SET a = 'x\r\nDELETE y' WHERE [SELECT] = 1 -- UPDATE", "COMMIT TRANSACTION"};
    QTest::newRow("subquery stays") << "DELETE t WHERE a IN (SELECT a FROM u)\nSELECT 1"
                                    << QStringList{"DELETE t WHERE a IN (SELECT a FROM u)", "SELECT 1"};
    QTest::newRow("insert select") << "INSERT INTO t (a) SELECT a FROM u" << QStringList{"INSERT INTO t (a) SELECT a FROM u"};
    QTest::newRow("insert values then select") << "INSERT INTO t (a) VALUES (1)\nSELECT a FROM t"
                                               << QStringList{"INSERT INTO t (a) VALUES (1)", "SELECT a FROM t"};
    QTest::newRow("union") << "SELECT a FROM t UNION ALL SELECT a FROM u" << QStringList{"SELECT a FROM t UNION ALL SELECT a FROM u"};
    QTest::newRow("trigger body")
        << "CREATE TRIGGER x INSTEAD OF INSERT ON v BEGIN INSERT INTO t (a) VALUES (new.a); "
           "UPDATE u SET n = CASE WHEN n IS NULL THEN 1 ELSE n + 1 END; END;\nCREATE VIEW w AS SELECT a FROM t"
        << QStringList{"CREATE TRIGGER x INSTEAD OF INSERT ON v BEGIN INSERT INTO t (a) VALUES (new.a); "
                       "UPDATE u SET n = CASE WHEN n IS NULL THEN 1 ELSE n + 1 END; END",
                       "CREATE VIEW w AS SELECT a FROM t"};
    QTest::newRow("table with on delete clause") << "CREATE TABLE t (a REFERENCES u ON DELETE CASCADE ON UPDATE SET NULL)"
                                                 << QStringList{"CREATE TABLE t (a REFERENCES u ON DELETE CASCADE ON UPDATE SET NULL)"};
    QTest::newRow("trigger with a condition")
        << "CREATE TRIGGER x AFTER INSERT ON t FOR EACH ROW WHEN new.a > 0 BEGIN DELETE FROM u; END\nSELECT 1"
        << QStringList{"CREATE TRIGGER x AFTER INSERT ON t FOR EACH ROW WHEN new.a > 0 BEGIN DELETE FROM u; END",
                       "SELECT 1"};
    QTest::newRow("definitions on separate lines")
        << "CREATE TABLE t (a INT)\nCREATE INDEX i ON t (a)\nALTER TABLE t ADD b INT\nUPDATE t SET b = 0\n"
           "ALTER TABLE t DROP COLUMN b\nDROP TABLE t"
        << QStringList{"CREATE TABLE t (a INT)", "CREATE INDEX i ON t (a)", "ALTER TABLE t ADD b INT",
                       "UPDATE t SET b = 0", "ALTER TABLE t DROP COLUMN b", "DROP TABLE t"};
    QTest::newRow("view over a union") << "CREATE VIEW v AS SELECT a FROM t UNION SELECT a FROM u\nDELETE t WHERE a = 1"
                                       << QStringList{"CREATE VIEW v AS SELECT a FROM t UNION SELECT a FROM u",
                                                      "DELETE t WHERE a = 1"};
    QTest::newRow("pragma value is no statement") << "PRAGMA journal_mode=DELETE"
                                                  << QStringList{"PRAGMA journal_mode=DELETE"};
    QTest::newRow("upsert") << "INSERT INTO t (a) VALUES (1) ON CONFLICT (a) DO UPDATE SET n = n + 1"
                            << QStringList{"INSERT INTO t (a) VALUES (1) ON CONFLICT (a) DO UPDATE SET n = n + 1"};
    QTest::newRow("only blanks and comments") << " \r\n -- nothing\r\n" << QStringList{};
}

void TstTsqlCompat::splitBatch()
{
    QFETCH(QString, batch);
    QFETCH(QStringList, expected);
    QCOMPARE(sqlcompat::SplitBatch(batch), expected);
}

void TstTsqlCompat::splitAndRewrite_data()
{
    QTest::addColumn<QString>("batch");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("batch of three") << "BEGIN TRAN\r\nDELETE t WHERE a = 1\r\nSELECT TOP 2 a + 'x' FROM t"
                                    << QStringList{"BEGIN IMMEDIATE TRANSACTION", "DELETE FROM t WHERE a = 1",
                                                   "SELECT a || 'x' FROM t LIMIT 2"};
    QTest::newRow("one statement") << "  INSERT t (a) VALUES (ISNULL(@x, 'DELETE t'))  "
                                   << QStringList{"INSERT INTO t (a) VALUES (IFNULL(@x, 'DELETE t'))"};
    QTest::newRow("nothing to rewrite") << "INSERT INTO t (a) VALUES (1); UPDATE t SET a = 2"
                                        << QStringList{"INSERT INTO t (a) VALUES (1)", "UPDATE t SET a = 2"};
    QTest::newRow("only a comment") << "/* nothing */" << QStringList{};
}

void TstTsqlCompat::splitAndRewrite()
{
    QFETCH(QString, batch);
    QFETCH(QStringList, expected);
    QCOMPARE(sqlcompat::SplitAndRewrite(batch), expected);
}

void TstTsqlCompat::splitAndRewriteIsBothSteps()
{
    QFETCH(QString, batch);
    QStringList apart;
    for (const QString& part : sqlcompat::SplitBatch(batch))
        apart << sqlcompat::Rewrite(part);
    QCOMPARE(sqlcompat::SplitAndRewrite(batch), apart);
}

void TstTsqlCompat::resultsOutliveTheirSource()
{
    QStringList parts;
    QString rewritten;
    {
        QString batch = QStringLiteral("COMMIT");
        parts = sqlcompat::SplitBatch(batch);
        rewritten = sqlcompat::Rewrite(QStringLiteral("ROLLBACK TRAN"));
        batch.fill(u'x');
    }
    QCOMPARE(parts, QStringList{"COMMIT"});
    QCOMPARE(rewritten, QStringLiteral("ROLLBACK TRANSACTION"));
}

QTEST_APPLESS_MAIN(TstTsqlCompat)
#include "tst_sqlite_tsql_compat.moc"
