#pragma once
// The receipt and payment window, filled by Mostrar and shown by its caller.

#include "VisorDocumento.h"

namespace visores {

// A receipt or a payment.
class FrmBSC01RECIBODetalle final : public VisorDocumento {
    Q_OBJECT
public:
    FrmBSC01RECIBODetalle();
    ~FrmBSC01RECIBODetalle() override;
    void Mostrar(const QString& iTC, const QString& iSucursal, const QString& iNumero, const QString& iLetra,
                 bool EsVenta);

protected:
    ResultadoPagina Generar(const QString& ruta, const Documento& d) override;
    void OlvidarInstancia() override;
};

// The class's default window, created and loaded on first use; never null.
FrmBSC01RECIBODetalle& frmBSC01RECIBODetalle();

} // namespace visores
