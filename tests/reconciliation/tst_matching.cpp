// Automatic matching: each behaviour runs through the indexed matcher and through the pair-by-pair
// reference, which must both give the expected marks and colours.

#include "FilasDePrueba.h"
#include "reconciliation/engine/Matching.h"
#include "reconciliation/engine/MatchingReference.h"
#include "reconciliation/engine/WorkbenchTotals.h"

#include <QTest>

using namespace conciliacion;
using prueba::Filas;
using prueba::Monto;

namespace {

constexpr qint32 kColorPrevio = 0x00FF00;   // a colour no run gives, to see untouched rows

OpcionesComparacion Cajas(std::initializer_list<int> cajas, const char* tolerancia = "0")
{
    OpcionesComparacion o;
    for (int c : cajas)
        o.cajas[c] = true;
    o.tolerancia = Monto(tolerancia);
    return o;
}

void Pintar(WorkbenchRows& filas, qint32 color)
{
    for (WorkbenchRow& f : filas)
        f.ForeColor = color;
}

QString Marcas(const WorkbenchRows& filas)
{
    QString s;
    for (const WorkbenchRow& f : filas)
        s += f.Checked ? u'X' : u'.';
    return s;
}

// 'N' black, 'R' red, '-' untouched.
QString Colores(const WorkbenchRows& filas)
{
    QString s;
    for (const WorkbenchRow& f : filas)
        s += f.ForeColor == kColorNegro ? u'N' : f.ForeColor == kColorRojo ? u'R' : u'-';
    return s;
}

} // namespace

class MatchingTest : public QObject {
    Q_OBJECT

    ResultadoComparacion Correr(WorkbenchRows& izq, WorkbenchRows& der, const OpcionesComparacion& o,
                                const AvanceComparacion& avance = {})
    {
        QFETCH_GLOBAL(bool, indexado);
        if (indexado)
            return Comparar(izq, der, o, avance);
        Totales t = CalcularTotales(izq, der, 2);
        return CompararReferencia(izq, der, o, t, 2);
    }

private slots:
    void initTestCase_data();
    void fixtureOfTheRoad();
    void differenceAfterMatching();
    void firstFullMatchInListOrder();
    void amountsAndTolerance_data();
    void amountsAndTolerance();
    void amountDisagreementIsNeverPainted();
    void textsIgnoreCaseButNotBlanks_data();
    void textsIgnoreCaseButNotBlanks();
    void noBoxChosenComparesAllSix();
    void onlyAmountPaintsNothing();
    void withoutAmountAmountsAreIgnored();
    void markedRowsTakeNoPart();
    void redStaysUntilMatched();
    void emptyLists();
    void cancelKeepsPairsMade();
    void progressIsReportedWithTheLeftCount();
    void progressTellsHowFarTheRightListWasSearched();
};

void MatchingTest::initTestCase_data()
{
    QTest::addColumn<bool>("indexado");
    QTest::newRow("indexed") << true;
    QTest::newRow("reference") << false;
}

// The road of one reconciliation: Comprobante and Importe chosen; D1/C1 agree on both, D2/C2 only on the
// amount.
void MatchingTest::fixtureOfTheRoad()
{
    WorkbenchRows izq = Filas({{1, "100", "000100000010A"}, {2, "250", "000100000011A"}, {3, "40", "000100000077X"}});
    WorkbenchRows der = Filas({{1, "100", "000100000010A"}, {2, "250", "000200000005X"}, {3, "7.5", "000100000003X"}});
    Pintar(izq, kColorPrevio);
    Pintar(der, kColorPrevio);
    const ResultadoComparacion r = Correr(izq, der, Cajas({cajaComprobante, cajaImporte}));
    QCOMPARE(r.estado, EstadoComparacion::Terminada);
    QCOMPARE(r.pares, 1);
    QCOMPARE(Marcas(izq), QStringLiteral("X.."));
    QCOMPARE(Marcas(der), QStringLiteral("X.."));
    QCOMPARE(Colores(izq), QStringLiteral("NR-"));
    QCOMPARE(Colores(der), QStringLiteral("NR-"));
    const Totales t = CalcularTotales(izq, der, 2);
    QCOMPARE(t.Conc, Monto("100"));
    QCOMPARE(t.NConc, Monto("290"));
    QCOMPARE(t.Conc2, Monto("100"));
    QCOMPARE(t.NConc2, Monto("257.5"));
}

// Pairs within the tolerance leave a difference; recomputing after the run shows it (not the old label).
void MatchingTest::differenceAfterMatching()
{
    WorkbenchRows izq = Filas({{1, "100"}});
    WorkbenchRows der = Filas({{1, "100.05"}});
    Correr(izq, der, Cajas({cajaImporte}, "0.05"));
    const Totales t = CalcularTotales(izq, der, 2);
    QCOMPARE(t.Dif, Monto("-0.05"));
    QCOMPARE(TextoDiferencia(t.Dif, 2).colorFondo, kColorRojo);
}

void MatchingTest::firstFullMatchInListOrder()
{
    // Both left rows fit right row 2; the first takes it (not the closer amount 3), the second looks further.
    WorkbenchRows izq = Filas({{1, "100", "A"}, {2, "100", "A"}});
    WorkbenchRows der = Filas({{1, "100", "B"}, {2, "100.02", "A"}, {3, "100", "A"}});
    Correr(izq, der, Cajas({cajaComprobante, cajaImporte}, "0.05"));
    QCOMPARE(Marcas(izq), QStringLiteral("XX"));
    QCOMPARE(Marcas(der), QStringLiteral(".XX"));
    QCOMPARE(Colores(der), QStringLiteral("RNN"));
}

void MatchingTest::amountsAndTolerance_data()
{
    QTest::addColumn<QString>("izquierda");
    QTest::addColumn<QString>("derecha");
    QTest::addColumn<QString>("tolerancia");
    QTest::addColumn<bool>("empareja");
    QTest::newRow("equal") << "100" << "100" << "0" << true;
    QTest::newRow("difference equal to the tolerance") << "100" << "100.05" << "0.05" << true;
    QTest::newRow("below by the tolerance") << "100" << "99.95" << "0.05" << true;
    QTest::newRow("one cent past the tolerance") << "100" << "100.06" << "0.05" << false;
    QTest::newRow("negative tolerance, equal amounts") << "100" << "100" << "-1" << true;
    QTest::newRow("negative tolerance, one cent apart") << "100" << "100.01" << "-1" << false;
    QTest::newRow("compared as shown: 10.004 shows 10.00") << "10" << "10.004" << "0" << true;
    QTest::newRow("compared as shown: 10.005 shows 10.01") << "10" << "10.005" << "0" << false;
    QTest::newRow("negative amounts") << "-5" << "-5.01" << "0.01" << true;
    QTest::newRow("huge tolerance") << "-900000000000" << "900000000000" << "900000000000000" << true;
}

void MatchingTest::amountsAndTolerance()
{
    QFETCH(QString, izquierda);
    QFETCH(QString, derecha);
    QFETCH(QString, tolerancia);
    QFETCH(bool, empareja);
    WorkbenchRows izq = Filas({{1}});
    WorkbenchRows der = Filas({{1}});
    izq[0].Importe = *ado::Currency::parse(izquierda);
    der[0].Importe = *ado::Currency::parse(derecha);
    OpcionesComparacion o = Cajas({cajaImporte});
    o.tolerancia = *ado::Currency::parse(tolerancia);
    Correr(izq, der, o);
    QCOMPARE(izq[0].Checked, empareja);
    QCOMPARE(der[0].Checked, empareja);
}

void MatchingTest::amountDisagreementIsNeverPainted()
{
    // Every text agrees, but the amount does not: neither marked nor painted.
    WorkbenchRows izq = Filas({{1, "100"}});
    WorkbenchRows der = Filas({{1, "101"}});
    Pintar(izq, kColorPrevio);
    Pintar(der, kColorPrevio);
    Correr(izq, der, Cajas({cajaFecha, cajaVencimiento, cajaTC, cajaComprobante, cajaImporte, cajaConcepto}));
    QCOMPARE(Marcas(izq) + Marcas(der), QStringLiteral(".."));
    QCOMPARE(Colores(izq) + Colores(der), QStringLiteral("--"));
}

void MatchingTest::textsIgnoreCaseButNotBlanks_data()
{
    QTest::addColumn<QString>("izquierda");
    QTest::addColumn<QString>("derecha");
    QTest::addColumn<bool>("empareja");
    QTest::newRow("same text") << "Cobro" << "Cobro" << true;
    QTest::newRow("letter case") << "cobro fc" << "COBRO FC" << true;
    QTest::newRow("accented letter case") << "depósito" << "DEPÓSITO" << true;
    QTest::newRow("trailing blank") << "Cobro" << "Cobro " << false;
    QTest::newRow("leading blank") << "Cobro" << " Cobro" << false;
    QTest::newRow("empty against empty") << "" << "" << true;
    // Texts longer than 65,535 units, whose length does not fit in 16 bits.
    QTest::newRow("long text, letter case") << QString(70000, u'a') << QString(70000, u'A') << true;
    QTest::newRow("long text, last letter differs")
        << QString(70000, u'a') << QString(69999, u'a') + u'b' << false;
}

void MatchingTest::textsIgnoreCaseButNotBlanks()
{
    QFETCH(QString, izquierda);
    QFETCH(QString, derecha);
    QFETCH(bool, empareja);
    WorkbenchRows izq = Filas({{1, "10"}});
    WorkbenchRows der = Filas({{1, "10"}});
    izq[0].Concepto = izquierda;
    der[0].Concepto = derecha;
    Pintar(izq, kColorPrevio);
    Correr(izq, der, Cajas({cajaConcepto, cajaImporte}));
    QCOMPARE(izq[0].Checked, empareja);
    // The amount agrees, so a pair that is not full is a partial one.
    QCOMPARE(izq[0].ForeColor, empareja ? kColorNegro : kColorRojo);
}

void MatchingTest::noBoxChosenComparesAllSix()
{
    WorkbenchRows izq = Filas({{1, "10", "A"}, {2, "20", "B"}});
    WorkbenchRows der = Filas({{1, "10", "A"}, {2, "20", "C"}});
    der[0].Vencimiento = QStringLiteral("06/03/2026");   // every field counts, the due date too
    const ResultadoComparacion r = Correr(izq, der, Cajas({}));
    QVERIFY(r.todasLasCajas);
    QCOMPARE(r.pares, 0);
    QCOMPARE(Colores(izq), QStringLiteral("RR"));
}

void MatchingTest::onlyAmountPaintsNothing()
{
    WorkbenchRows izq = Filas({{1, "10", "A"}, {2, "10", "B"}, {3, "99"}});
    WorkbenchRows der = Filas({{1, "10.01", "Z"}, {2, "10", "Y"}, {3, "50"}});
    Pintar(izq, kColorPrevio);
    Pintar(der, kColorPrevio);
    const ResultadoComparacion r = Correr(izq, der, Cajas({cajaImporte}, "0.01"));
    QCOMPARE(r.pares, 2);
    QCOMPARE(Marcas(izq), QStringLiteral("XX."));
    QCOMPARE(Marcas(der), QStringLiteral("XX."));
    QCOMPARE(Colores(izq) + Colores(der), QStringLiteral("NN-NN-"));
}

void MatchingTest::withoutAmountAmountsAreIgnored()
{
    // Comprobante and Concepto chosen, Importe not: amounts play no part; one text of two is a partial.
    WorkbenchRows izq = Filas({{1, "10", "A", "p"}, {2, "20", "B", "q"}});
    WorkbenchRows der = Filas({{1, "999", "B", "z"}, {2, "1", "A", "p"}, {3, "2", "C", "w"}});
    Pintar(izq, kColorPrevio);
    Pintar(der, kColorPrevio);
    Correr(izq, der, Cajas({cajaComprobante, cajaConcepto}));
    QCOMPARE(Marcas(izq), QStringLiteral("X."));
    QCOMPARE(Marcas(der), QStringLiteral(".X."));
    QCOMPARE(Colores(izq), QStringLiteral("NR"));
    QCOMPARE(Colores(der), QStringLiteral("RN-"));
}

void MatchingTest::markedRowsTakeNoPart()
{
    WorkbenchRows izq = Filas({{1, "10", "A", "x", true}, {2, "10", "A"}});
    WorkbenchRows der = Filas({{1, "10", "A", "x", true}, {2, "10", "B"}, {3, "10", "A"}});
    Pintar(izq, kColorPrevio);
    Pintar(der, kColorPrevio);
    Correr(izq, der, Cajas({cajaComprobante, cajaImporte}));
    QCOMPARE(Marcas(izq), QStringLiteral("XX"));
    QCOMPARE(Marcas(der), QStringLiteral("X.X"));
    QCOMPARE(Colores(izq), QStringLiteral("-N"));
    QCOMPARE(Colores(der), QStringLiteral("-RN"));
}

void MatchingTest::redStaysUntilMatched()
{
    // Left 1 paints right 1 red; left 2 then takes it and paints it black. Left 3 stays red from before.
    WorkbenchRows izq = Filas({{1, "10", "A"}, {2, "10", "B"}, {3, "77", "Q"}});
    WorkbenchRows der = Filas({{1, "10", "B"}});
    izq[2].ForeColor = kColorRojo;
    Correr(izq, der, Cajas({cajaComprobante, cajaImporte}));
    QCOMPARE(Marcas(izq), QStringLiteral(".X."));
    QCOMPARE(Colores(izq), QStringLiteral("RNR"));
    QCOMPARE(Colores(der), QStringLiteral("N"));
}

void MatchingTest::emptyLists()
{
    WorkbenchRows vacia;
    WorkbenchRows una = Filas({{1, "10"}});
    QCOMPARE(Correr(vacia, una, Cajas({cajaImporte})).estado, EstadoComparacion::ListaIzquierdaVacia);
    QCOMPARE(Correr(vacia, vacia, Cajas({cajaImporte})).estado, EstadoComparacion::ListaIzquierdaVacia);
    QCOMPARE(Correr(una, vacia, Cajas({cajaImporte})).estado, EstadoComparacion::ListaDerechaVacia);
    QVERIFY(!una[0].Checked);
}

void MatchingTest::cancelKeepsPairsMade()
{
    QFETCH_GLOBAL(bool, indexado);
    if (!indexado)
        QSKIP("the reference has no progress");
    WorkbenchRows izq = Filas({{1, "10"}, {2, "20"}});
    WorkbenchRows der = Filas({{1, "10"}, {2, "20"}});
    const ResultadoComparacion r = Correr(izq, der, Cajas({cajaImporte}), [](qsizetype, qsizetype, int) { return true; });
    QVERIFY(r.cancelada);
    QCOMPARE(r.pares, 0);
    QCOMPARE(Marcas(izq) + Marcas(der), QStringLiteral("...."));
}

void MatchingTest::progressIsReportedWithTheLeftCount()
{
    QFETCH_GLOBAL(bool, indexado);
    if (!indexado)
        QSKIP("the reference has no progress");
    WorkbenchRows izq = Filas({{1, "10"}, {2, "20"}, {3, "30"}});
    WorkbenchRows der = Filas({{1, "30"}});
    QList<qsizetype> totales;
    const ResultadoComparacion r = Correr(izq, der, Cajas({cajaImporte}), [&](qsizetype hechas, qsizetype total, int) {
        totales << total;
        return hechas > 100;
    });
    QVERIFY(!r.cancelada);
    QVERIFY(!totales.isEmpty());
    QCOMPARE(totales.first(), 3);
    QCOMPARE(Marcas(izq), QStringLiteral("..X"));
}

// Besides the left rows done, each update tells how far into the right list the last left row went: where its
// partner stands, or all of it when it found none.
void MatchingTest::progressTellsHowFarTheRightListWasSearched()
{
    QFETCH_GLOBAL(bool, indexado);
    if (!indexado)
        QSKIP("the reference has no progress");
    WorkbenchRows izq = Filas({{1, "10"}, {2, "99"}, {3, "20"}, {4, "30"}});
    WorkbenchRows der = Filas({{1, "5"}, {2, "10"}, {3, "20"}, {4, "7"}});
    QList<int> individuales;
    Correr(izq, der, Cajas({cajaImporte}), [&](qsizetype, qsizetype, int individual) {
        individuales << individual;
        // Longer than the update interval, so that every left row reports.
        QTest::qSleep(60);
        return false;
    });
    QCOMPARE(individuales, (QList<int>{0, 50, 100, 75}));
    QCOMPARE(Marcas(izq), QStringLiteral("X.X."));
}

QTEST_GUILESS_MAIN(MatchingTest)
#include "tst_matching.moc"
