#include "CarpetaInformes.h"

#include "platform/suite/Carpetas.h"

namespace tablero {

QString CarpetaInformes()
{
    return suite::CarpetaTemporalDelPrograma();
}

} // namespace tablero
