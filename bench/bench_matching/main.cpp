// "Comparar" on large lists: the indexed matcher beside the pair-by-pair reference, plus the totals and the
// grouping that follow it. The reference is quadratic, so it runs on a smaller N and its time is scaled by
// (N / n)^2; the output says so. Both are checked for identical marks and colours at the smaller N.
// Usage: bench_matching [N per side] [reference n]
#include "reconciliation/engine/LinkListReconcile.h"
#include "reconciliation/engine/Matching.h"
#include "reconciliation/engine/MatchingReference.h"
#include "reconciliation/engine/WorkbenchGroups.h"
#include "reconciliation/engine/WorkbenchTotals.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>

using namespace conciliacion;

namespace {

struct Escenario {
    const char* nombre;
    bool casiTodosPares;     // most lines pair up (else: every amount equal, no voucher agrees)
    const char* tolerancia;
};

// Left lines and right lines that mostly pair up: the right side is a shuffled copy of 90% of the left with
// vouchers in other letter case and some amounts moved within the tolerance, plus 10% lines of its own.
void Generar(int n, const Escenario& e, WorkbenchRows& izq, WorkbenchRows& der)
{
    QRandomGenerator azar(20260305);
    izq.assign(n, {});
    der.clear();
    for (int i = 0; i < n; ++i) {
        WorkbenchRow& f = izq[i];
        f.ID = i + 1;
        f.Fecha = QStringLiteral("%1/03/2026").arg(1 + i % 28, 2, 10, QLatin1Char('0'));
        f.Vencimiento = f.Fecha;
        f.TC = QStringLiteral("fc");
        f.Comprobante = QStringLiteral("0001%1a").arg(i, 8, 10, QLatin1Char('0'));
        f.Importe = e.casiTodosPares ? ado::Currency::fromScaled(100 * (1000 + azar.bounded(5000000)))
                                     : ado::Currency::fromLong(100);
        f.Concepto = QStringLiteral("Cobro %1").arg(i);
    }
    for (int i = 0; i < n; ++i) {
        WorkbenchRow f = izq[i];
        if (!e.casiTodosPares || i % 10 == 9) {
            f.Comprobante = QStringLiteral("0002%1x").arg(i, 8, 10, QLatin1Char('0'));
        } else {
            f.Comprobante = f.Comprobante.toUpper();
            if (i % 7 == 0)
                f.Importe += ado::Currency::fromScaled(500);   // 0.05 apart
        }
        der.push_back(f);
    }
    std::shuffle(der.begin(), der.end(), std::mt19937(7));
    for (int j = 0; j < n; ++j)
        der[j].ID = 100000000 + j;
}

OpcionesComparacion Opciones(const Escenario& e)
{
    OpcionesComparacion o;
    o.cajas[cajaComprobante] = o.cajas[cajaImporte] = true;
    o.tolerancia = *ado::Currency::parse(QString::fromLatin1(e.tolerancia));
    return o;
}

double Ms(QElapsedTimer& t)
{
    const double ms = double(t.nsecsElapsed()) / 1e6;
    t.restart();
    return ms;
}

bool Iguales(const WorkbenchRows& a, const WorkbenchRows& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const WorkbenchRow& x, const WorkbenchRow& y) {
        return x.Checked == y.Checked && x.ForeColor == y.ForeColor;
    });
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 20000;
    const int nRef = argc > 2 ? std::atoi(argv[2]) : 2000;
    const Escenario escenarios[] = {
        {"most lines pair up, tolerance 0.05", true, "0.05"},
        {"most lines pair up, tolerance 0", true, "0"},
        {"every amount equal, no voucher agrees (all pairs partial)", false, "0"},
    };
    QElapsedTimer t;
    for (const Escenario& e : escenarios) {
        std::printf("== %s\n", e.nombre);
        WorkbenchRows izq, der;
        Generar(n, e, izq, der);
        t.start();
        const ResultadoComparacion r = Comparar(izq, der, Opciones(e));
        const double indexado = Ms(t);
        std::printf("  Comparar, indexed, N = %d per side: %10.1f ms  (%lld pairs)\n", n, indexado,
                    static_cast<long long>(r.pares));

        WorkbenchRows izqR, derR;
        Generar(nRef, e, izqR, derR);
        WorkbenchRows izqI = izqR, derI = derR;
        Totales totales = CalcularTotales(izqR, derR, 2);
        t.restart();
        CompararReferencia(izqR, derR, Opciones(e), totales, 2);
        const double referencia = Ms(t);
        Comparar(izqI, derI, Opciones(e));
        const double escala = (double(n) / nRef) * (double(n) / nRef);
        std::printf("  reference, pair by pair, n = %d per side: %10.1f ms; extrapolated quadratically to N = %d: "
                    "%.0f ms\n",
                    nRef, referencia, n, referencia * escala);
        std::printf("  ratio reference / indexed at N = %d (extrapolated): %.0fx\n", n, referencia * escala / indexado);
        std::printf("  indexed identical to the reference at n = %d: %s\n", nRef,
                    Iguales(izqI, izqR) && Iguales(derI, derR) ? "yes" : "NO");

        t.restart();
        const Totales tot = CalcularTotales(izq, der, 2);
        std::printf("  CalcularTotales, N = %d per side: %10.2f ms  (difference %s)\n", n, Ms(t),
                    qPrintable(tot.Dif.toString()));
    }

    std::printf("== linking and grouping\n");
    WorkbenchRows izq, der;
    Generar(n, escenarios[0], izq, der);
    for (WorkbenchRow& f : izq)
        f.Checked = false;
    for (WorkbenchRow& f : der)
        f.Checked = false;
    // One reconcile run per pair: every left line its own group with one right line.
    for (int i = 0; i < n; ++i) {
        izq[i].Checked = der[i].Checked = true;
        izq[i].ConciliadoCon = QString::number(der[i].ID);
        der[i].ConciliadoCon = QString::number(izq[i].ID);
    }
    t.restart();
    AgruparConciliados(izq, der);
    std::printf("  AgruparConciliados, %d one-to-one groups: %10.1f ms\n", n, Ms(t));

    // "Aplicar" of one new left line against 200 new right lines.
    izq.push_back(WorkbenchRow{});
    izq.back().ID = 999999;
    izq.back().Checked = true;
    for (int j = 0; j < 200; ++j) {
        der.push_back(WorkbenchRow{});
        der.back().ID = 200000000 + j;
        der.back().Checked = true;
    }
    t.restart();
    const VinculosNuevos nuevos = BuscarVinculosNuevos(izq, der);
    AsignarVinculosNuevos(izq, der, nuevos);
    qint64 pares = 0;
    RecorrerParesNuevos(nuevos, izq, der, [&](qint64, qint64) { ++pares; });
    AgruparConciliados(izq, der);
    std::printf("  link 1 x 200 new lines (%lld links) and regroup: %10.1f ms\n", static_cast<long long>(pares),
                Ms(t));
    return 0;
}
