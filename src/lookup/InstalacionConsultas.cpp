#include "InstalacionConsultas.h"

#include "Lib_ClsCons3.h"
#include "MascaraConsulta.h"

#include "core/LookupHook.h"

#include <QFileInfo>

namespace lookup {

void InstallHook()
{
    core::LookupHook& hook = core::lookupHook();
    hook.configure = [](const QString& connectionString, const QString& maskFile) {
        Lib_ClsCons3& consultas = gConsultas();
        consultas.gConnString = connectionString;
        consultas.gUsarMascarasConsultas = true;
        consultas.gRutaMascaraConsultas = maskFile;
    };
    hook.ensureMaskFile = [](const QString& maskFile, QString* error) {
        return QFileInfo::exists(maskFile) || CrearMascaraConsultas(maskFile, error);
    };
}

} // namespace lookup

namespace ModGlobal {

bool CrearMascaraConsultas(QString* error)
{
    return lookup::CrearMascaraConsultas(gConsultas().gRutaMascaraConsultas, error);
}

} // namespace ModGlobal
