#pragma once
// AgruparConciliados over the session's sides, reading and writing only what a regroup changes: the linked left
// rows, the right rows their lists name and the rows whose icon or group is no longer what the rule gives
// them. The rest is found from each slot's byte of state and icon. The new order is a stable sort of list
// positions by icon: when the rows stood sorted by icon (as a regroup leaves them), only the rows whose icon
// changed move, into their icon's place, and the order is told in runs; otherwise a counting sort of every
// position. The outcome is the one AgruparConciliados gives on the rows in list order.

#include "FilasLado.h"

#include <array>

namespace conciliacion {

struct CambiosDeGrupo {
    // Per side (left, right): list positions, before the new order, of the rows whose icon changed, ascending.
    std::array<std::vector<qsizetype>, 2> iconos;
    // Per side: the new order.
    std::array<Tramos, 2> orden;
};

CambiosDeGrupo Reagrupar(FilasLado& izquierda, FilasLado& derecha);

} // namespace conciliacion
