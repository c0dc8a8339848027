// The indexed matcher against the pair-by-pair reference on many random lists: the same marks, colours,
// pair counts and totals. Values are drawn from small pools so that collisions, partial agreements, letter
// case, trailing blanks and amounts at the tolerance are common.

#include "reconciliation/engine/Matching.h"
#include "reconciliation/engine/MatchingReference.h"
#include "reconciliation/engine/WorkbenchTotals.h"

#include <QRandomGenerator>
#include <QTest>

using namespace conciliacion;

namespace {

const QStringList kTextos = {"a", "A", "a ", " a", "b", "B", "", "É", "é", "ǅ", "ǆ", "ß", "SS", "ς", "Σ", "ſ", "s", "K"};
const QStringList kFechas = {"05/03/2026", "06/03/2026", "05/03/2026 "};
const QStringList kMontos = {"0", "1", "1.01", "0.99", "1.02", "-1", "2.5", "1.005", "1.0049", "100"};
const QStringList kTolerancias = {"0", "0.01", "0.02", "-0.01", "1", "-5", "0.005"};
const qint32 kColoresPrevios[] = {kColorNegro, kColorRojo, 0x00FF00};

struct Generador {
    QRandomGenerator azar;

    const QString& De(const QStringList& pool) { return pool[azar.bounded(int(pool.size()))]; }

    WorkbenchRows Lista(int n, int variedad)
    {
        WorkbenchRows filas(n);
        for (int i = 0; i < n; ++i) {
            WorkbenchRow& f = filas[i];
            f.ID = i + 1;
            f.Fecha = De(kFechas);
            f.Vencimiento = De(kFechas);
            f.TC = kTextos[azar.bounded(variedad)];
            f.Comprobante = kTextos[azar.bounded(variedad)];
            f.Concepto = kTextos[azar.bounded(variedad)];
            f.Importe = *ado::Currency::parse(De(kMontos));
            f.Checked = azar.bounded(5) == 0;
            f.ForeColor = kColoresPrevios[azar.bounded(3)];
        }
        return filas;
    }

    OpcionesComparacion Opciones()
    {
        OpcionesComparacion o;
        const int conjunto = azar.bounded(64);   // every combination of boxes, none included
        for (int c = 0; c < kCantidadCajas; ++c)
            o.cajas[c] = (conjunto >> c) & 1;
        o.tolerancia = *ado::Currency::parse(De(kTolerancias));
        return o;
    }
};

QString Describir(const WorkbenchRows& filas)
{
    QString s;
    for (const WorkbenchRow& f : filas)
        s += QStringLiteral("%1%2 ").arg(f.Checked ? u'X' : u'.').arg(f.ForeColor, 0, 16);
    return s;
}

std::vector<qsizetype> Distintas(const WorkbenchRows& antes, const WorkbenchRows& despues)
{
    std::vector<qsizetype> p;
    for (size_t i = 0; i < antes.size(); ++i)
        if (antes[i].Checked != despues[i].Checked || antes[i].ForeColor != despues[i].ForeColor)
            p.push_back(qsizetype(i));
    return p;
}

} // namespace

class MatchingEquivalenceTest : public QObject {
    Q_OBJECT

    void Comparar(Generador& g, int nIzq, int nDer, int variedad)
    {
        const WorkbenchRows izq0 = g.Lista(nIzq, variedad);
        const WorkbenchRows der0 = g.Lista(nDer, variedad);
        Comparar(izq0, der0, g.Opciones());
    }

    void Comparar(const WorkbenchRows& izq0, const WorkbenchRows& der0, const OpcionesComparacion& o)
    {
        WorkbenchRows izqR = izq0, derR = der0;
        Totales totalesR = CalcularTotales(izqR, derR, 2);
        const ResultadoComparacion r = CompararReferencia(izqR, derR, o, totalesR, 2);

        WorkbenchRows izqI = izq0, derI = der0;
        FilasComparadas cambiadas;
        const ResultadoComparacion i = conciliacion::Comparar(izqI, derI, o, {}, &cambiadas);
        const Totales totalesI = CalcularTotales(izqI, derI, 2);
        // The rows told as changed are those whose mark or colour differs from before.
        QCOMPARE(cambiadas.izquierda, Distintas(izq0, izqI));
        QCOMPARE(cambiadas.derecha, Distintas(der0, derI));

        QCOMPARE(i.estado, r.estado);
        QCOMPARE(i.todasLasCajas, r.todasLasCajas);
        QCOMPARE(i.pares, r.pares);
        QCOMPARE(Describir(izqI), Describir(izqR));
        QCOMPARE(Describir(derI), Describir(derR));
        QCOMPARE(totalesI.Conc, totalesR.Conc);
        QCOMPARE(totalesI.NConc, totalesR.NConc);
        QCOMPARE(totalesI.Conc2, totalesR.Conc2);
        QCOMPARE(totalesI.NConc2, totalesR.NConc2);
    }

private slots:
    void smallLists_data();
    void smallLists();
    void largerListsWithManyCollisions();
    void longLeftListAgainstAShortRightOne();
    void shortLeftListAgainstALongRightOne();
};

void MatchingEquivalenceTest::smallLists_data()
{
    QTest::addColumn<int>("variedad");
    QTest::newRow("two texts (a, A)") << 2;
    QTest::newRow("case, blanks and empty") << 7;
    QTest::newRow("all texts") << int(kTextos.size());
}

void MatchingEquivalenceTest::smallLists()
{
    QFETCH(int, variedad);
    Generador g{QRandomGenerator(quint32(1000 + variedad))};
    for (int vuelta = 0; vuelta < 4000; ++vuelta) {
        Comparar(g, g.azar.bounded(9), g.azar.bounded(9), variedad);
        if (QTest::currentTestFailed()) {
            qWarning("failed on round %d", vuelta);
            return;
        }
    }
}

void MatchingEquivalenceTest::largerListsWithManyCollisions()
{
    Generador g{QRandomGenerator(77)};
    for (int vuelta = 0; vuelta < 40; ++vuelta) {
        Comparar(g, 150 + g.azar.bounded(100), 150 + g.azar.bounded(100), 3 + vuelta % 5);
        if (QTest::currentTestFailed())
            return;
    }
}

// A left list long enough for the matcher to spread its searches over several threads, against a right list
// short enough for the reference. Most right lines carry a voucher no left line has, so that they stay free to
// the end of the left list and every left line whose amount they share turns red.
void MatchingEquivalenceTest::longLeftListAgainstAShortRightOne()
{
    Generador g{QRandomGenerator(31)};
    for (int vuelta = 0; vuelta < 4; ++vuelta) {
        const WorkbenchRows izq = g.Lista(140000 + g.azar.bounded(1000), 3 + vuelta);
        WorkbenchRows der = g.Lista(40 + g.azar.bounded(40), 3 + vuelta);
        for (size_t j = 0; j < der.size(); ++j)
            if (j % 4 != 0)
                der[j].Comprobante = QStringLiteral("solo derecha %1").arg(j);
        OpcionesComparacion o = g.Opciones();
        o.cajas[cajaComprobante] = true;
        Comparar(izq, der, o);
        if (QTest::currentTestFailed())
            return;
    }
}

// A right list long enough for the matcher to read it over several threads, each right line with a voucher of its
// own, against a short left list whose vouchers name right lines anywhere in the list, in other letter case.
void MatchingEquivalenceTest::shortLeftListAgainstALongRightOne()
{
    Generador g{QRandomGenerator(53)};
    for (int vuelta = 0; vuelta < 4; ++vuelta) {
        WorkbenchRows der = g.Lista(140000 + g.azar.bounded(1000), 3 + vuelta);
        for (size_t j = 0; j < der.size(); ++j)
            der[j].Comprobante = QStringLiteral("cpte %1").arg(j);
        WorkbenchRows izq = g.Lista(60, 3 + vuelta);
        for (WorkbenchRow& f : izq)
            f.Comprobante = QStringLiteral("CPTE %1").arg(g.azar.bounded(int(der.size()) + 1000));
        OpcionesComparacion o = g.Opciones();
        o.cajas[cajaComprobante] = true;
        Comparar(izq, der, o);
        if (QTest::currentTestFailed())
            return;
    }
}

QTEST_GUILESS_MAIN(MatchingEquivalenceTest)
#include "tst_matching_equivalence.moc"
