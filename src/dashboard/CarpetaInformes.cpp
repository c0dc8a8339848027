#include "CarpetaInformes.h"

#include "platform/suite/Carpetas.h"

namespace tablero {

suite::CarpetaDeVentana CarpetaInformes()
{
    return suite::NuevaCarpetaDeVentana();
}

} // namespace tablero
