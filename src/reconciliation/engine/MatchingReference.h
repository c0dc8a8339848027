#pragma once
// The matcher pair by pair, exactly as the rule reads: every unmarked left row against every unmarked right
// row, in list order, with the four totals moved by hand as each pair is marked (each rounded as the shown
// total holds it). Quadratic; kept as the reference that Comparar is tested against.

#include "Matching.h"
#include "WorkbenchTotals.h"

namespace conciliacion {

ResultadoComparacion CompararReferencia(WorkbenchRows& izquierda, WorkbenchRows& derecha,
                                        const OpcionesComparacion& opciones, Totales& totales, int decimales);

} // namespace conciliacion
