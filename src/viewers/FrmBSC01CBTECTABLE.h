#pragma once
// The accounting voucher window: a voucher of the journal and its entry, filled by Mostrar and shown by its
// caller.

#include "VisorDocumento.h"

namespace visores {

// An accounting voucher and its journal entry (with an account: the entry holding its first line).
class FrmBSC01CBTECTABLE final : public VisorDocumento {
    Q_OBJECT
public:
    FrmBSC01CBTECTABLE();
    ~FrmBSC01CBTECTABLE() override;
    void Mostrar(const QString& iTC, const QString& iSucursal, const QString& iNumero, const QString& iLetra,
                 const QString& iCuenta = {});

protected:
    ResultadoPagina Generar(const QString& ruta, const Documento& d) override;
    void OlvidarInstancia() override;
};

// The class's default window, created and loaded on first use; never null.
FrmBSC01CBTECTABLE& frmBSC01CBTECTABLE();

} // namespace visores
