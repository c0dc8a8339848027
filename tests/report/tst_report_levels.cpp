// Account-code levels: the answers by code length over given level ends, the reading of the configuration
// texts, and the ClassHTML operations on the company's configuration.

#include "ReportFixture.h"

#include "platform/ado/Error.h"
#include "report/NivelesCuenta.h"

class ReportLevelsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void byLength_data();
    void byLength();
    void configurationText_data();
    void configurationText();
    void overflowRaises();
    void operationsReadTheConfiguration();
    void configurationChangeTakesEffectOnNextCall();

private:
    ReportFixture m_base;
};

void ReportLevelsTest::initTestCase()
{
    QVERIFY(m_base.preparar());
}

void ReportLevelsTest::init()
{
    m_base.antes();
}

void ReportLevelsTest::cleanup()
{
    QVERIFY(m_base.despues());
}

void ReportLevelsTest::byLength_data()
{
    QTest::addColumn<ast::TablaNiveles>("fines");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("hijo");
    QTest::addColumn<int>("padre");
    QTest::addColumn<QString>("color");
    const ast::TablaNiveles ninguno{0, 0, 0, 0, 0, 0};
    const ast::TablaNiveles fines{1, 2, 4, 6, 8, 10};
    QTest::newRow("no levels, empty code") << ninguno << 0 << 0 << 0 << "#f9aba9";
    QTest::newRow("no levels, a code") << ninguno << 3 << 0 << 0 << "#f0cac0";
    QTest::newRow("empty code") << fines << 0 << 1 << 0 << "#f9aba9";
    QTest::newRow("level 1") << fines << 1 << 2 << 0 << "#f9aba9";
    QTest::newRow("level 2") << fines << 2 << 4 << 1 << "#f0aaa8";
    QTest::newRow("between 2 and 3") << fines << 3 << 6 << 2 << "#f0bab7";
    QTest::newRow("level 3") << fines << 4 << 6 << 2 << "#f0bab7";
    QTest::newRow("level 4") << fines << 6 << 8 << 4 << "#f0cac6";
    QTest::newRow("level 5") << fines << 8 << 10 << 6 << "#ffcac4";
    QTest::newRow("level 6") << fines << 10 << 10 << 8 << "#ffcac3";
    QTest::newRow("longer than level 6") << fines << 12 << 10 << 10 << "#f0cac0";
}

void ReportLevelsTest::byLength()
{
    QFETCH(ast::TablaNiveles, fines);
    QFETCH(int, n);
    QFETCH(int, hijo);
    QFETCH(int, padre);
    QFETCH(QString, color);
    QCOMPARE(ast::LargoHijo(fines, n), hijo);
    QCOMPARE(ast::LargoPadre(fines, n), padre);
    QCOMPARE(ast::ColorNivel(fines, n), color);
}

void ReportLevelsTest::configurationText_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("valor");
    QTest::newRow("digits") << "2" << 2;
    QTest::newRow("missing key's blank") << " " << 0;
    QTest::newRow("letters only") << "abc" << 0;
    QTest::newRow("3 then letters") << "3abc" << 3;
    QTest::newRow("leading blanks") << "   4" << 4;
    QTest::newRow("half rounds to even") << "2.5" << 2;
    QTest::newRow("above half") << "2.51" << 3;
}

void ReportLevelsTest::configurationText()
{
    QFETCH(QString, texto);
    QFETCH(int, valor);
    QCOMPARE(int(ast::ValorNivel(texto)), valor);
}

void ReportLevelsTest::overflowRaises()
{
    QVERIFY_THROWS_EXCEPTION(ado::Error, ast::ValorNivel(QStringLiteral("40000")));
}

void ReportLevelsTest::operationsReadTheConfiguration()
{
    report::ClassHTML html;
    QCOMPARE(html.ObtenerProximaCuenta(QString()), 1);
    QCOMPARE(html.ObtenerProximaCuenta(QStringLiteral("11")), 4);
    QCOMPARE(html.ObtenerProximaCuenta(QStringLiteral("110101")), 6);   // the deepest level lists itself
    QCOMPARE(html.ObtenerAnteriorCuenta(QStringLiteral("1101")), 2);
    QCOMPARE(html.ObtenerAnteriorCuenta(QStringLiteral("1")), 0);
    QCOMPARE(html.ObtenerColorNivel(QStringLiteral("1101")), QStringLiteral("#f0bab7"));
    QCOMPARE(ast::LargoCodigoCuenta, qint16(6));
    QCOMPARE(ast::DigitosTotal, qint16(6));
    QCOMPARE(m_base.contar(QStringLiteral("TA_CONFIGURACION")), 6 * 12);
}

void ReportLevelsTest::configurationChangeTakesEffectOnNextCall()
{
    report::ClassHTML html;
    QCOMPARE(html.ObtenerProximaCuenta(QStringLiteral("1")), 2);
    gDB().gCnn.Execute(QStringLiteral("UPDATE TA_CONFIGURACION SET VALOR = '3' WHERE CLAVE = 'Digitos_SubCapitulo'"));
    const int despues = html.ObtenerProximaCuenta(QStringLiteral("1"));
    gDB().gCnn.Execute(QStringLiteral("UPDATE TA_CONFIGURACION SET VALOR = '1' WHERE CLAVE = 'Digitos_SubCapitulo'"));
    QCOMPARE(despues, 4);
}

QTEST_GUILESS_MAIN(ReportLevelsTest)
#include "tst_report_levels.moc"
