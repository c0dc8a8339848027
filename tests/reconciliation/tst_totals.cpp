// CalcularTotales, the difference label, the list's amount cells and the label decimals.

#include "FilasDePrueba.h"
#include "reconciliation/engine/WorkbenchTotals.h"

#include <QTest>
#include <clocale>

using namespace conciliacion;
using prueba::Filas;
using prueba::Monto;

class TotalsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void totalsFollowTheMarks();
    void everyPartialSumIsRoundedAsTheLabelHoldsIt();
    void shownAmountsAreSummed();
    void difference_data();
    void difference();
    void labelDecimals();
    void amountCell_data();
    void amountCell();
};

void TotalsTest::init()
{
    std::setlocale(LC_MONETARY, "C");
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina));
}

void TotalsTest::totalsFollowTheMarks()
{
    WorkbenchRows izq = Filas({{1, "100", "", "", true}, {2, "250", "", "", true}, {3, "40"}});
    WorkbenchRows der = Filas({{1, "100", "", "", true}, {2, "250"}, {3, "7.5"}});
    Totales t = CalcularTotales(izq, der, 2);
    QCOMPARE(t, (Totales{Monto("350"), Monto("40"), Monto("100"), Monto("257.5"), Monto("250")}));
    der[1].Checked = true;
    t = CalcularTotales(izq, der, 2);
    QCOMPARE(t.Conc2, Monto("350"));
    QCOMPARE(t.NConc2, Monto("7.5"));
    QCOMPARE(t.Dif, Monto("0"));
    QCOMPARE(CalcularTotales({}, {}, 2), Totales{});
}

void TotalsTest::everyPartialSumIsRoundedAsTheLabelHoldsIt()
{
    // With no decimals each running sum is rounded half to even: 0 + 0.50 reads back as 0, twice.
    const WorkbenchRows izq = Filas({{1, "0.5", "", "", true}, {2, "0.5", "", "", true}, {3, "1.5"}});
    const Totales t = CalcularTotales(izq, {}, 0);
    QCOMPARE(t.Conc, Monto("0"));
    QCOMPARE(t.NConc, Monto("2"));
}

void TotalsTest::shownAmountsAreSummed()
{
    // Stored amounts keep four decimals; the list shows (and sums) two.
    const WorkbenchRows izq = Filas({{1, "1.005", "", "", true}, {2, "1.0049", "", "", true}});
    QCOMPARE(CalcularTotales(izq, {}, 2).Conc, Monto("2.01"));
}

void TotalsTest::difference_data()
{
    QTest::addColumn<QString>("dif");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<qint32>("fondo");
    QTest::newRow("negative: plain absolute number") << "-50" << "50" << kColorRojo;
    QTest::newRow("negative with cents") << "-0.5" << "0,5" << kColorRojo;
    QTest::newRow("positive: money format") << "50" << "50,00" << kColorAzul;
    QTest::newRow("zero: money format") << "0" << "0,00" << kColorAzul;
    QTest::newRow("large positive, no thousands separator") << "1234567.8" << "1234567,80" << kColorAzul;
}

void TotalsTest::difference()
{
    QFETCH(QString, dif);
    QFETCH(QString, texto);
    QFETCH(qint32, fondo);
    const EtiquetaDiferencia e = TextoDiferencia(*ado::Currency::parse(dif), 2);
    QCOMPARE(e.texto, texto);
    QCOMPARE(e.colorFondo, fondo);
}

void TotalsTest::labelDecimals()
{
    QCOMPARE(DecimalesEtiquetas(QStringLiteral("2")), 2);
    QCOMPARE(DecimalesEtiquetas(QStringLiteral("3")), 3);
    QCOMPARE(TextoTotal(Monto("1.5"), 3), QStringLiteral("1,500"));
    QCOMPARE(DecimalesEtiquetas(QStringLiteral("-2")), 0);
}

void TotalsTest::amountCell_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("importe");
    QTest::addColumn<QString>("celda");
    QTest::newRow("thousands, comma decimals") << "es_AR" << "1234567.891" << "  1.234.567,89";
    QTest::newRow("thousands, point decimals") << "en_US" << "1234567.891" << "  1,234,567.89";
    QTest::newRow("half away from zero") << "en_US" << "1.005" << "          1.01";
    QTest::newRow("negative half away from zero") << "en_US" << "-1.005" << "         -1.01";
    QTest::newRow("zero") << "en_US" << "0" << "          0.00";
    QTest::newRow("tiny negative shows zero") << "en_US" << "-0.004" << "          0.00";
    QTest::newRow("wider than the cell") << "en_US" << "123456789012.5" << "123,456,789,012.50";
}

void TotalsTest::amountCell()
{
    QFETCH(QString, locale);
    QFETCH(QString, importe);
    QFETCH(QString, celda);
    QLocale::setDefault(QLocale(locale));
    WorkbenchRow fila;
    fila.Importe = *ado::Currency::parse(importe);
    QCOMPARE(fila.Texto(colImporte), celda);
}

QTEST_GUILESS_MAIN(TotalsTest)
#include "tst_totals.moc"
