#include "EntornoPrograma.h"

#include "core/Configuration.h"
#include "core/Globals.h"
#include "reconciliation/engine/WorkbenchTotals.h"
#include "platform/suite/Estacion.h"

namespace conciliacion {

EntornoTrabajo EntornoPrograma()
{
    EntornoTrabajo entorno;
    entorno.estacion = suite::Estacion::NombreEstacion();
    entorno.usuario = [] { return ModGlobal::gUsuarioLogeado; };
    entorno.leerConfiguracion = [](const QString& clave) { return ModGlobal::Cfg(clave); };
    entorno.grabarConfiguracion = [](const QString& clave, const QString& valor, const QString& grupo) {
        return ModGlobal::GrabaDfg(clave, ado::Variant(valor), QString(), 0, grupo);
    };
    return entorno;
}

int DecimalesPrograma()
{
    return DecimalesEtiquetas(ModGlobal::gCantidadDecimales);
}

} // namespace conciliacion
