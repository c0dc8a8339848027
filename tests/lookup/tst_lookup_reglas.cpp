// Rules of the lookup windows without widgets: the F5 server filter, the table a statement reads, default
// check marks, type-ahead matching and stock levels.
#include "lookup/FiltroBusqueda.h"
#include "lookup/ReglasLista.h"

#include "platform/ado/Currency.h"

#include <QTest>

using namespace lookup;

class TstLookupReglas : public QObject {
    Q_OBJECT

private slots:
    void listFilter_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("like");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("box");
        const QString s = " SELECT TOP 1000 NOMBRE,CODIGO FROM V_TA_X ORDER BY NOMBRE";
        QTest::newRow("begins with") << s << "NOMBRE" << "juan" << false
            << " SELECT TOP 1000 NOMBRE,CODIGO FROM V_TA_X  where NOMBRE like 'juan%' ORDER BY NOMBRE" << "juan";
        QTest::newRow("contains") << s << "NOMBRE" << "juan" << true
            << " SELECT TOP 1000 NOMBRE,CODIGO FROM V_TA_X  where NOMBRE like '%juan%' ORDER BY NOMBRE" << "juan";
        QTest::newRow("star is a wildcard") << s << "NOMBRE" << "ju*an" << false
            << " SELECT TOP 1000 NOMBRE,CODIGO FROM V_TA_X  where NOMBRE like 'ju%an%' ORDER BY NOMBRE" << "ju%an";
        QTest::newRow("star kept with like lookups") << s << "NOMBRE" << "a*" << true
            << " SELECT TOP 1000 NOMBRE,CODIGO FROM V_TA_X  where NOMBRE like '%a*%' ORDER BY NOMBRE" << "a*";
        QTest::newRow("quote doubled") << s << "NOMBRE" << "O'Brien" << false
            << " SELECT TOP 1000 NOMBRE,CODIGO FROM V_TA_X  where NOMBRE like 'O''Brien%' ORDER BY NOMBRE"
            << "O'Brien";
        QTest::newRow("second condition")
            << " SELECT TOP 1000 NOMBRE,CODIGO FROM V_TA_X  where NOMBRE like 'juan%' ORDER BY NOMBRE" << "CODIGO"
            << "7" << false
            << " SELECT TOP 1000 NOMBRE,CODIGO FROM V_TA_X  where NOMBRE like 'juan%'  and CODIGO like '7%' ORDER BY NOMBRE"
            << "7";
        QTest::newRow("no order") << " SELECT A FROM T" << "A" << "x" << false
            << " SELECT A FROM T where A like 'x%' " << "x";
        QTest::newRow("column with a blank") << " SELECT A FROM T" << "NUMERO ASIENTO" << "12" << false
            << " SELECT A FROM T where [NUMERO ASIENTO] like '12%' " << "12";
        QTest::newRow("articles prefix") << " SELECT v_ma_articulos.A FROM v_ma_articulos" << "A" << "x" << false
            << " SELECT v_ma_articulos.A FROM v_ma_articulos where v_ma_articulos.A like 'x%' " << "x";
    }
    void listFilter()
    {
        QFETCH(QString, sql);
        QFETCH(QString, column);
        QFETCH(QString, typed);
        QFETCH(bool, like);
        QFETCH(QString, expected);
        QFETCH(QString, box);
        const FiltroLista f = FiltrarLista(sql, sql, column, typed, like);
        QCOMPARE(f.sql, expected);
        QCOMPARE(f.textoCaja, box);
    }

    void treeFilter_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("order, no where") << "select CODIGO, DESCRIPCION from TA_CCOSTO order by CODIGO" << "ven"
            << "select CODIGO, DESCRIPCION from TA_CCOSTO  where Descripcion like '%ven%' order by CODIGO";
        QTest::newRow("second search")
            << "select CODIGO, DESCRIPCION from TA_CCOSTO  where Descripcion like '%ven%' order by CODIGO" << "as"
            << "select CODIGO, DESCRIPCION from TA_CCOSTO  where Descripcion like '%ven%'  and Descripcion like '%as%' order by CODIGO";
        QTest::newRow("no order") << "select C, D from T" << "x"
            << "select C, D from T where Descripcion like '%x%' ";
        QTest::newRow("quote") << "select C, D from T" << "d'a"
            << "select C, D from T where Descripcion like '%d''a%' ";
    }
    void treeFilter()
    {
        QFETCH(QString, sql);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QCOMPARE(FiltrarArbol(sql, typed), expected);
    }

    void tableOfAStatement_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("table");
        QTest::newRow("with order") << " SELECT TOP 10 A FROM MA_CUENTAS ORDER BY A" << "MA_CUENTAS";
        QTest::newRow("ends with the table") << " SELECT TOP 1000  *  FROM MA_CUENTAS" << "MA_CUENTAS";
        QTest::newRow("lower case") << " select a,b from vt_clientes where x=1" << "vt_clientes";
        QTest::newRow("line break") << "select a from T\r\nwhere x=1" << "T";
        QTest::newRow("no from") << "select 1" << "";
    }
    void tableOfAStatement()
    {
        QFETCH(QString, sql);
        QFETCH(QString, table);
        QCOMPARE(TablaDeSentencia(sql), table);
    }

    void defaultValuesAreWholeElements_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("defaults");
        QTest::addColumn<bool>("checked");
        QTest::newRow("part of an element") << "2" << "12,15" << false;
        QTest::newRow("an element") << "15" << "12,15" << true;
        QTest::newRow("blanks and case") << " ab " << "12, AB ,15" << true;
        QTest::newRow("no defaults") << "" << "" << false;
        QTest::newRow("single") << "7" << "7" << true;
    }
    void defaultValuesAreWholeElements()
    {
        QFETCH(QString, value);
        QFETCH(QString, defaults);
        QFETCH(bool, checked);
        QCOMPARE(EnValoresDefault(value, defaults), checked);
    }

    void typeAhead()
    {
        QVERIFY(EmpiezaCon("  Abierto ", "ab"));
        QVERIFY(EmpiezaCon("Abierto", "  "));
        QVERIFY(!EmpiezaCon("Cerrado", "ab"));
        QVERIFY(!EmpiezaCon("A", "ab"));
    }

    void stockLevel_data()
    {
        QTest::addColumn<int>("reorder");
        QTest::addColumn<int>("stock");
        QTest::addColumn<int>("level");
        QTest::newRow("no reorder point, stock") << 0 << 5 << 1;
        QTest::newRow("above reorder point") << 10 << 15 << 2;
        QTest::newRow("below reorder point") << 10 << 3 << 3;
        QTest::newRow("at reorder point") << 10 << 10 << 4;
        QTest::newRow("nothing") << 0 << 0 << 4;
        QTest::newRow("negative") << 0 << -2 << 4;
    }
    void stockLevel()
    {
        QFETCH(int, reorder);
        QFETCH(int, stock);
        QFETCH(int, level);
        QCOMPARE(NivelStock(ado::Currency::fromLong(reorder), ado::Currency::fromLong(stock)), level);
    }

    void columnLetters()
    {
        QCOMPARE(LetrasDeColumna(200), 60);
        QCOMPARE(LetrasDeColumna(5), 5);
        QCOMPARE(LetrasDeColumna(0), 0);
    }
};

QTEST_GUILESS_MAIN(TstLookupReglas)
#include "tst_lookup_reglas.moc"
