// The read guard of the server road, text by text: each is read as SQL Server and as Oracle read it, and is
// either let through as one reading statement or refused. Where the servers read a text differently (block
// comments nest on SQL Server only, brackets quote names on SQL Server only, q'[...]' literals and the
// f/d number endings are Oracle's, each has words the other does not know), the row says so.

#include "platform/ado/PlainRead.h"

#include <QTest>

using namespace ado;

namespace {

constexpr bool pass = true;
constexpr bool refuse = false;

} // namespace

class TestAdoPlainRead : public QObject {
    Q_OBJECT

private slots:
    void guard_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<bool>("sqlServer");
        QTest::addColumn<bool>("oracle");
        const auto row = [](const char* name, const QString& sql, bool sqlServer, bool oracle) {
            QTest::newRow(name) << sql << sqlServer << oracle;
        };

        // Holes found by probing the server road.
        row("nested comment hides a delete", "SELECT 1 /* /* */ ' */ DELETE FROM X --'", refuse, pass);
        row("line comment ended by CR", "SELECT 1 --x\rDELETE FROM X", refuse, refuse);
        row("disable trigger", "SELECT 1 FROM X DISABLE TRIGGER ALL ON X", refuse, refuse);
        row("enable trigger", "SELECT 1 ENABLE TRIGGER t ON X", refuse, refuse);
        row("updatetext", "SELECT 1 UPDATETEXT X.T @p 0 NULL 'a'", refuse, pass);
        row("writetext", "SELECT 1 WRITETEXT X.T @p 'a'", refuse, pass);
        row("receive", "SELECT 1 RECEIVE * FROM q", refuse, pass);
        row("odbc call escape", "SELECT 1 {call sp_x}", refuse, refuse);
        row("odbc call escape alone", "{call sp_x}", refuse, refuse);
        // Oracle has no binary literal: "0xTRUNCATE" is the number 0 and the name xTRUNCATE there.
        row("word glued to a binary literal", "SELECT 0x=0xTRUNCATE TABLE X", refuse, pass);
        row("word glued to a bare exponent", "SELECT 1=1eDELETE FROM X", refuse, refuse);
        row("go as a column name", "SELECT 1 AS go", pass, pass);
        row("nested comment holding delete", "SELECT 1 /* a /* nested */ delete */ AS n", pass, refuse);

        // Braces are read as the server reads them, marks between the words it judges: the server is handed the
        // judged text, and whatever a driver would rewrite never reaches it (tst_ado_server_text). Dropping the
        // braces and keyword, as FreeTDS would, joins these into a comment, a word or a literal; the server
        // joins nothing.
        row("an escape the driver would drop into a line comment", "SELECT 1 -{d }- '\nDELETE FROM X --'", pass, pass);
        row("an escape the driver would drop into a block comment", "SELECT 1 /{d }* ' */ DELETE FROM X /* '*{t }/",
            pass, pass);
        row("an escape the driver would drop into a comment before a drop", "SELECT 1 -{ts }- '\nDROP TABLE X --'",
            pass, pass);
        row("an escape the driver would drop into a comment before a truncate",
            "SELECT 1 -{oj }- '\nTRUNCATE TABLE X --'", pass, pass);
        row("an escape the driver would drop into a comment before an exec", "SELECT 1 -{escape }- '\nEXEC sp_x --'",
            pass, pass);
        row("a filter with an escape the driver would drop into a comment",
            "SELECT * FROM MA_CUENTAS WHERE 1=1 -{d }- '\nDELETE FROM MA_CUENTAS --'", pass, pass);
        row("an escape the driver would join into a write word", "SELECT 1 AS a DE{d }LETE FROM X", pass, pass);
        row("an escape the driver would join two literals with", "SELECT 'a'{d }'b' FROM t", pass, pass);
        row("an escape the driver would join a number and a word with", "SELECT 1{d } FROM t", pass, pass);
        row("an escape inside a comment that nests on SQL Server only", "SELECT 1 /* /* */ *{d }/ DELETE FROM X --*/",
            pass, refuse);
        row("an escape inside an Oracle literal", "SELECT q'[ -{d }- ]' FROM dual", pass, pass);
        row("a line comment and an escape before a line break, then a delete in a literal",
            "SELECT 1 /* /* */ ' */ -- ' {d \n' \nDELETE FROM X --'", pass, pass);
        row("a delete after an escape, outside any literal", "SELECT 1 {d '2026-01-01'} DELETE FROM X", refuse, refuse);
        row("escapes between blanks and operators",
            "SELECT {fn UCASE(a)} FROM t WHERE d >= {d '2026-01-01'} AND (d<{ts '2026-02-01 00:00:00'})", pass, pass);
        row("braces in literals", "SELECT '-{d }-', N'/{t }*', 'a}b{c' FROM t WHERE x <> '}'", pass, pass);
        row("braces in a quoted name", "SELECT \"-{d }-\" FROM t", pass, pass);
        row("braces in a bracketed name", "SELECT [-{d }-] FROM t", pass, pass);
        row("braces in a comment between blanks", "SELECT 1 /* { d } */ FROM t -- {x}", pass, pass);

        // Line comments end at LF or CR LF only: any other line break a server may or may not take.
        row("line comment ended by a paragraph separator", QStringLiteral("SELECT 1 --x\u2029' \nDELETE FROM X --'"),
            refuse, refuse);
        row("line comment ended by a next line", QStringLiteral("SELECT 1 --x\u0085' \nDELETE FROM X --'"), refuse,
            refuse);
        row("line comment ended by a vertical tab", "SELECT 1 --x\v' \nDELETE FROM X --'", refuse, refuse);
        row("line comment ended by a form feed", "SELECT 1 --x\f' \nDELETE FROM X --'", refuse, refuse);
        row("line comment ended by a lone CR, then a quote", "SELECT 1 --x\r' \nDELETE FROM X --'", refuse, refuse);
        row("line comment with a line separator, then a quote",
            QStringLiteral("SELECT 1 --x\u2028' \nDELETE FROM X --'"), refuse, refuse);
        row("line comment ended by CR LF before the rest", "SELECT a -- x\r\nFROM t", pass, pass);
        row("line comment ended by LF before the rest", "SELECT a -- x\nFROM t", pass, pass);

        // A sequence's next value, quoted as the pseudocolumn.
        row("quoted next value", "SELECT s.\"NEXTVAL\" FROM dual", pass, refuse);
        row("quoted next value in small letters", "SELECT s.\"nextval\" FROM dual", pass, refuse);
        row("quoted current value", "SELECT s.\"CURRVAL\" FROM dual", pass, pass);

        // Texts refused or let through before.
        row("truncate", "SELECT k FROM cab WHERE 1=1 TRUNCATE TABLE cab", refuse, refuse);
        row("exec()", "SELECT k FROM cab EXEC('DELETE FROM cab')", refuse, refuse);
        row("sp_executesql", "SELECT k FROM cab EXECUTE sp_executesql N'DELETE FROM cab'", refuse, refuse);
        row("with delete", "WITH x AS (SELECT k FROM cab) DELETE FROM cab", refuse, refuse);
        row("update in a subquery", "SELECT k FROM cab WHERE k IN (SELECT 1 UPDATE cab SET nota='x')", refuse, refuse);
        row("drop", "SELECT 1 DROP TABLE cab", refuse, refuse);
        row("into in a subquery", "SELECT * FROM (SELECT k INTO copia FROM cab) t", refuse, refuse);
        row("bulk insert", "SELECT 1 BULK INSERT cab FROM '/tmp/x'", refuse, refuse);
        row("backup", "SELECT 1 BACKUP DATABASE d TO DISK='/tmp/d'", refuse, pass);
        row("openrowset", "SELECT * FROM OPENROWSET('SQLNCLI', 'x', 'SELECT 1')", refuse, pass);
        row("shutdown", "SELECT 1 SHUTDOWN", refuse, pass);
        row("keyword-like names", "SELECT UPDATE_DATE, [DELETE], \"SET\" FROM cab", pass, refuse);
        row("keywords in texts", "SELECT 'DELETE FROM cab; DROP' AS t FROM cab WHERE nota <> 'EXEC x'", pass, pass);
        row("keywords in comments", "SELECT k /* DROP TABLE cab */ FROM cab -- TRUNCATE", pass, pass);
        row("with read", "WITH x AS (SELECT k FROM cab) SELECT k FROM x", pass, pass);
        row("a second statement after ;", "SELECT k FROM cab; DELETE FROM cab", refuse, refuse);
        row("a write", "DELETE FROM cab", refuse, refuse);
        row("a filter carrying a statement", "1=1; DELETE FROM cab; --", refuse, refuse);
        row("select into", "SELECT k INTO copia FROM cab", refuse, refuse);
        row("merge", "SELECT 1 MERGE t USING u ON t.a = u.a WHEN MATCHED THEN DELETE", refuse, refuse);
        row("create", "SELECT 1 CREATE TABLE t (a INT)", refuse, refuse);
        row("alter", "SELECT 1 ALTER TABLE t ADD b INT", refuse, refuse);
        row("grant", "SELECT 1 GRANT SELECT ON t TO u", refuse, refuse);
        row("revoke", "SELECT 1 REVOKE SELECT ON t FROM u", refuse, refuse);
        row("deny", "SELECT 1 DENY SELECT ON t TO u", refuse, refuse);
        row("declare", "SELECT 1 DECLARE @x INT", refuse, refuse);
        row("set", "SELECT 1 SET NOCOUNT ON", refuse, refuse);
        row("use", "SELECT 1 USE master", refuse, pass);
        row("waitfor", "SELECT x FROM t WHERE 1=1 WAITFOR DELAY '0:0:5'", refuse, pass);
        row("restore", "SELECT 1 RESTORE DATABASE d FROM DISK='/tmp/d'", refuse, pass);
        row("dbcc", "SELECT 1 DBCC CHECKDB", refuse, pass);
        row("kill", "SELECT 1 KILL 52", refuse, pass);
        row("reconfigure", "SELECT 1 RECONFIGURE", refuse, pass);
        row("checkpoint", "SELECT 1 CHECKPOINT", refuse, pass);
        row("opendatasource", "SELECT * FROM OPENDATASOURCE('SQLNCLI', 'x').d.dbo.t", refuse, pass);
        row("openquery", "SELECT * FROM OPENQUERY(srv, 'SELECT 1')", refuse, pass);
        row("openxml", "SELECT * FROM OPENXML(@h, '/r')", refuse, pass);

        // More statements hidden in a read.
        row("two reads after ;", "SELECT 1; SELECT 2", refuse, refuse);
        row("two reads without ;", "SELECT 1 SELECT 2", refuse, refuse);
        row("two reads on two lines", "SELECT 1\r\nSELECT 2", refuse, refuse);
        row("a read in parentheses, then another", "(SELECT 1) SELECT 2", refuse, refuse);
        row("a parenthesized read after a value", "SELECT 1 (SELECT 2)", refuse, refuse);
        row("a parenthesized read after a text", "SELECT 'a' (SELECT 2)", refuse, refuse);
        row("a read after the main query of a with", "WITH x AS (SELECT 1 a) SELECT a FROM x SELECT 2", refuse, refuse);
        row("a read after a parenthesized main query", "WITH x AS (SELECT 1 a) (SELECT a FROM x) SELECT 2", refuse, refuse);
        row("go line", "SELECT 1\nGO", refuse, pass);
        row("go line with a count", "SELECT 1\n  GO 5\n", refuse, pass);
        row("go line then a write", "SELECT 1\nGO\nDELETE FROM t", refuse, refuse);
        row("call escape with a result", "SELECT 1 {?= call f(1)}", refuse, refuse);
        row("call escape with blanks", "SELECT 1 { CALL sp_x }", refuse, refuse);
        row("unknown escape", "SELECT {x 1}", refuse, refuse);
        row("for update", "SELECT * FROM t FOR UPDATE", refuse, refuse);
        row("commit", "SELECT 1 COMMIT", refuse, refuse);
        row("rollback", "SELECT 1 ROLLBACK", refuse, refuse);
        row("begin transaction", "SELECT 1 BEGIN TRANSACTION", refuse, refuse);
        row("a block", "SELECT 1 BEGIN DELETE FROM t END", refuse, refuse);
        row("if", "SELECT 1 IF 1=1 SELECT 2", refuse, refuse);
        row("while", "SELECT 1 WHILE 1=1 BREAK", refuse, pass);
        row("goto", "SELECT 1 GOTO fin", refuse, pass);
        row("return", "SELECT 1 RETURN", refuse, pass);
        row("print", "SELECT 1 PRINT 'x'", refuse, pass);
        row("raiserror", "SELECT 1 RAISERROR('x', 16, 1)", refuse, pass);
        row("throw", "SELECT 1 THROW 50000, 'x', 1", refuse, pass);
        row("save tran", "SELECT 1 SAVE TRAN s", refuse, pass);
        row("dump", "SELECT 1 DUMP TRAN d WITH NO_LOG", refuse, pass);
        row("cursor open", "SELECT 1 OPEN c", refuse, pass);
        row("cursor fetch", "SELECT 1 FETCH NEXT FROM c", refuse, pass);
        row("cursor deallocate", "SELECT 1 DEALLOCATE c", refuse, pass);
        row("send", "SELECT 1 SEND ON CONVERSATION @h", refuse, pass);
        row("end conversation", "SELECT 1 END CONVERSATION @h", refuse, pass);
        row("add signature", "SELECT 1 ADD SIGNATURE TO p BY CERTIFICATE c", refuse, pass);
        row("revert", "SELECT 1 REVERT", refuse, pass);
        row("sequence, SQL Server", "SELECT NEXT VALUE FOR s", refuse, pass);
        row("sequence, Oracle", "SELECT s.NEXTVAL FROM dual", pass, refuse);
        row("lock table", "SELECT a FROM t LOCK TABLE t IN EXCLUSIVE MODE", pass, refuse);
        row("call", "SELECT 1 FROM t CALL p()", pass, refuse);
        row("call alone", "CALL p()", refuse, refuse);
        row("rename", "SELECT 1 FROM t RENAME t TO u", pass, refuse);
        row("comment on", "SELECT 1 FROM t COMMENT ON TABLE t IS 'x'", pass, refuse);
        row("analyze", "SELECT 1 FROM t ANALYZE TABLE t COMPUTE STATISTICS", pass, refuse);
        row("purge", "SELECT 1 FROM t PURGE RECYCLEBIN", pass, refuse);
        row("savepoint", "SELECT 1 FROM t SAVEPOINT a", pass, refuse);
        row("audit", "SELECT 1 FROM t AUDIT SELECT ON t", refuse, refuse);
        row("explain", "SELECT 1 FROM t EXPLAIN PLAN FOR SELECT 1 FROM t", refuse, refuse);
        row("inline function", "WITH FUNCTION f RETURN NUMBER IS BEGIN RETURN 1; END; SELECT f FROM dual", refuse, refuse);
        row("a block alone", "BEGIN NULL; END;", refuse, refuse);
        row("a block reading into", "DECLARE x NUMBER; BEGIN SELECT 1 INTO x FROM dual; END;", refuse, refuse);
        row("values", "VALUES (1)", refuse, refuse);
        row("select into a temporary table", "SELECT a INTO #t FROM u", refuse, refuse);
        row("a literal, then a write", "SELECT a FROM t WHERE a = ';' ; DELETE FROM t", refuse, refuse);
        row("a doubled quote, then a write", "SELECT 'it''s' DELETE FROM t", refuse, refuse);
        row("a word glued to a literal", "SELECT N'x'DELETE FROM t", refuse, refuse);
        row("a word glued to a bracketed name", "SELECT [a]DELETE FROM t", refuse, refuse);
        row("a word glued to a quoted name", "SELECT \"a\"DELETE FROM t", refuse, refuse);
        row("a word glued to a number and a point", "SELECT 1.DELETE FROM t", refuse, refuse);
        row("a word glued to an exponent", "SELECT 1e5DELETE FROM t", refuse, refuse);
        row("a word read from inside a binary literal", "SELECT 0xDELETE FROM t", refuse, pass);
        row("exec glued to a bare exponent", "SELECT 1eEXEC('x')", refuse, refuse);
        row("a word glued to a float ending", "SELECT 1fDELETE FROM t", pass, refuse);
        row("a word glued to a double ending", "SELECT 2dDELETE FROM t", pass, refuse);
        row("a tab before a write", "SELECT 1\tDELETE FROM t", refuse, refuse);
        row("a no-break blank before a write", QStringLiteral("SELECT 1\u00a0DELETE FROM t"), refuse, refuse);
        row("a line separator before a write", QStringLiteral("SELECT 1\u2028DELETE FROM t"), refuse, refuse);
        row("line comment ended by a line separator", QStringLiteral("SELECT 1 --x\u2028DELETE FROM t"), refuse, refuse);
        row("line comment ended by LF", "SELECT 1 --x\nDELETE FROM t", refuse, refuse);
        row("line comment ended by CR LF", "SELECT 1 -- x\r\nDROP TABLE t", refuse, refuse);
        row("a line comment does not hide a comment's end", "SELECT 1 /* -- */ DELETE FROM t", refuse, refuse);
        row("a block comment does not run past a line comment", "SELECT 1 -- /*\nDELETE FROM t */", refuse, refuse);
        row("a comment closed twice", "SELECT 1 /* x */ */ DELETE FROM t", refuse, refuse);
        row("Oracle literal hides a delete from Oracle only", "SELECT q'{ x' DELETE FROM t '}' FROM dual", refuse, pass);
        row("Oracle literal with a quote inside", "SELECT q'[it's DELETE]' FROM dual", refuse, pass);
        row("Oracle national literal", "SELECT nq'<a'b>' FROM dual", refuse, pass);
        row("Oracle literal, then a write", "SELECT q'[x]' DELETE FROM t", refuse, refuse);
        row("Oracle literal glued to a number", "SELECT 1q'[ ' ]' DELETE FROM t --'", pass, refuse);
        row("Oracle literal with a blank delimiter", "SELECT q' x ' FROM dual", pass, refuse);
        row("a minus between two reads", "SELECT 1 FROM dual MINUS SELECT 2 FROM dual", refuse, pass);
        row("fetch first without offset", "SELECT a FROM t FETCH FIRST 5 ROWS ONLY", refuse, pass);

        // Texts left open.
        row("an open comment", "SELECT 1 /* unterminated", refuse, refuse);
        row("an open nested comment", "SELECT 1 /* /* */", refuse, pass);
        row("an open literal", "SELECT 'unterminated", refuse, refuse);
        row("an open quoted name", "SELECT \"unterminated", refuse, refuse);
        row("an open bracketed name", "SELECT [unterminated", refuse, pass);
        row("an open parenthesis", "SELECT (1", refuse, refuse);
        row("a parenthesis closed too often", "SELECT 1)", refuse, refuse);
        row("empty", "", refuse, refuse);
        row("only a comment", "   -- nada", refuse, refuse);
        row("only a semicolon", ";", refuse, refuse);

        // Honest reads.
        row("unions", "SELECT * FROM t WHERE a = 1 UNION ALL SELECT * FROM u", pass, pass);
        row("except", "SELECT 1 EXCEPT SELECT 2", pass, pass);
        row("intersect", "SELECT 1 INTERSECT SELECT 2", pass, pass);
        row("parenthesized union", "(SELECT 1) UNION (SELECT 2)", pass, pass);
        row("subqueries", "SELECT * FROM (SELECT a FROM t) x WHERE EXISTS (SELECT 1 FROM u WHERE u.a = x.a)", pass, pass);
        row("scalar subquery", "SELECT (SELECT MAX(a) FROM t) AS m", pass, pass);
        row("a union in a subquery", "SELECT a FROM t WHERE a IN (SELECT b FROM u UNION SELECT c FROM v)", pass, pass);
        row("two CTEs with columns", "WITH x(a) AS (SELECT 1), y AS (SELECT a FROM x) SELECT * FROM y", pass, pass);
        row("a CTE and a parenthesized main query", "WITH x AS (SELECT 1 AS a) (SELECT a FROM x)", pass, pass);
        row("recursive CTE", "WITH r(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM r WHERE n < 5) SELECT n FROM r", pass, pass);
        row("semicolons around", ";WITH x AS (SELECT 1 AS a) SELECT a FROM x;", pass, pass);
        row("a CTE in a subquery", "SELECT * FROM (WITH x AS (SELECT 1 a FROM dual) SELECT a FROM x)", pass, pass);
        row("xml namespaces", "WITH XMLNAMESPACES ('urn:x' AS ns) SELECT 1 AS a", pass, pass);
        row("go inside a text", "SELECT 'x' + CHAR(10) + 'GO' AS t", pass, pass);
        row("go as a column on its line", "SELECT a,\ngo FROM t", pass, pass);
        row("go in brackets", "SELECT 1 AS [go]", pass, pass);
        row("bracketed names holding write words", "SELECT [delete], [update]], set] FROM [insert into]", pass, refuse);
        row("quoted names holding write words", "SELECT \"delete\" FROM \"drop\"", pass, pass);
        row("a doubled quote in a quoted name", "SELECT \"a\"\"b\" FROM t", pass, pass);
        row("a national text holding a write", "SELECT a FROM t WHERE b = N'DELETE FROM t; --'", pass, pass);
        row("a comment after a quote", "SELECT a FROM t WHERE x = 'a' OR 1=1 --' DELETE FROM t", pass, pass);
        row("Oracle hint", "SELECT /*+ FULL(t) */ a FROM t", pass, pass);
        row("a comment with a letter beyond ASCII", "SELECT 1 /* ñandú */ FROM t", pass, pass);
        row("words that begin like write words", "SELECT UPDATED, DELETED_AT, INTO_X, EXECUTOR, SETTING FROM t", pass, pass);
        row("a column named like a write", "SELECT 1 AS delete_flag", pass, pass);
        row("case", "SELECT CASE WHEN a = 1 THEN 'x' ELSE 'y' END AS c FROM t", pass, pass);
        row("group by and having", "SELECT a FROM t GROUP BY a HAVING COUNT(*) > 1", pass, pass);
        row("window", "SELECT ROW_NUMBER() OVER (PARTITION BY a ORDER BY b) FROM t", pass, pass);
        row("order by a subquery", "SELECT a FROM t AS x WHERE x.a IN (SELECT a FROM u) ORDER BY (SELECT NULL)", pass, pass);
        row("offset and fetch", "SELECT a FROM t ORDER BY a OFFSET 0 ROWS FETCH NEXT 5 ROWS ONLY", pass, pass);
        row("pivot", "SELECT * FROM t PIVOT (SUM(v) FOR k IN ([a], [b])) p", pass, pass);
        row("a trailing semicolon", "SELECT 1 ;", pass, pass);
        row("trailing semicolons and a comment", "SELECT a FROM t;; -- fin", pass, pass);
        row("top and distinct", "SELECT DISTINCT TOP 5 a FROM t", pass, pass);
        row("names beyond ASCII", "SELECT año, descripción FROM señas", pass, pass);
        row("money literal", "SELECT * FROM t WHERE a = $1.50", pass, pass);
        row("temporary table", "SELECT #t.a FROM #t", pass, pass);
        row("variable", "SELECT @@ROWCOUNT", pass, pass);
        row("escape clause", "select * from cab where nota like 'x!%' escape '!'", pass, pass);
        row("for xml", "SELECT CAST(a AS VARCHAR(10)) FROM t FOR XML PATH('')", pass, pass);
        row("table hint and option", "SELECT x FROM t WITH (NOLOCK) OPTION (MAXDOP 1)", pass, pass);
        row("a semicolon in a text", "SELECT * FROM t WHERE c LIKE '%;%'", pass, pass);
        row("flashback query", "SELECT 1 FROM t AS OF TIMESTAMP SYSDATE - 1", pass, pass);
        row("database link", "SELECT * FROM t@remote", pass, pass);
        row("connect by", "SELECT 1 FROM dual CONNECT BY LEVEL <= 5", pass, pass);
        row("odbc function and date escapes", "SELECT {fn UCASE(nombre)} FROM t WHERE f > {d '2026-01-01'}", pass, pass);
        row("odbc outer join escape", "SELECT * FROM {oj t LEFT OUTER JOIN u ON t.a = u.a}", pass, pass);
        row("union ordered", "SELECT 1 UNION SELECT 2 ORDER BY 1", pass, pass);

        // The program's own reads, as it writes them and as the Oracle translation leaves them.
        row("number glued to and", "SELECT COUNT(*) FROM t WHERE len(cuenta)<=6and(cuenta like '1%')", pass, pass);
        row("balance", "Select sum(isnull(saldo,0)) as Saldo from ve_saldosctaAC where cuenta like '11%' and "
                       "len(cuenta)=4 and(fecha<='31/03/2026' or Fecha is null)", pass, pass);
        row("header", "SELECT TOP 1 * FROM MV_CONCILIACION_CAB WHERE IDCONCILIACION = '12             '", pass, pass);
        row("text concatenation", "SELECT CODIGO + '     ' AS CODIGO, DESCRIPCION FROM VT_TA_CPTE ORDER BY CODIGO", pass, pass);
        row("entry lines", "SELECT fecha,detalle,[NUMERO ASIENTO], mes_operativo from mv_asientos left outer join "
                           "V_TA_UnidadNegocio on mv_asientos.unegocio= V_TA_UnidadNegocio.codigo WHERE  TC='AS' order by Secuencia",
            pass, pass);
        row("journal", "SELECT * FROM MV_ASIENTOS  Where Fecha >= '01/03/2026' AND Fecha <= '31/03/2026' and "
                       "(MV_ASIENTOS.CUENTA = '1101')  and (MV_ASIENTOS.[debe-haber] = 'D' )  order by  fecha,tc,sucursal, numero",
            pass, pass);
        row("header, Oracle", "SELECT * FROM MV_CONCILIACION_CAB WHERE IDCONCILIACION = '12' AND ROWNUM <= 1", pass, pass);
        row("journal, Oracle", "SELECT * FROM MV_ASIENTOS WHERE Fecha >= TO_DATE('01/03/2026','DD/MM/YYYY') AND "
                               "(MV_ASIENTOS.\"debe-haber\" = 'D' ) order by fecha", pass, pass);
        row("tree, Oracle", "Select cuenta,descripcion, NVL(sum(saldo),0) as Saldo From ve_saldosctaAC where  "
                            "LENGTH(cuenta)<=6and(cuenta like '1%') group by cuenta, descripcion", pass, pass);
    }

    void guard()
    {
        QFETCH(QString, sql);
        QFETCH(bool, sqlServer);
        QFETCH(bool, oracle);
        QCOMPARE(IsPlainRead(sql, BackendKind::SqlServer), sqlServer);
        QCOMPARE(IsPlainRead(sql, BackendKind::Oracle), oracle);
    }
};

QTEST_GUILESS_MAIN(TestAdoPlainRead)
#include "tst_ado_plain_read.moc"
