#pragma once
// The three document windows. Each is filled by its Mostrar and shown by its caller.

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

// The default window of each class, created and loaded on first use; nullptr-free.
FrmBSC01CBTECTABLE& frmBSC01CBTECTABLE();
FrmBSC01CBTEDetalle& frmBSC01CBTEDetalle();
FrmBSC01RECIBODetalle& frmBSC01RECIBODetalle();

} // namespace visores
