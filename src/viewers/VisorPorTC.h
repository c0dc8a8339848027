#pragma once
// Which document window shows a voucher, by its type code (letter case ignored, the code as given).

#include <QString>

namespace visores {

enum class Visor {
    Ninguno,    // "VJ": no document
    Contable,   // FrmBSC01CBTECTABLE: the accounting voucher and its entry
    Detalle,    // FrmBSC01CBTEDetalle: a sales or purchase voucher
    Recibo,     // FrmBSC01RECIBODetalle: a receipt or payment
};

enum class GrupoTC { Ventas, Compras, RecibosYPagos, SinVisor, Otro };

struct EleccionVisor {
    GrupoTC grupo = GrupoTC::Otro;
    Visor visor = Visor::Contable;
    bool EsVenta = true;        // the sales side (false only for purchases)
    bool conCuenta = false;     // the party account goes with it (purchases)
};

EleccionVisor VisorPorTC(const QString& tc);

} // namespace visores
