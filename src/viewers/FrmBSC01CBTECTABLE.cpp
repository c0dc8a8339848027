// The accounting voucher window: its page is the journal entry's (PaginaAsiento).

#include "FrmBSC01CBTECTABLE.h"

#include "PaginaAsiento.h"

namespace visores {

namespace {

QPointer<FrmBSC01CBTECTABLE> gContable;

} // namespace

FrmBSC01CBTECTABLE::FrmBSC01CBTECTABLE()
    : VisorDocumento(Visor::Contable, QStringLiteral("Detalle del Comprobante Contable"),
                     QStringLiteral("BSC01CBTEctable.htm"), QStringLiteral("Detalle del Comprobante Contable "))
{
}

FrmBSC01CBTECTABLE::~FrmBSC01CBTECTABLE() = default;

void FrmBSC01CBTECTABLE::Mostrar(const QString& iTC, const QString& iSucursal, const QString& iNumero,
                                 const QString& iLetra, const QString& iCuenta)
{
    MostrarDocumento({iTC, iSucursal, iNumero, iLetra, true, iCuenta});
}

ResultadoPagina FrmBSC01CBTECTABLE::Generar(const QString& ruta, const Documento& d)
{
    return GenerarPaginaAsiento(ruta, d);
}

void FrmBSC01CBTECTABLE::OlvidarInstancia()
{
    gContable = nullptr;
}

FrmBSC01CBTECTABLE& frmBSC01CBTECTABLE()
{
    return VentanaPorDefecto(gContable);
}

} // namespace visores
