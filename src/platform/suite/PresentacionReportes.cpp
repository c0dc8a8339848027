#include "PresentacionReportes.h"

#include "VistaPreviaReportes.h"

namespace suite {

namespace {
PresentacionReportes* g_instalada = nullptr;
}

PresentacionReportes& presentacionReportes()
{
    static VistaPreviaReportes enPantalla;
    return g_instalada ? *g_instalada : enPantalla;
}

void instalarPresentacionReportes(PresentacionReportes* presentacion)
{
    g_instalada = presentacion;
}

} // namespace suite
