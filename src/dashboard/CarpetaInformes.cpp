#include "CarpetaInformes.h"

#include "platform/suite/Estacion.h"
#include "platform/suite/Utilidades.h"

#include <QtGlobal>

namespace tablero {

QString CarpetaInformes()
{
    QString carpeta = qEnvironmentVariable("TEMP");
    if (carpeta.trimmed().isEmpty())
        carpeta = suite::Estacion::CarpetaTemporal();
    return suite::Utilidades::NormalizarCarpeta(carpeta);
}

} // namespace tablero
