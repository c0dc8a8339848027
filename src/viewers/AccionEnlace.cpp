#include "AccionEnlace.h"

#include "report/EnlaceHTML.h"

namespace visores {

namespace {

void comprobanteDe(const report::EnlaceLeido& e, const QString& marcaTipo, AccionEnlace& a)
{
    a.tc = e.valor(marcaTipo);
    a.sucursal = e.valor(report::kMarcaSucursal);
    a.numero = e.valor(report::kMarcaNumero);
    a.letra = e.valor(report::kMarcaLetra);
}

} // namespace

AccionEnlace AccionDeEnlace(const QString& URL, Visor ventana)
{
    using Tipo = AccionEnlace::Tipo;
    const report::EnlaceLeido e = report::LeerEnlace(URL);
    AccionEnlace a;
    switch (e.tipo) {
    case report::TipoEnlace::Articulo:
        a.tipo = ventana == Visor::Contable ? Tipo::Nada : Tipo::IniciarArticulo;
        a.articulo = e.valor(report::kMarcaArticulo);
        return a;
    case report::TipoEnlace::Comprobante: {
        comprobanteDe(e, report::kMarcaTC, a);
        const EleccionVisor eleccion = VisorPorTC(a.tc);
        if (eleccion.grupo == GrupoTC::SinVisor || eleccion.grupo == GrupoTC::Otro) {
            a.tipo = Tipo::Nada;
            return a;
        }
        a.tipo = Tipo::AbrirComprobante;
        a.visor = eleccion.visor;
        a.EsVenta = eleccion.EsVenta;
        if (eleccion.conCuenta)
            a.cuenta = e.valor(report::kMarcaCuentaCab);
        return a;
    }
    case report::TipoEnlace::Asiento:
        if (ventana == Visor::Contable)
            return a;
        comprobanteDe(e, report::kMarcaVerAsiento, a);
        a.tipo = Tipo::AbrirAsiento;
        a.visor = Visor::Contable;
        if (ventana == Visor::Detalle)
            a.cuenta = e.valor(report::kMarcaCuentaCab);
        return a;
    default:
        return a;
    }
}

} // namespace visores
