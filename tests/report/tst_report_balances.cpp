// The branch balance report and the chart tree report on the small company: pages per listing type compared
// byte for byte, the band one level up, the first-level totals, and the queries they send.

#include "ReportFixture.h"

#include "platform/ui/ScriptedDialogs.h"

using report::ClassHTML;
using report::ParametrosListado;
using report::ResultadoListado;

class ReportBalancesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void pages_data();
    void pages();
    void firstLevelTotalsFollowTheConfiguredWidth();
    void levelsAreReadOncePerReport();
    void branchCellQueriesAreChildrenTimesUnits();
    void cancelWhileReadingTheTree();
    void noRowsAndNoChosenUnitsGiveNoColumns_data();
    void noRowsAndNoChosenUnitsGiveNoColumns();

private:
    ReportFixture m_base;
};

void ReportBalancesTest::initTestCase()
{
    QVERIFY(m_base.preparar());
}

void ReportBalancesTest::init()
{
    m_base.antes();
}

void ReportBalancesTest::cleanup()
{
    QVERIFY(m_base.despues());
}

void ReportBalancesTest::pages_data()
{
    QTest::addColumn<ParametrosListado>("p");
    QTest::addColumn<QString>("modelo");
    auto rama = [](const QString& cuenta, const QString& titulo, int tipo) {
        return ReportFixture::parametros(cuenta, titulo, false, tipo);
    };
    QTest::newRow("branch 0 of 11") << rama("11", "ACTIVO CORRIENTE", 0) << "rama_t0.htm";
    QTest::newRow("branch 0 of the chart") << rama("", "Plan de cuentas", 0) << "rama_t0_plan.htm";
    QTest::newRow("branch 0 of a first-level account") << rama("1", "ACTIVO", 0) << "rama_t0_nivel1.htm";
    QTest::newRow("branch 1, every unit and none") << rama("1101", "Caja & Bancos", 1) << "rama_t1.htm";
    ParametrosListado t1 = rama("1101", "Caja & Bancos", 1);
    t1.eUnidadesNegocio = QStringList{QStringLiteral("0009"), QStringLiteral("0008")};
    QTest::newRow("branch 1, chosen units without rows") << t1 << "rama_t1_elegidas.htm";
    QTest::newRow("branch 2") << rama("1101", "Caja & Bancos", 2) << "rama_t2.htm";
    ParametrosListado t3 = rama("1101", "Caja & Bancos", 3);
    t3.eUnidadesNegocio = QStringList{QStringLiteral("0001"), QStringLiteral("0002")};
    QTest::newRow("branch 3") << t3 << "rama_t3.htm";
    QTest::newRow("branch of a leaf-level code lists itself") << rama("110101", "Banco", 0) << "rama_hoja.htm";
    auto arbol = [](const QString& cuenta, int tipo, int niveles) {
        ParametrosListado p = ReportFixture::parametros(cuenta, QStringLiteral("Plan"), false, tipo);
        p.eNormal = false;
        p.eNiveles = niveles;
        return p;
    };
    QTest::newRow("tree 0, six") << arbol("", 0, 6) << "arbol_t0.htm";
    QTest::newRow("tree 0, four, account ignored") << arbol("1101", 0, 4) << "arbol_t0_4.htm";
    QTest::newRow("tree 1") << arbol("", 1, 4) << "arbol_t1.htm";
    QTest::newRow("tree 2 of 11") << arbol("11", 2, 6) << "arbol_t2.htm";
    QTest::newRow("tree 3 of 11") << arbol("11", 3, 4) << "arbol_t3.htm";
    QTest::newRow("tree, listing type 7") << arbol("", 7, 6) << "arbol_t7.htm";
}

void ReportBalancesTest::pages()
{
    QFETCH(ParametrosListado, p);
    QFETCH(QString, modelo);
    QCOMPARE(m_base.escribir(p, true), ResultadoListado::Completo);
    QVERIFY(ReportFixture::igualAlModelo(m_base.pagina, modelo));
}

void ReportBalancesTest::firstLevelTotalsFollowTheConfiguredWidth()
{
    auto fijar = [](const char* valor) {
        gDB().gCnn.Execute(QStringLiteral("UPDATE TA_CONFIGURACION SET VALOR = '%1' WHERE CLAVE = 'Digitos_Capitulo'")
                               .arg(QLatin1String(valor)));
    };
    ParametrosListado p = ReportFixture::parametros(QString(), QStringLiteral("Plan"), false, 0);
    p.eNormal = false;
    fijar("2");   // first level "11" and "21": the two-character codes are the ones totalled
    const ResultadoListado r = m_base.escribir(p, true);
    fijar("1");
    QCOMPARE(r, ResultadoListado::Completo);
    const QByteArray pagina = ReportFixture::leer(m_base.pagina);
    // 709.75 and the fixed fund's 1124114.8001, summed as money.
    QVERIFY(pagina.contains("Total Deudor</td><TD ALIGN=right >1124824.5501</td>"));
    QVERIFY(pagina.contains("Total Acreedor</td><TD ALIGN=right >709.75</td>"));
}

void ReportBalancesTest::levelsAreReadOncePerReport()
{
    ParametrosListado p = ReportFixture::parametros(QString(), QStringLiteral("Plan"), false, 0);
    p.eNormal = false;
    QCOMPARE(m_base.escribir(p, true), ResultadoListado::Completo);
    QCOMPARE(ReportFixture::leer(m_base.pagina).count("CUENTAPOPUP_"), 11);
    QCOMPARE(m_base.contar(QStringLiteral("TA_CONFIGURACION")), 12);
}

void ReportBalancesTest::branchCellQueriesAreChildrenTimesUnits()
{
    ParametrosListado p = ReportFixture::parametros(QStringLiteral("1101"), QStringLiteral("Caja"), false, 1);
    p.eUnidadesNegocio = QStringList{QStringLiteral("0001"), QStringLiteral("0002")};
    QCOMPARE(m_base.escribir(p, true), ResultadoListado::Completo);
    // Four children, two units.
    QCOMPARE(m_base.contar(QStringLiteral("From VE_SALDOSCTAAC where cuenta ='")), 8);
}

void ReportBalancesTest::cancelWhileReadingTheTree()
{
    HostDePrueba host;
    host.cancelarEn = 3;
    ParametrosListado p = ReportFixture::parametros(QString(), QStringLiteral("Plan"), false, 0);
    p.eNormal = false;
    QCOMPARE(m_base.escribir(p, true, &host), ResultadoListado::Cancelado);
    const QByteArray pagina = ReportFixture::leer(m_base.pagina);
    QCOMPARE(pagina.count("CUENTAPOPUP_"), 2);
    QVERIFY(!pagina.contains("Total Deudor"));
    QVERIFY(!pagina.contains("</body></html>"));
}

void ReportBalancesTest::noRowsAndNoChosenUnitsGiveNoColumns_data()
{
    QTest::addColumn<bool>("normal");
    QTest::addColumn<int>("tipo");
    for (bool normal : {true, false})
        for (int tipo : {1, 2, 3})
            QTest::addRow("%s type %d", normal ? "branch" : "tree", tipo) << normal << tipo;
}

void ReportBalancesTest::noRowsAndNoChosenUnitsGiveNoColumns()
{
    QFETCH(bool, normal);
    QFETCH(int, tipo);
    ParametrosListado p = ReportFixture::parametros(QStringLiteral("1101"), QStringLiteral("Caja"), false, tipo);
    p.eNormal = normal;
    p.FechaDesde = QStringLiteral("01/01/2030");
    p.FechaHasta = QStringLiteral("31/01/2030");
    QCOMPARE(m_base.escribir(p, true), ResultadoListado::Completo);
    const QByteArray pagina = ReportFixture::leer(m_base.pagina);
    QVERIFY(pagina.contains("<TD CLASS=TableCaption> Descripcion </TD>\r\n<TD CLASS=TableCaption></TD>\r\n"));
    QVERIFY(pagina.endsWith("</TABLE>\r\n</body></html>\r\n")
            || pagina.contains("</TABLE>\r\n&nbsp<TABLE Border=0 CellPadding=3"));
    QVERIFY(pagina.endsWith("</body></html>\r\n"));
}

QTEST_GUILESS_MAIN(ReportBalancesTest)
#include "tst_report_balances.moc"
