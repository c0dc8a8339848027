#include "Globals.h"

#include "platform/suite/Estacion.h"
#include "platform/suite/Progreso.h"
#include "platform/suite/Reporte.h"

#include <memory>

namespace ModGlobal {

QString gUsuarioLogeado;
QString gSeccionIni;
QString gCadenaDsn;
QString gCaja;
QString gMenu;
QString gParametroAdicional;
double gFlatToolbars = 0;
qint32 gColorFondo = 0;
qint32 gColorLetra = 0;
qint64 gIdAcceso = 0;

suite::Utilidades gUtil;
suite::ArchivoIni gIni;
suite::Controles gControles;

namespace {
std::unique_ptr<suite::Estacion> g_form;
std::unique_ptr<suite::Reporte> g_reporte;
// A window: never destroyed by static teardown, which runs after the application object is gone.
suite::Progreso* g_progreso = nullptr;
} // namespace

suite::Estacion& gForm()
{
    if (!g_form)
        g_form = std::make_unique<suite::Estacion>();
    return *g_form;
}

suite::Progreso& gProgreso()
{
    if (!g_progreso)
        g_progreso = new suite::Progreso;
    return *g_progreso;
}

suite::Reporte& gReporte()
{
    if (!g_reporte)
        g_reporte = std::make_unique<suite::Reporte>();
    return *g_reporte;
}

void LiberarObjetosCompartidos()
{
    delete g_progreso;
    g_progreso = nullptr;
    g_form.reset();
    g_reporte.reset();
}

} // namespace ModGlobal
