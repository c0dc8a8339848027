// The receipt and payment window: its page is the receipt's (PaginaRecibo).

#include "FrmBSC01RECIBODetalle.h"

#include "PaginaRecibo.h"

namespace visores {

namespace {

QPointer<FrmBSC01RECIBODetalle> gRecibo;

} // namespace

FrmBSC01RECIBODetalle::FrmBSC01RECIBODetalle()
    : VisorDocumento(Visor::Recibo, QStringLiteral("Detalle del Recibo"), QStringLiteral("BSC01RECIBOdetalles.htm"),
                     QStringLiteral("Detalle de "))
{
}

FrmBSC01RECIBODetalle::~FrmBSC01RECIBODetalle() = default;

void FrmBSC01RECIBODetalle::Mostrar(const QString& iTC, const QString& iSucursal, const QString& iNumero,
                                    const QString& iLetra, bool EsVenta)
{
    MostrarDocumento({iTC, iSucursal, iNumero, iLetra, EsVenta, QString()});
}

ResultadoPagina FrmBSC01RECIBODetalle::Generar(const QString& ruta, const Documento& d)
{
    return GenerarPaginaRecibo(ruta, d);
}

void FrmBSC01RECIBODetalle::OlvidarInstancia()
{
    gRecibo = nullptr;
}

FrmBSC01RECIBODetalle& frmBSC01RECIBODetalle()
{
    return VentanaPorDefecto(gRecibo);
}

} // namespace visores
