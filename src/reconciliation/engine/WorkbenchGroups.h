#pragma once
// AgruparConciliados: row icons and link groups. Marked rows get icon 1 and unmarked ones 106; each left row
// that opens a group hands the next group icon to the later left rows with the same link list and to the
// right rows its list names (as whole elements). Group icons run 2, 3, ..., 105, 106, 1, 2, ... when some
// left row is marked (1, 2, ... when none is), one number skipped for every left row already in a group.
// Both lists end sorted by their icon as text (1, 10, 100, ..., 106, 11, ..., 2, ...), stable within a group.

#include "WorkbenchRow.h"

#include <functional>

namespace conciliacion {

// Sets SmallIcon, Grupo and Orden of every row and reorders both vectors as the lists show them.
void AgruparConciliados(WorkbenchRows& izquierda, WorkbenchRows& derecha);
// The first half: SmallIcon, Grupo and Orden of every row, the order left alone.
void AsignarGrupos(WorkbenchRows& izquierda, WorkbenchRows& derecha);
// The second half: the positions of the rows in the order the list shows them once sorted by their icon as
// text (stable within an icon).
std::vector<qsizetype> OrdenPorIcono(const WorkbenchRows& filas);

// The row text a group icon gives: 100 blanks followed by the icon number.
QString TextoOrden(int icono);
// Where an icon's row text sorts among those of icons 0..106 (0 first); -1 for any other icon.
int RangoIcono(int icono);

// The numbering rule itself, over the linked left rows in list order (their link lists): the icon and group
// each row takes; and, for every element of a group head's list that is written as an ID, `nombrar` with that
// ID and the head's icon and group, in the rule's order (a later call for the same ID wins).
struct IconoGrupo {
    int icono = kIconoSinMarcar;
    qint64 grupo = 0;
};
std::vector<IconoGrupo> NumerarGrupos(const std::vector<const QString*>& vinculos, bool hayMarcadas,
                                      const std::function<void(qint64 id, IconoGrupo)>& nombrar);

} // namespace conciliacion
