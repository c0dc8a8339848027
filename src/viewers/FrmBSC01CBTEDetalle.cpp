// The sales and purchase voucher window: its page is the voucher's (PaginaComprobante).

#include "FrmBSC01CBTEDetalle.h"

#include "PaginaComprobante.h"

namespace visores {

namespace {

QPointer<FrmBSC01CBTEDetalle> gDetalle;

} // namespace

FrmBSC01CBTEDetalle::FrmBSC01CBTEDetalle()
    : VisorDocumento(Visor::Detalle, QStringLiteral("Detalle del Comprobante"), QStringLiteral("BSC01CBTEdetalles.htm"),
                     QStringLiteral("Detalle del Comprobante "))
{
}

FrmBSC01CBTEDetalle::~FrmBSC01CBTEDetalle() = default;

void FrmBSC01CBTEDetalle::Mostrar(const QString& iTC, const QString& iSucursal, const QString& iNumero,
                                  const QString& iLetra, bool EsVenta, const QString& iCuenta)
{
    MostrarDocumento({iTC, iSucursal, iNumero, iLetra, EsVenta, iCuenta});
}

ResultadoPagina FrmBSC01CBTEDetalle::Generar(const QString& ruta, const Documento& d)
{
    return GenerarPaginaComprobante(ruta, d);
}

void FrmBSC01CBTEDetalle::OlvidarInstancia()
{
    gDetalle = nullptr;
}

FrmBSC01CBTEDetalle& frmBSC01CBTEDetalle()
{
    return VentanaPorDefecto(gDetalle);
}

} // namespace visores
