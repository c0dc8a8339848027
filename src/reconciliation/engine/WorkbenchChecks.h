#pragma once
// The decisions taken when the operator marks or unmarks a row of either list, toggles one with Shift+arrow,
// marks the selected rows (MarcarSel) or sorts a list by a column, as functions on the rows. The caller asks
// the question, sets the marks of the rows named in the result (so no further mark change is reported) and
// then recomputes the totals, in every case.

#include "Pregunta.h"
#include "WorkbenchRow.h"

#include <optional>

namespace conciliacion {

// The question a mark change asks: only when the row (already holding its new mark) is now unmarked and its
// link list is not empty. Yes is the default button.
std::optional<Pregunta> PreguntaItemCheck(Lado lado, const WorkbenchRow& fila);

// Rows of each list whose mark or link list the handler changed, the changed row included.
struct CambiosMarca {
    std::vector<qsizetype> izquierda;
    std::vector<qsizetype> derecha;
};

// The rest of the handler for row `fila` of side `lado`, once any question was answered (`confirmado` is the
// answer Yes; without a question it is not read). Refused: the row is marked again. Confirmed, left row:
// every right row holding its ID as a whole element is unmarked and loses that ID from its list; the row's
// own list is emptied. Confirmed, right row: every left row holding its ID is unmarked and its list emptied;
// so are the other right rows of the same link group (Grupo, as AgruparConciliados gave it); then the row's
// own list is emptied.
CambiosMarca ResolverItemCheck(Lado lado, WorkbenchRows& izquierda, WorkbenchRows& derecha, qsizetype fila,
                               bool confirmado);

// Shift+Up / Shift+Down toggles the selected row's mark: key 38 or 40 with Shift exactly 1 (Shift alone).
bool EsTeclaAlternarMarca(int KeyCode, int Shift);

// Marks every selected row (no handler runs, no link changes); returns the rows whose mark changed.
std::vector<qsizetype> MarcarSel(WorkbenchRows& filas, const std::vector<qsizetype>& seleccionadas);

// Sort state of a list after the operator sorts it by a column (position 1 = first column): sorted, by that
// column's sub-item, order flipped from the previous one (0 ascending, 1 descending).
struct OrdenLista {
    bool Sorted = false;
    int SortKey = 0;
    int SortOrder = 0;
};
OrdenLista ClicColumna(const OrdenLista& actual, int posicionColumna);

} // namespace conciliacion
