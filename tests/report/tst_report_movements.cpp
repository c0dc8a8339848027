// The movement report on the small company: pages per listing type compared byte for byte, the voucher
// filter, cancelling, a failing query, hostile arguments, the busy guard and the queries it sends.

#include "ReportFixture.h"

#include "core/TaxBook.h"
#include "platform/ui/ScriptedDialogs.h"

using report::ClassHTML;
using report::ParametrosListado;
using report::ResultadoListado;

class ReportMovementsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void pages_data();
    void pages();
    void hostIsDrivenAndToldTheReport();
    void cancelAtRowK();
    void failingQueryReturnsFailed();
    void invalidPeriodReturnsFailed();
    void unwritablePageReturnsFailed();
    void hostileAccountCodeIsQuoted();
    void secondRequestWhileWritingIsRefused();
    void taxBookIsReadOnceNotPerRow();
    void taxBookColumnAgreesWithThePerRowRoutine();
    void amountBoundsReachTheFilter();
    void amountBoundsAreMoneyAmounts_data();
    void amountBoundsAreMoneyAmounts();
    void amountWithDecimalCommaIsWrittenWithAPoint();

private:
    ReportFixture m_base;
};

void ReportMovementsTest::initTestCase()
{
    QVERIFY(m_base.preparar());
}

void ReportMovementsTest::init()
{
    m_base.antes();
}

void ReportMovementsTest::cleanup()
{
    QVERIFY(m_base.despues());
}

void ReportMovementsTest::pages_data()
{
    QTest::addColumn<ParametrosListado>("p");
    QTest::addColumn<bool>("conIva");
    QTest::addColumn<QString>("modelo");
    auto hoja = [](int tipo) {
        return ReportFixture::parametros(QStringLiteral("110101"), QStringLiteral("Banco <Naci\u00f3n>"), true, tipo);
    };
    QTest::newRow("type 0") << hoja(0) << false << "mov_t0.htm";
    QTest::newRow("type 0 with tax book") << hoja(0) << true << "mov_t0_iva.htm";
    ParametrosListado t1 = hoja(1);
    t1.TituloListado = QStringLiteral("Abierto por Unidad de Negocio");
    t1.eUnidadesNegocio = QStringList{QStringLiteral("0002")};
    QTest::newRow("type 1, unit 0002 (lines without unit stay)") << t1 << true << "mov_t1.htm";
    ParametrosListado t2 = hoja(2);
    t2.TituloListado = QStringLiteral("Abierto por Centro de Costo");
    QTest::newRow("type 2 ignores the tax book") << t2 << true << "mov_t2.htm";
    ParametrosListado t3 = ReportFixture::parametros(QStringLiteral("1101"), QStringLiteral("Caja & Bancos"), true, 3);
    t3.TituloListado = QStringLiteral("Abierto por Unidad de Negocio y Centro de Costo");
    QTest::newRow("type 3 of a parent: shares by the line's own account") << t3 << false << "mov_t3.htm";
    ParametrosListado t3v = t3;
    t3v.eCentrosCostos = QStringList{QStringLiteral("CC3"), QStringLiteral("CC9")};
    QTest::newRow("type 3, chosen centres without rows") << t3v << false << "mov_t3_elegidos.htm";
    ParametrosListado filtro = ReportFixture::parametros(QStringLiteral("11"), QStringLiteral("ACTIVO CORRIENTE"), false, 0);
    filtro.pTc = QStringLiteral("FC");
    QTest::newRow("voucher filter on a parent") << filtro << false << "mov_filtro_tc.htm";
    ParametrosListado letra = ReportFixture::parametros(QString(), QStringLiteral("Plan"), false, 2);
    letra.pLetra = QStringLiteral("X");
    QTest::newRow("letter alone, whole chart, type 2") << letra << false << "mov_filtro_letra.htm";
    ParametrosListado vacio = hoja(0);
    vacio.FechaDesde = QStringLiteral("01/06/2026");
    vacio.FechaHasta = QStringLiteral("30/06/2026");
    QTest::newRow("period without movements") << vacio << false << "mov_vacio.htm";
    QTest::newRow("listing type outside 0..3") << hoja(7) << false << "mov_tipo7.htm";
}

void ReportMovementsTest::pages()
{
    QFETCH(ParametrosListado, p);
    QFETCH(bool, conIva);
    QFETCH(QString, modelo);
    QCOMPARE(m_base.escribir(p, conIva), ResultadoListado::Completo);
    QVERIFY(ReportFixture::igualAlModelo(m_base.pagina, modelo));
}

void ReportMovementsTest::hostIsDrivenAndToldTheReport()
{
    HostDePrueba host;
    QCOMPARE(m_base.escribir(ReportFixture::parametros("110101", "Banco", true, 0), false, &host), ResultadoListado::Completo);
    QVERIFY(host.ocupado);
    QVERIFY(!host.cancelado);
    QCOMPARE(host.fCuenta, QStringLiteral("110101"));
    QCOMPARE(host.fTitulo, QStringLiteral("Banco"));
    QVERIFY(host.fEsHoja);
    QCOMPARE(host.consultas, 3);   // one cancel test per row
    QVERIFY(!host.progreso.isEmpty());
}

void ReportMovementsTest::cancelAtRowK()
{
    HostDePrueba host;
    host.cancelarEn = 2;
    QCOMPARE(m_base.escribir(ReportFixture::parametros("110101", "Banco", true, 0), false, &host), ResultadoListado::Cancelado);
    const QByteArray pagina = ReportFixture::leer(m_base.pagina);
    QCOMPARE(pagina.count("<TR>\r\n"), 1);                       // the first row only
    QVERIFY(pagina.contains("Sin importe"));                      // newest first
    QVERIFY(!pagina.contains("Ajuste"));
    QVERIFY(!pagina.contains("</body></html>"));
    QVERIFY(!pagina.contains("Resultados ordenados"));
    QVERIFY(pagina.endsWith("Listado incompleto: cancelado por el operador</td></TR></TABLE>\r\n"));
    QVERIFY(host.ocupado);   // left for the window to take down
}

void ReportMovementsTest::failingQueryReturnsFailed()
{
    gDB().gCnn.Execute(QStringLiteral("ALTER TABLE VT_Asientos_CCosto RENAME TO VT_Asientos_CCosto_x"));
    m_base.dialogos->expectErrorDialog(ui::vbAbort);
    auto p = ReportFixture::parametros("110101", "Banco", true, 2);
    const ResultadoListado r = m_base.escribir(p);
    gDB().gCnn.Execute(QStringLiteral("ALTER TABLE VT_Asientos_CCosto_x RENAME TO VT_Asientos_CCosto"));
    QCOMPARE(r, ResultadoListado::Fallido);
    const QByteArray pagina = ReportFixture::leer(m_base.pagina);
    QVERIFY(pagina.contains("C.Costo"));
    QVERIFY(!pagina.contains("</body></html>"));
    QVERIFY(pagina.endsWith("Listado incompleto: no se pudo leer la base de datos</td></TR></TABLE>\r\n"));
}

void ReportMovementsTest::invalidPeriodReturnsFailed()
{
    m_base.dialogos->expectErrorDialog(ui::vbAbort).withRoutine(QStringLiteral("Generar"));
    auto p = ReportFixture::parametros("110101", "Banco", true, 0);
    p.FechaHasta = QStringLiteral("31/03/2026' or '1'='1");
    QCOMPARE(m_base.escribir(p), ResultadoListado::Fallido);
    for (const QString& s : m_base.sentencias)
        QVERIFY2(!s.contains(QStringLiteral("'1'='1")), qPrintable(s));
}

void ReportMovementsTest::unwritablePageReturnsFailed()
{
    m_base.dialogos->expectErrorDialog(ui::vbAbort).withRoutine(QStringLiteral("Generar"));
    ParametrosListado p = ReportFixture::parametros("110101", "Banco", true, 0);
    p.strNombreArchivo = m_base.ruta(QStringLiteral("no/existe/BSC01.htm"));
    ClassHTML html;
    QCOMPARE(html.writeHTML(p), ResultadoListado::Fallido);
    QVERIFY(!ClassHTML::Escribiendo());
}

void ReportMovementsTest::hostileAccountCodeIsQuoted()
{
    auto p = ReportFixture::parametros(QStringLiteral("11' OR '1'='1"), QStringLiteral("<script>x</script>"), true, 0);
    p.pTc = QStringLiteral("F'C");
    QCOMPARE(m_base.escribir(p), ResultadoListado::Completo);
    const QByteArray pagina = ReportFixture::leer(m_base.pagina);
    QVERIFY(!pagina.contains("<TR>\r\n"));   // no journal line has such an account
    QVERIFY(pagina.contains("&lt;script&gt;x&lt;/script&gt;"));
    QVERIFY(pagina.contains("HREF=\"CUENTA_11%27%20OR\""));   // the parent: the first six characters
}

void ReportMovementsTest::secondRequestWhileWritingIsRefused()
{
    HostDePrueba host;
    QList<ResultadoListado> anidados;
    host.alProcesar = [&] {
        ParametrosListado otro = ReportFixture::parametros("110102", "Caja", true, 0);
        otro.strNombreArchivo = m_base.pagina;
        ClassHTML segundo;
        anidados << segundo.writeHTML(otro);
        QVERIFY(ClassHTML::Escribiendo());
    };
    QCOMPARE(m_base.escribir(ReportFixture::parametros("110101", "Banco", true, 0), false, &host), ResultadoListado::Completo);
    QVERIFY(!anidados.isEmpty());
    for (ResultadoListado r : anidados)
        QCOMPARE(r, ResultadoListado::Ocupado);
    QVERIFY(!ClassHTML::Escribiendo());
    QVERIFY(ReportFixture::leer(m_base.pagina).contains("Banco"));
    QVERIFY(ReportFixture::leer(m_base.pagina).endsWith("</body></html>\r\n"));
}

void ReportMovementsTest::taxBookIsReadOnceNotPerRow()
{
    auto p = ReportFixture::parametros(QStringLiteral("1"), QStringLiteral("ACTIVO"), true, 0);
    QCOMPARE(m_base.escribir(p, true), ResultadoListado::Completo);
    const QByteArray pagina = ReportFixture::leer(m_base.pagina);
    QCOMPARE(pagina.count("<TR>\r\n"), 10);
    QCOMPARE(pagina.count("<TD CLASS=TableRow align=right> V</TD></TR>"), 1);
    QCOMPARE(pagina.count("<TD CLASS=TableRow align=right> C</TD></TR>"), 1);
    int deLibro = 0, deDatos = 0;
    for (const QString& s : m_base.sentencias) {
        if (s.contains(QStringLiteral("LIVA_TIPO"), Qt::CaseInsensitive))
            ++deLibro;
        if (!s.contains(QStringLiteral("TA_CONFIGURACION"), Qt::CaseInsensitive))
            ++deDatos;
    }
    QCOMPARE(deLibro, 1);
    QCOMPARE(deDatos, 3);   // the band, the tax book, the movements
}

void ReportMovementsTest::taxBookColumnAgreesWithThePerRowRoutine()
{
    // Extra tax-book rows: a second matching row of another book after the first, a summary row, a Null amount.
    gDB().gCnn.Execute(QStringLiteral(
        "INSERT INTO MV_ASIENTOS (CUENTA, SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], PERIODO, TIPO_REG, FECHA, TC, SUCURSAL,"
        " NUMERO, LETRA, [DEBE-HABER], IMPORTE, DETALLE, ESRESUMEN, LIVA_TIPO, Liva_Total, Liva_ImpIva) VALUES"
        " ('210101', 3, 1, 1, 2026, 'N', '2026-01-05 00:00:00', 'FC', '0001', '00000001', 'A', 'H', 0, 'x', 0, 'Compras', 1210, NULL),"
        " ('210101', 4, 2, 3, 2026, 'N', '2026-02-15 00:00:00', 'AS', '0001', '00000003', 'X', 'H', 0, 'x', 1, 'Ventas', 300, NULL),"
        " ('210101', 5, 2, 3, 2026, 'N', '2026-02-15 00:00:00', 'AS', '0001', '00000003', 'X', 'H', 0, 'x', 0, 'Compras', NULL, 300)"));
    auto p = ReportFixture::parametros(QString(), QStringLiteral("Plan"), true, 0);
    const ResultadoListado r = m_base.escribir(p, true);
    QStringList letras;
    const QByteArray pagina = ReportFixture::leer(m_base.pagina);
    for (const QByteArray& linea : pagina.split('\n'))
        if (linea.endsWith("</TD></TR>\r"))
            letras << QString::fromLatin1(linea.mid(linea.lastIndexOf("> ") + 2).chopped(11));
    const QString consulta = m_base.sentencias.last();
    ado::Recordset rs;
    const bool abierta = gDB().AbrirRecordset(consulta, rs);
    QStringList esperadas;
    for (; !rs.EOF(); rs.MoveNext())
        esperadas << ModGlobal::ValidaTCRegistraciones(rs[QStringLiteral("TC")].toText(), rs[QStringLiteral("Sucursal")].toText(),
                                                       rs[QStringLiteral("Numero")].toText(), rs[QStringLiteral("Letra")].toText(),
                                                       rs[QStringLiteral("Tipo_Reg")], rs[QStringLiteral("numero asiento")].toText(),
                                                       rs[QStringLiteral("Mes_Operativo")].toText(), QString(),
                                                       rs[QStringLiteral("Importe")].toCurrency());
    gDB().gCnn.Execute(QStringLiteral("DELETE FROM MV_ASIENTOS WHERE CUENTA = '210101' AND SECUENCIA > 2"));
    QCOMPARE(r, ResultadoListado::Completo);
    QVERIFY(abierta);
    QCOMPARE(letras, esperadas);
    QVERIFY(esperadas.contains(QStringLiteral("V")));
    QVERIFY(esperadas.contains(QStringLiteral("C")));
    QVERIFY(esperadas.contains(QString()));
}

void ReportMovementsTest::amountBoundsReachTheFilter()
{
    auto p = ReportFixture::parametros(QStringLiteral("1"), QStringLiteral("ACTIVO"), false, 0);
    p.pImpDesde = QStringLiteral("300.5");
    p.pImpHasta = QStringLiteral("mucho");
    QCOMPARE(m_base.escribir(p), ResultadoListado::Completo);
    const QByteArray pagina = ReportFixture::leer(m_base.pagina);
    QCOMPARE(pagina.count("<TR>\r\n"), 4);   // 1210, 500.25 and both sides of the fixed fund
    bool visto = false;
    for (const QString& s : m_base.sentencias)
        if (s.contains(QStringLiteral("IMPORTE>=300.5 ")) && !s.contains(QStringLiteral("IMPORTE<=")))
            visto = true;
    QVERIFY(visto);
}

void ReportMovementsTest::amountBoundsAreMoneyAmounts_data()
{
    QTest::addColumn<QString>("desde");
    QTest::addColumn<QString>("hasta");
    QTest::addColumn<QString>("condicion");
    QTest::addColumn<int>("filas");
    // Ten movements in all: 0, 0.1 (twice), 0.2 and 0.3 are at most 200; all but 0 and the two 0.1 reach 0.15.
    QTest::newRow("exponent") << "" << "2e2" << " AND IMPORTE<=200 " << 5;
    QTest::newRow("negative exponent") << "1.5e-1" << "" << " AND IMPORTE>=0.15 " << 8;
    QTest::newRow("too large for money") << "1e300" << "" << "" << 10;
}

// The bound the operator typed is the amount it reads as, never a silent zero.
void ReportMovementsTest::amountBoundsAreMoneyAmounts()
{
    QFETCH(QString, desde);
    QFETCH(QString, hasta);
    QFETCH(QString, condicion);
    QFETCH(int, filas);
    auto p = ReportFixture::parametros(QStringLiteral("1"), QStringLiteral("ACTIVO"), true, 0);
    p.pImpDesde = desde;
    p.pImpHasta = hasta;
    QCOMPARE(m_base.escribir(p), ResultadoListado::Completo);
    if (!condicion.isEmpty())
        QCOMPARE(m_base.contar(condicion), 1);
    else
        QCOMPARE(m_base.contar(QStringLiteral(" AND IMPORTE")), 0);
    QCOMPARE(ReportFixture::leer(m_base.pagina).count("<TR>\r\n"), filas);
}

void ReportMovementsTest::amountWithDecimalCommaIsWrittenWithAPoint()
{
    const QLocale antes;
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina));
    auto p = ReportFixture::parametros(QStringLiteral("1"), QStringLiteral("ACTIVO"), false, 0);
    p.pImpHasta = QStringLiteral("500,25");
    const ResultadoListado r = m_base.escribir(p);
    QLocale::setDefault(antes);
    QCOMPARE(r, ResultadoListado::Completo);
    QCOMPARE(m_base.contar(QStringLiteral(" AND IMPORTE<=500.25 ")), 1);
}

QTEST_GUILESS_MAIN(ReportMovementsTest)
#include "tst_report_movements.moc"
