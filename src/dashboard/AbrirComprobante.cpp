#include "AbrirComprobante.h"

#include "platform/ui/Routine.h"
#include "viewers/AperturaVisores.h"

namespace tablero {

namespace {

std::function<void(const ComprobanteEnlace&)>& abridor()
{
    static std::function<void(const ComprobanteEnlace&)> f;
    return f;
}

} // namespace

void InstalarAbridorComprobantes(std::function<void(const ComprobanteEnlace&)> f)
{
    abridor() = std::move(f);
}

void AbrirComprobante(const ComprobanteEnlace& comprobante)
{
    if (abridor()) {
        abridor()(comprobante);
        return;
    }
    // The viewer reports its own page's failures; anything else is shown here rather than lost.
    ui::Routine r(QStringLiteral("wbExplorer_BeforeNavigate2"));
    r.step([&] {
        visores::MostrarComprobante(comprobante.tc, comprobante.sucursal, comprobante.numero, comprobante.letra,
                                    comprobante.cuenta);
    });
}

} // namespace tablero
