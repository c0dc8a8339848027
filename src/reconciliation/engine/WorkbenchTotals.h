#pragma once
// The four totals under the lists and the difference label, and the balance check of the reconcile button.
// Each total lives in its label as money text, so every partial sum is rounded to the money decimals the
// labels show; the values here are those rounded sums.

#include "WorkbenchRow.h"

#include <QString>

namespace conciliacion {

struct Totales {
    ado::Currency Conc;     // lblTotConc: marked left rows
    ado::Currency NConc;    // lblTotNConc: unmarked left rows
    ado::Currency Conc2;    // lblTotConc2: marked right rows
    ado::Currency NConc2;   // lblTotNConc2: unmarked right rows
    ado::Currency Dif;      // LblDif2: Conc - Conc2
    bool operator==(const Totales&) const = default;
};

// The number of decimals the money labels show (what FmtMoneda with -1 writes).
int DecimalesEtiquetas();
// An amount as a money label holds it once written and read back.
ado::Currency RedondeoEtiqueta(ado::Currency valor, int decimales);

// All five values from the marks and shown amounts of both lists. Linear in the rows; counts are 64-bit.
Totales CalcularTotales(const WorkbenchRows& izquierda, const WorkbenchRows& derecha, int decimales);

// Text and background of LblDif2 for a difference: negative as the plain absolute number (the locale's
// decimal separator, no money format) on red, otherwise the money format on blue.
struct EtiquetaDiferencia {
    QString texto;
    qint32 colorFondo = kColorAzul;   // BGR
};
EtiquetaDiferencia TextoDiferencia(ado::Currency dif);
// The money text of a total label.
QString TextoTotal(ado::Currency total);

// The reconcile button's balance check: the marked totals agree when they differ by no more than the rounding
// tolerance (a difference equal to it passes). Exact money arithmetic, so 100.03 against 100.02 passes with a
// tolerance of 0.01. Equal totals always agree, also with a negative tolerance.
bool TotalesCuadran(ado::Currency conciliadoIzquierda, ado::Currency conciliadoDerecha, ado::Currency tolerancia);

inline const QString kMensajeTotalesNoCoinciden =
    QStringLiteral("El total a conciliar del lado izquierdo, no coincide, con el total del lado derecho!");

} // namespace conciliacion
