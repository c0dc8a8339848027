// How the lookup driver builds the statement its window shows: filter wrapping, row limit, the mask road and
// the road built from the table's columns; a filter ending in a line comment, as Oracle reads the statement.
#include "lookup/SentenciaConsulta.h"

#include "data/base/DialectoOracle.h"
#include "platform/ado/PlainRead.h"

#include <QTest>

using namespace lookup;

namespace {

MascaraConsulta mask(const QString& table, const QString& columns, const QString& filter = {})
{
    MascaraConsulta m;
    m.Tabla = table.leftJustified(100);
    m.Campos = columns.leftJustified(500);
    m.Extra = filter.leftJustified(500);
    return m;
}

} // namespace

class TstLookupSentencia : public QObject {
    Q_OBJECT

private slots:
    void filterWrapping_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("wrapped");
        QTest::newRow("plain") << " titulo=0 " << " ( titulo=0 ) ";
        QTest::newRow("parenthesised") << "(a=1)" << "(a=1)";
        QTest::newRow("blank before parenthesis") << " (a=1)" << " ( (a=1)) ";
        QTest::newRow("one character") << " x " << " x ";
        QTest::newRow("empty") << "" << "";
    }
    void filterWrapping()
    {
        QFETCH(QString, where);
        QFETCH(QString, wrapped);
        QCOMPARE(EnvolverFiltro(where), wrapped);
    }

    void rowLimit_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<int>("limit");
        QTest::newRow("missing key reads a blank") << " " << 1000;
        QTest::newRow("zero") << "0" << 1000;
        QTest::newRow("configured") << "250" << 250;
        QTest::newRow("half to even down") << "2.5" << 2;
        QTest::newRow("half to even up") << "3.5" << 4;
        QTest::newRow("leading number") << "300 filas" << 300;
        QTest::newRow("no number") << "abc" << 1000;
    }
    void rowLimit()
    {
        QFETCH(QString, setting);
        QFETCH(int, limit);
        QCOMPARE(TopeFilas(setting), limit);
    }

    void callerStatementReadsTheArticlesView()
    {
        QVERIFY(EsSentencia("select x from t"));
        QVERIFY(!EsSentencia("MA_CUENTAS"));
        QCOMPARE(ConVistaArticulos("select DESCRIPCION from v_ma_articulos where V_MA_ARTICULOS.X=1"),
                 QString("select DESCRIPCION from VT_MA_ARTICULOS where VT_MA_ARTICULOS.X=1"));
    }

    void maskRoad_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("columns");
        QTest::addColumn<QString>("extra");
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("searchIn");
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("searchOut");
        QTest::newRow("clients") << "VT_CLIENTES" << "|RAZON_SOCIAL|CODIGO|CONTACTO|" << "" << "" << ""
            << "SELECT TOP 1000 RAZON_SOCIAL,CODIGO,CONTACTO FROM VT_CLIENTES WHERE Dada_De_Baja = 0 ORDER BY RAZON_SOCIAL"
            << "RAZON_SOCIAL";
        QTest::newRow("suppliers lower case") << "vt_proveedores" << "|RAZON_SOCIAL|CODIGO|" << "" << "" << ""
            << "SELECT TOP 1000 RAZON_SOCIAL,CODIGO FROM vt_proveedores WHERE Dada_De_Baja = 0 ORDER BY RAZON_SOCIAL"
            << "RAZON_SOCIAL";
        QTest::newRow("articles") << "V_MA_ARTICULOS" << "|DESCRIPCION|IDARTICULO|" << "" << "" << ""
            << "SELECT TOP 1000 DESCRIPCION,IDARTICULO FROM VT_MA_ARTICULOS WHERE SUSPENDIDO = 0 ORDER BY DESCRIPCION"
            << "DESCRIPCION";
        QTest::newRow("articles with a filter") << "V_MA_ARTICULOS" << "|DESCRIPCION|IDARTICULO|" << "" << " (x=1) "
            << "" << "SELECT TOP 1000 DESCRIPCION,IDARTICULO FROM VT_MA_ARTICULOS WHERE  (x=1)  ORDER BY DESCRIPCION"
            << "DESCRIPCION";
        QTest::newRow("mask filter wins") << "MA_CUENTAS" << "|DESCRIPCION|CODIGO|" << "titulo = 0" << " (x=1) "
            << "" << "SELECT TOP 1000 DESCRIPCION,CODIGO FROM MA_CUENTAS WHERE titulo = 0 ORDER BY DESCRIPCION"
            << "DESCRIPCION";
        QTest::newRow("caller's search column") << "MA_CUENTAS" << "|DESCRIPCION|CODIGO|" << "" << "" << "CODIGO"
            << "SELECT TOP 1000 DESCRIPCION,CODIGO FROM MA_CUENTAS ORDER BY CODIGO" << "CODIGO";
        QTest::newRow("one column with search column") << "V_TA_X" << "|NOMBRE|" << "" << "" << "NOMBRE"
            << "SELECT TOP 1000 NOMBRE FROM V_TA_X ORDER BY NOMBRE" << "NOMBRE";
        QTest::newRow("blank columns") << "V_TA_X" << "" << "" << "" << "CODIGO"
            << "SELECT TOP 1000 * FROM V_TA_X ORDER BY CODIGO" << "CODIGO";
    }
    void maskRoad()
    {
        QFETCH(QString, table);
        QFETCH(QString, columns);
        QFETCH(QString, extra);
        QFETCH(QString, where);
        QFETCH(QString, searchIn);
        QFETCH(QString, statement);
        QFETCH(QString, searchOut);
        QString search = searchIn;
        const auto sql = SentenciaDeMascara(mask(table, columns, extra), 1000, where, search);
        QVERIFY(sql.has_value());
        QCOMPARE(*sql, statement);
        QCOMPARE(search, searchOut);
    }

    void oneColumnMaskNeedsASearchColumn()
    {
        QString search;
        QVERIFY(!SentenciaDeMascara(mask("V_TA_X", "|NOMBRE|"), 1000, "", search).has_value());
        QVERIFY(search.isEmpty());
    }

    // On Oracle the row limit closes a parenthesis after the statement: a filter ending in a line comment must not
    // take it (nor the ORDER BY before it) into the comment, or Oracle's reading of the statement is left open.
    void filterEndingInALineCommentOnOracle_data()
    {
        QTest::addColumn<QString>("filtro");
        QTest::addColumn<QString>("busqueda");
        QTest::newRow("ordered by the mask's first column") << "titulo = 0 -- solo imputables" << "";
        QTest::newRow("ordered by the caller's column") << "titulo = 0 --" << "CODIGO";
        QTest::newRow("a comment after a condition with a literal") << "descripcion <> '--' -- no" << "";
    }
    void filterEndingInALineCommentOnOracle()
    {
        QFETCH(QString, filtro);
        QFETCH(QString, busqueda);
        const std::optional<QString> sql =
            SentenciaDeMascara(mask("MA_CUENTAS", "|DESCRIPCION|CODIGO|", filtro), 1000, "", busqueda);
        QVERIFY(sql.has_value());
        const QString oracle = oracle::Traducir(*sql);
        QVERIFY2(ado::IsPlainRead(oracle, ado::BackendKind::Oracle), qPrintable(oracle));
    }

    void columnsRoad_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("searchIn");
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("searchOut");
        QTest::newRow("reverse order, description wins")
            << QStringList{"ID", "CODIGO", "DESCRIPCION", "FECHAHORA_GRABACION", "X"} << "" << "CODIGO"
            << "SELECT TOP 1000 X,DESCRIPCION,CODIGO FROM T ORDER BY DESCRIPCION" << "DESCRIPCION";
        QTest::newRow("last descriptive field")
            << QStringList{"NOMBRE", "Detalle", "CODIGO"} << "" << ""
            << "SELECT TOP 1000 CODIGO,Detalle,NOMBRE FROM T ORDER BY Detalle" << "Detalle";
        QTest::newRow("first kept field") << QStringList{"ID", "CODIGO", "SALDO"} << "" << ""
            << "SELECT TOP 1000 SALDO,CODIGO FROM T ORDER BY CODIGO" << "CODIGO";
        QTest::newRow("nothing kept") << QStringList{"ID", "FECHAHORA_GRABACION"} << "" << ""
            << "SELECT TOP 1000  *  FROM T" << "";
        QTest::newRow("table not readable keeps the caller's column") << QStringList{} << "" << "CODIGO"
            << "SELECT TOP 1000  *  FROM T ORDER BY CODIGO" << "CODIGO";
        QTest::newRow("names with a blank or a dash bracketed")
            << QStringList{"NUMERO ASIENTO", "DEBE-HABER", "DETALLE", "A]B"} << "" << ""
            << "SELECT TOP 1000 [A]]B],DETALLE,[DEBE-HABER],[NUMERO ASIENTO] FROM T ORDER BY DETALLE" << "DETALLE";
        QTest::newRow("searching by a bracketed name")
            << QStringList{"NUMERO ASIENTO", "2X"} << "" << ""
            << "SELECT TOP 1000 [2X],[NUMERO ASIENTO] FROM T ORDER BY [NUMERO ASIENTO]" << "NUMERO ASIENTO";
        QTest::newRow("wrapped filter") << QStringList{"CODIGO", "DESCRIPCION"} << " ( titulo=0 ) " << ""
            << "SELECT TOP 1000 DESCRIPCION,CODIGO FROM T WHERE  ( titulo=0 )  ORDER BY DESCRIPCION"
            << "DESCRIPCION";
    }
    void columnsRoad()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, where);
        QFETCH(QString, searchIn);
        QFETCH(QString, statement);
        QFETCH(QString, searchOut);
        QString search = searchIn;
        QCOMPARE(SentenciaDeColumnas("T", fields, 1000, where, search), statement);
        QCOMPARE(search, searchOut);
    }
};

QTEST_GUILESS_MAIN(TstLookupSentencia)
#include "tst_lookup_sentencia.moc"
