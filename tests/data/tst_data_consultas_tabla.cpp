// The exact SQL texts of the table lookups, before table-name rewriting.
#include "data/ConsultasTabla.h"

#include <QTest>

Q_DECLARE_METATYPE(ado::Variant)

class TstConsultasTabla : public QObject {
    Q_OBJECT
private slots:
    void existeEnTabla_data()
    {
        QTest::addColumn<QString>("valor");
        QTest::addColumn<ado::Variant>("tipo");
        QTest::addColumn<QString>("condicion");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("text key trimmed, two blanks before *")
            << " 1.1.01 " << ado::Variant(8) << ""
            << "SELECT TOP 1  * FROM MA_CUENTAS WHERE LTRIM(RTRIM(Codigo)) ='1.1.01'";
        QTest::newRow("text key given as text 8") << "X" << ado::Variant("8") << ""
                                                 << "SELECT TOP 1  * FROM MA_CUENTAS WHERE LTRIM(RTRIM(Codigo)) ='X'";
        QTest::newRow("quote in the key is doubled") << "O'Brien" << ado::Variant(8) << ""
                                                     << "SELECT TOP 1  * FROM MA_CUENTAS WHERE LTRIM(RTRIM(Codigo)) ='O''Brien'";
        QTest::newRow("date") << " '01/02/2020' " << ado::Variant(7) << ""
                              << "SELECT TOP 1 * FROM MA_CUENTAS WHERE Codigo = '01/02/2020' ";
        QTest::newRow("number: digits then letters") << "12ab" << ado::Variant(3) << ""
                                                     << "SELECT TOP 1 * FROM MA_CUENTAS WHERE Codigo = 12";
        QTest::newRow("number: empty is 0") << "" << ado::Variant(5) << ""
                                            << "SELECT TOP 1 * FROM MA_CUENTAS WHERE Codigo = 0";
        QTest::newRow("number: decimal") << " -3.50x" << ado::Variant(4) << ""
                                         << "SELECT TOP 1 * FROM MA_CUENTAS WHERE Codigo = -3.5";
        QTest::newRow("other type: unchanged") << "A + 1" << ado::Variant(11) << ""
                                               << "SELECT TOP 1 * FROM MA_CUENTAS WHERE Codigo = A + 1";
        QTest::newRow("missing type: unchanged") << "'X'" << ado::Variant() << ""
                                                 << "SELECT TOP 1 * FROM MA_CUENTAS WHERE Codigo = 'X'";
        QTest::newRow("condition replaces the key") << "ignored" << ado::Variant(8) << "TITULO = 0"
                                                    << "SELECT TOP 1 * FROM MA_CUENTAS WHERE TITULO = 0";
        QTest::newRow("condition with its own WHERE") << "ignored" << ado::Variant(8) << "A WHERE TITULO = 0"
                                                      << "SELECT TOP 1 * FROM MA_CUENTAS A WHERE TITULO = 0";
    }
    void existeEnTabla()
    {
        QFETCH(QString, valor);
        QFETCH(ado::Variant, tipo);
        QFETCH(QString, condicion);
        QFETCH(QString, esperado);
        QCOMPARE(consultas::ExisteEnTabla(QStringLiteral("MA_CUENTAS"), valor, QStringLiteral("Codigo"), tipo, condicion),
                 esperado);
    }

    void existeEnTablaST_data()
    {
        QTest::addColumn<QString>("valor");
        QTest::addColumn<ado::Variant>("tipo");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("text untrimmed") << " A'1 " << ado::Variant(8) << "SELECT * FROM T WHERE C =' A''1 '";
        QTest::newRow("number") << "7" << ado::Variant(3) << "SELECT * FROM T WHERE C = 7";
    }
    void existeEnTablaST()
    {
        QFETCH(QString, valor);
        QFETCH(ado::Variant, tipo);
        QFETCH(QString, esperado);
        QCOMPARE(consultas::ExisteEnTablaST(QStringLiteral("T"), valor, QStringLiteral("C"), tipo, QString()), esperado);
    }

    void datosTabla_data()
    {
        QTest::addColumn<QString>("valor");
        QTest::addColumn<ado::Variant>("tipo");
        QTest::addColumn<QString>("condicion");
        QTest::addColumn<bool>("usaTrim");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("administrator check")
            << " juan " << ado::Variant(8) << "" << true
            << "SELECT TOP 1 * FROM ta_usuarios WHERE LTRIM(RTRIM(nombre)) ='juan' ";
        QTest::newRow("with condition") << "juan" << ado::Variant(8) << " ACTIVO = 1 " << true
                                        << "SELECT TOP 1 * FROM ta_usuarios WHERE LTRIM(RTRIM(nombre)) ='juan'  AND  ACTIVO = 1 ";
        QTest::newRow("blank condition adds nothing") << "juan" << ado::Variant(8) << "   " << true
                                                      << "SELECT TOP 1 * FROM ta_usuarios WHERE LTRIM(RTRIM(nombre)) ='juan' ";
        QTest::newRow("untrimmed text") << " d'Arc " << ado::Variant(8) << "" << false
                                        << "SELECT TOP 1 * FROM ta_usuarios WHERE nombre =' d''Arc ' ";
        QTest::newRow("number") << "12" << ado::Variant(3) << "X=1" << false
                                << "SELECT TOP 1 * FROM ta_usuarios WHERE nombre = 12 AND X=1";
        QTest::newRow("date is a quoted text") << " 01/02/2020 " << ado::Variant(7) << "" << false
                                               << "SELECT TOP 1 * FROM ta_usuarios WHERE nombre = '01/02/2020' ";
    }
    void datosTabla()
    {
        QFETCH(QString, valor);
        QFETCH(ado::Variant, tipo);
        QFETCH(QString, condicion);
        QFETCH(bool, usaTrim);
        QFETCH(QString, esperado);
        QCOMPARE(consultas::DatosTabla(QStringLiteral("ta_usuarios"), valor, QStringLiteral("nombre"), tipo, condicion,
                                       usaTrim),
                 esperado);
    }

    void extremo()
    {
        QCOMPARE(consultas::Extremo(true, QStringLiteral("T"), QStringLiteral("ID"), QString(), true),
                 QStringLiteral("SELECT MAX(ID) AS MAYOR FROM T"));
        QCOMPARE(consultas::Extremo(false, QStringLiteral("T"), QStringLiteral("ID"), QStringLiteral("  A = 1 "), true),
                 QStringLiteral("SELECT MIN(ID) AS MENOR FROM T WHERE A = 1"));
        QCOMPARE(consultas::Extremo(true, QStringLiteral("T"), QStringLiteral("ID"), QStringLiteral("  A = 1 "), false),
                 QStringLiteral("SELECT MAX(ID) AS MAYOR FROM T WHERE   A = 1 "));
    }

    void addField()
    {
        QCOMPARE(consultas::AddField(QStringLiteral("T"), QStringLiteral("C"), QStringLiteral("INT"), true, {}),
                 QStringLiteral("ALTER TABLE dbo.T ADD C INT Null "));
        QCOMPARE(consultas::AddField(QStringLiteral(" T "), QStringLiteral(" C "), QStringLiteral("INT"), false, 0),
                 QStringLiteral("ALTER TABLE dbo. T  ADD  C  INT Not Null  CONSTRAINT DF_T_C DEFAULT (0)"));
    }
};

QTEST_GUILESS_MAIN(TstConsultasTabla)
#include "tst_data_consultas_tabla.moc"
