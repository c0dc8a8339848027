#include "ComprobanteEnlace.h"

namespace tablero {

ComprobanteEnlace ComprobanteDeEnlace(const report::EnlaceLeido& enlace, OrigenEnlace origen)
{
    ComprobanteEnlace c;
    c.tc = enlace.valor(report::kMarcaTC);
    c.sucursal = enlace.valor(report::kMarcaSucursal);
    c.numero = enlace.valor(report::kMarcaNumero);
    c.letra = enlace.valor(report::kMarcaLetra).left(1);
    const QString fila = enlace.valor(report::kMarcaCuentaFiltro);
    if (origen == OrigenEnlace::PopUp && enlace.tiene(report::kMarcaCuentaCab))
        c.cuenta = enlace.valor(report::kMarcaCuentaCab);
    else
        c.cuenta = fila;
    return c;
}

} // namespace tablero
