#pragma once
// AgruparConciliados over the session's sides, reading and writing only what a regroup changes: the linked left
// rows, the right rows their lists name and the rows whose icon or group is no longer what the rule gives
// them. The rest is found from each slot's byte of state and icon, and the new order is a stable counting sort
// of list positions by icon. The outcome is the one AgruparConciliados gives on the rows in list order.

#include "WorkbenchSideRows.h"

#include <array>

namespace conciliacion {

struct CambiosDeGrupo {
    // Per side (left, right): list positions, before the new order, of the rows whose icon changed, ascending.
    std::array<std::vector<qsizetype>, 2> iconos;
    // Per side: the new order (origen[i] is the position before of the row now at i).
    std::array<std::vector<qsizetype>, 2> origen;
};

CambiosDeGrupo Reagrupar(FilasLado& izquierda, FilasLado& derecha);

} // namespace conciliacion
