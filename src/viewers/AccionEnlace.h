#pragma once
// What a viewer window does with an address its browser is about to open: the pages' links are requests
// (open another voucher, the voucher's entry, an article), cancelled once served; any other address is
// followed.

#include "VisorPorTC.h"

#include <QString>

namespace visores {

struct AccionEnlace {
    enum class Tipo {
        Navegar,            // not a link of ours: the browser follows it
        Nada,               // a link that opens nothing here; cancelled
        AbrirComprobante,   // a new window of `visor` with the voucher
        AbrirAsiento,       // the accounting voucher's default window with the voucher's entry
        IniciarArticulo,    // the suite's article program, when it is installed
    };
    Tipo tipo = Tipo::Navegar;
    Visor visor = Visor::Ninguno;
    QString tc, sucursal, numero, letra, cuenta;
    bool EsVenta = true;
    QString articulo;

    bool cancela() const { return tipo != Tipo::Navegar; }
};

// `ventana` is the kind of window whose page holds the link. Values are taken from the link unchanged.
// A voucher link carries the party account of a purchase (the pages write it), so the purchase opens.
AccionEnlace AccionDeEnlace(const QString& URL, Visor ventana);

} // namespace visores
