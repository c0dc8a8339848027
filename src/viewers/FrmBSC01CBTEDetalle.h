#pragma once
// The sales and purchase voucher window, filled by Mostrar and shown by its caller.

#include "VisorDocumento.h"

namespace visores {

// A sales voucher (EsVenta) or a purchase voucher, found with its party account.
class FrmBSC01CBTEDetalle final : public VisorDocumento {
    Q_OBJECT
public:
    FrmBSC01CBTEDetalle();
    ~FrmBSC01CBTEDetalle() override;
    void Mostrar(const QString& iTC, const QString& iSucursal, const QString& iNumero, const QString& iLetra,
                 bool EsVenta, const QString& iCuenta = {});

protected:
    ResultadoPagina Generar(const QString& ruta, const Documento& d) override;
    void OlvidarInstancia() override;
};

// The class's default window, created and loaded on first use; never null.
FrmBSC01CBTEDetalle& frmBSC01CBTEDetalle();

} // namespace visores
