// Opening a voucher of a report link in its document viewer.

#include "ComprobanteDeEnlace.h"

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
}

} // namespace tablero
