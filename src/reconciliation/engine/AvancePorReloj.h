#pragma once
// The progress of a long write told at a steady pace of the writer's clock rather than every so many rows. One
// row may take a microsecond (a link row) or milliseconds (a line whose link list names a hundred thousand
// partners), and either way the operator must see the write go on, and be able to stop it, within a fraction
// of a second. The work is counted in bytes written, so that the share told follows the room the write takes.

#include "EntornoEscritura.h"
#include "StoreTypes.h"

#include "platform/suite/base/PresupuestoTiempo.h"

namespace conciliacion {

class AvancePorReloj {
public:
    // How often the progress is told, on the writer's clock.
    static constexpr qint64 kIntervaloMs = 100;

    // `total` units to do; an empty `avance` tells nothing and never cancels.
    AvancePorReloj(AvanceEscritura avance, qint64 total, const EntornoEscritura& entorno = EntornoEscrituraActual());

    // `hecho` more units done: told at the first call and then whenever the interval has passed since the last
    // time. False once the operator asked to cancel.
    bool Sumar(qint64 hecho);
    // Everything done: told once more, so the operator sees the end and may still cancel before it is confirmed.
    bool Terminar();

private:
    bool contar();

    AvanceEscritura m_avance;
    qint64 m_total;
    qint64 m_hecho = 0;
    suite::PresupuestoTiempo m_presupuesto;   // on the writer's clock
};

} // namespace conciliacion
