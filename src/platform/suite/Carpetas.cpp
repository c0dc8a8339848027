#include "Carpetas.h"

#include "Estacion.h"
#include "Utilidades.h"
#include "platform/suite/base/CarpetaTemporalPrivada.h"

#include <QDir>
#include <QStandardPaths>

namespace suite {

namespace {

QString creada(const QString& carpeta)
{
    QDir().mkpath(carpeta);
    return Utilidades::NormalizarCarpeta(QDir::cleanPath(carpeta));
}

} // namespace

QString CarpetaDelPrograma()
{
    const QString home = qEnvironmentVariable("CONCCUENTAS_HOME").trimmed();
    return creada(home.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) : home);
}

QString CarpetaTemporalDelPrograma()
{
    // TEMP names a temporary folder like TMPDIR does, under the same rule: the pages go into this user's own
    // folder inside it, never into a folder others share.
    const QString temp = qEnvironmentVariable("TEMP").trimmed();
    return temp.isEmpty() ? Estacion::CarpetaTemporal() : CarpetaTemporalPrivada(temp, QStringLiteral("TEMP"));
}

CarpetaDeVentana NuevaCarpetaDeVentana()
{
    return CarpetaDeVentana(CarpetaTemporalDelPrograma());
}

QString RutaEnCarpetaDelPrograma(const QString& archivo)
{
    if (QDir::isAbsolutePath(archivo))
        return archivo;
    return CarpetaDelPrograma() + archivo;
}

} // namespace suite
