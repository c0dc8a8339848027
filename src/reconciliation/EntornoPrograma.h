#pragma once
// The engine's surroundings as the program has them: this station, the logged user and the configuration
// table read and written through the program's own routines, and the money decimals of its setting.

#include "reconciliation/engine/EntornoTrabajo.h"

namespace conciliacion {

EntornoTrabajo EntornoPrograma();
// The decimals the money labels show for the program's current setting of decimals.
int DecimalesPrograma();

} // namespace conciliacion
