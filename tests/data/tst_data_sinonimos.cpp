// Table-name rewriting for users who are not administrators, as a table of statements.
#include "data/base/Sinonimos.h"

#include <QTest>

class TstSinonimos : public QObject {
    Q_OBJECT
private slots:
    void reescribir_data()
    {
        QTest::addColumn<bool>("esAdmin");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("between blanks") << false << "SELECT * FROM MA_CUENTAS WHERE CODIGO = '1'"
                                        << "SELECT * FROM SS_MA_CUENTAS WHERE CODIGO = '1'";
        QTest::newRow("last word stays") << false << "SELECT * FROM MA_CUENTAS" << "SELECT * FROM MA_CUENTAS";
        QTest::newRow("first word stays") << false << "MA_CUENTAS " << "MA_CUENTAS ";
        QTest::newRow("before comma stays") << false << "SELECT * FROM MA_CUENTAS, MV_ASIENTOS WHERE 1=1"
                                            << "SELECT * FROM MA_CUENTAS, SS_MV_ASIENTOS WHERE 1=1";
        QTest::newRow("before closing parenthesis stays") << false << "SELECT * FROM (SELECT * FROM MA_CUENTAS) X"
                                                          << "SELECT * FROM (SELECT * FROM MA_CUENTAS) X";
        QTest::newRow("after a line break stays") << false << "SELECT *\nFROM\nMA_CUENTAS WHERE 1=1"
                                                  << "SELECT *\nFROM\nMA_CUENTAS WHERE 1=1";
        QTest::newRow("after parenthesis") << false << "SELECT * FROM (MA_CUENTAS A) WHERE 1=1"
                                           << "SELECT * FROM (SS_MA_CUENTAS A) WHERE 1=1";
        QTest::newRow("qualified column") << false << "SELECT MA_CUENTAS.CODIGO,MA_CUENTAS.NOMBRE FROM X Y"
                                          << "SELECT SS_MA_CUENTAS.CODIGO,SS_MA_CUENTAS.NOMBRE FROM X Y";
        QTest::newRow("qualified after parenthesis") << false << "SELECT COUNT(MV_ASIENTOS.ID) FROM X Y"
                                                     << "SELECT COUNT(SS_MV_ASIENTOS.ID) FROM X Y";
        QTest::newRow("brace form only for MA_CUENTAS") << false << "{MA_CUENTAS.CODIGO} {MV_ASIENTOS.ID}"
                                                        << "{SS_MA_CUENTAS.CODIGO} {MV_ASIENTOS.ID}";
        QTest::newRow("lower case gets the upper-case synonym") << false << "select * from ma_cuentas where x=1"
                                                                << "select * from SS_MA_CUENTAS where x=1";
        QTest::newRow("admin marker reads the table itself") << false
                                                             << "SELECT * FROM @Admin_MA_CUENTAS WHERE 1=1"
                                                             << "SELECT * FROM MA_CUENTAS WHERE 1=1";
        QTest::newRow("admin marker on another table") << false << "SELECT * FROM @admin_MV_ASIENTOS WHERE 1=1"
                                                       << "SELECT * FROM MV_ASIENTOS WHERE 1=1";
        QTest::newRow("all seven")
            << false
            << "FROM MA_CUENTAS , V_TA_DEPOSITO , MV_ASIENTOS , V_TA_FAMILIAS , V_TA_CAJAS , AC_CUENTASDIARIO , "
               "AC_CUENTASDIARIO_CCOSTO "
            << "FROM SS_MA_CUENTAS , SS_V_TA_DEPOSITO , SS_MV_ASIENTOS , SS_V_TA_FAMILIAS , SS_V_TA_CAJAS , "
               "SS_AC_CUENTASDIARIO , SS_AC_CUENTAS_DIARIO_CCOSTO ";
        QTest::newRow("two in a row: the shared blank is used once")
            << false << "X MA_CUENTAS MA_CUENTAS Y" << "X SS_MA_CUENTAS MA_CUENTAS Y";
        QTest::newRow("other tables untouched") << false << "SELECT * FROM TA_USUARIOS WHERE 1=1"
                                                << "SELECT * FROM TA_USUARIOS WHERE 1=1";
        QTest::newRow("administrator: only the marker goes") << true
                                                             << "SELECT * FROM MA_CUENTAS , @Admin_MV_ASIENTOS X"
                                                             << "SELECT * FROM MA_CUENTAS , MV_ASIENTOS X";
        QTest::newRow("quoted values are data")
            << false << "UPDATE T SET OBS = 'ver MV_ASIENTOS y (MA_CUENTAS.X) @Admin_1' WHERE C = 'it''s MA_CUENTAS '"
            << "UPDATE T SET OBS = 'ver MV_ASIENTOS y (MA_CUENTAS.X) @Admin_1' WHERE C = 'it''s MA_CUENTAS '";
        QTest::newRow("names around a value are rewritten")
            << false << "SELECT * FROM MA_CUENTAS WHERE X = ' MA_CUENTAS ' AND Y IN (SELECT A FROM MV_ASIENTOS )"
            << "SELECT * FROM SS_MA_CUENTAS WHERE X = ' MA_CUENTAS ' AND Y IN (SELECT A FROM SS_MV_ASIENTOS )";
        QTest::newRow("administrator: a marker inside a value stays")
            << true << "SELECT * FROM @Admin_MA_CUENTAS WHERE D = '@Admin_X'"
            << "SELECT * FROM MA_CUENTAS WHERE D = '@Admin_X'";
        // The statement's lexer: a quote inside a comment or a bracketed name opens no value.
        QTest::newRow("a quote in a comment opens no value")
            << false << "SELECT * FROM MA_CUENTAS /* it's */ WHERE X IN (SELECT A FROM MV_ASIENTOS ) AND B = 'MV_ASIENTOS '"
            << "SELECT * FROM SS_MA_CUENTAS /* it's */ WHERE X IN (SELECT A FROM SS_MV_ASIENTOS ) AND B = 'MV_ASIENTOS '";
        QTest::newRow("a quote in a line comment opens no value")
            << false << "SELECT * FROM MA_CUENTAS -- don't\r\nWHERE X IN (SELECT A FROM MV_ASIENTOS )"
            << "SELECT * FROM SS_MA_CUENTAS -- don't\r\nWHERE X IN (SELECT A FROM SS_MV_ASIENTOS )";
        QTest::newRow("a quote in a bracketed name opens no value")
            << false << "SELECT [O'NEIL] FROM MA_CUENTAS WHERE X IN (SELECT A FROM MV_ASIENTOS )"
            << "SELECT [O'NEIL] FROM SS_MA_CUENTAS WHERE X IN (SELECT A FROM SS_MV_ASIENTOS )";
    }
    void reescribir()
    {
        QFETCH(bool, esAdmin);
        QFETCH(QString, sql);
        QFETCH(QString, esperado);
        QCOMPARE(sinonimos::Reescribir(sql, esAdmin), esperado);
    }
    void quitarMarcaAdminLeavesValues()
    {
        QCOMPARE(sinonimos::QuitarMarcaAdmin("INSERT INTO @Admin_T (A) VALUES ('@Admin_ y @ADMIN_')"),
                 QString("INSERT INTO T (A) VALUES ('@Admin_ y @ADMIN_')"));
    }
};

QTEST_GUILESS_MAIN(TstSinonimos)
#include "tst_data_sinonimos.moc"
