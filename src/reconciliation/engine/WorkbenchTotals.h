#pragma once
// The four totals of the lists and their difference, and the balance check of the reconcile step. Each total
// is shown as money text and read back from it, so every partial sum is rounded to the money decimals shown;
// the values here are those rounded sums.

#include "WorkbenchRow.h"

#include <QString>

namespace conciliacion {

struct Totales {
    ado::Currency Conc;     // marked left rows
    ado::Currency NConc;    // unmarked left rows
    ado::Currency Conc2;    // marked right rows
    ado::Currency NConc2;   // unmarked right rows
    ado::Currency Dif;      // Conc - Conc2
    bool operator==(const Totales&) const = default;
};

// The number of decimals totals are shown with for the program's setting of decimals (the text the
// configuration holds; what FmtMoneda with -1 writes).
int DecimalesEtiquetas(const QString& cantidadDecimales);
// An amount as its shown money text holds it once written and read back.
ado::Currency RedondeoEtiqueta(ado::Currency valor, int decimales);

// All five values from the marks and shown amounts of both lists. Linear in the rows; counts are 64-bit.
Totales CalcularTotales(const WorkbenchRows& izquierda, const WorkbenchRows& derecha, int decimales);

// Text and background colour of the shown difference: negative as the plain absolute number (the locale's
// decimal separator, no money format) on red, otherwise the money format on blue.
struct EtiquetaDiferencia {
    QString texto;
    qint32 colorFondo = kColorAzul;   // BGR
};
EtiquetaDiferencia TextoDiferencia(ado::Currency dif, int decimales);
// The money text of a total with that many decimals.
QString TextoTotal(ado::Currency total, int decimales);

// The reconcile step's balance check: the marked totals agree when they differ by no more than the rounding
// tolerance (a difference equal to it passes). Exact money arithmetic, so 100.03 against 100.02 passes with a
// tolerance of 0.01. Equal totals always agree, also with a negative tolerance.
bool TotalesCuadran(ado::Currency conciliadoIzquierda, ado::Currency conciliadoDerecha, ado::Currency tolerancia);

inline const QString kMensajeTotalesNoCoinciden =
    QStringLiteral("El total a conciliar del lado izquierdo, no coincide, con el total del lado derecho!");

} // namespace conciliacion
