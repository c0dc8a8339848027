#include "AperturaVisores.h"

#include "FrmBSC01CBTECTABLE.h"
#include "FrmBSC01CBTEDetalle.h"
#include "FrmBSC01RECIBODetalle.h"

namespace visores {

namespace {

template <class T>
QWidget* mostrada(T& ventana)
{
    ventana.show();
    ventana.raise();
    return &ventana;
}

} // namespace

QWidget* MostrarComprobante(const QString& iTC, const QString& iSucursal, const QString& iNumero,
                            const QString& iLetra, const QString& cuentaCompra)
{
    const EleccionVisor e = VisorPorTC(iTC);
    switch (e.visor) {
    case Visor::Ninguno:
        return nullptr;
    case Visor::Detalle: {
        FrmBSC01CBTEDetalle& v = frmBSC01CBTEDetalle();
        v.Mostrar(iTC, iSucursal, iNumero, iLetra, e.EsVenta, e.conCuenta ? cuentaCompra : QString());
        return mostrada(v);
    }
    case Visor::Recibo: {
        FrmBSC01RECIBODetalle& v = frmBSC01RECIBODetalle();
        v.Mostrar(iTC, iSucursal, iNumero, iLetra, e.EsVenta);
        return mostrada(v);
    }
    case Visor::Contable:
        break;
    }
    FrmBSC01CBTECTABLE& v = frmBSC01CBTECTABLE();
    v.Mostrar(iTC, iSucursal, iNumero, iLetra, QString());
    return mostrada(v);
}

QWidget* AbrirVisorNuevo(Visor visor, const Documento& d)
{
    switch (visor) {
    case Visor::Detalle: {
        auto* v = new FrmBSC01CBTEDetalle();
        v->Form_Load();
        v->Mostrar(d.iTC, d.iSucursal, d.iNumero, d.iLetra, d.EsVenta, d.iCuenta);
        return mostrada(*v);
    }
    case Visor::Recibo: {
        auto* v = new FrmBSC01RECIBODetalle();
        v->Form_Load();
        v->Mostrar(d.iTC, d.iSucursal, d.iNumero, d.iLetra, d.EsVenta);
        return mostrada(*v);
    }
    case Visor::Contable: {
        auto* v = new FrmBSC01CBTECTABLE();
        v->Form_Load();
        v->Mostrar(d.iTC, d.iSucursal, d.iNumero, d.iLetra, d.iCuenta);
        return mostrada(*v);
    }
    case Visor::Ninguno:
        break;
    }
    return nullptr;
}

QWidget* MostrarAsiento(const Documento& d)
{
    FrmBSC01CBTECTABLE& v = frmBSC01CBTECTABLE();
    v.Mostrar(d.iTC, d.iSucursal, d.iNumero, d.iLetra, d.iCuenta);
    return mostrada(v);
}

} // namespace visores
