#pragma once
// Opening vouchers in the viewers: through each class's default window (the workbench, the dashboard, the
// entry link of a page) or in a new window (a voucher link inside a page). Every window is shown modeless
// without an owner once Mostrar has filled it.

#include "MarcoDocumento.h"
#include "VisorPorTC.h"

class QWidget;

namespace visores {

// The voucher in the default window VisorPorTC picks for its type: a purchase gets `cuentaCompra`, the
// other kinds no account; "VJ" opens nothing (nullptr).
QWidget* MostrarComprobante(const QString& iTC, const QString& iSucursal, const QString& iNumero,
                            const QString& iLetra, const QString& cuentaCompra);

// A new window of the viewer with the voucher (EsVenta and iCuenta as given).
QWidget* AbrirVisorNuevo(Visor visor, const Documento& d);

// The voucher's entry in the accounting viewer's default window.
QWidget* MostrarAsiento(const Documento& d);

} // namespace visores
