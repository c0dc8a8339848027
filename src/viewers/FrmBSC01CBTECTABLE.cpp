#include "FrmBSC01CBTECTABLE.h"

#include "PaginaAsiento.h"
#include "PaginaComprobante.h"
#include "PaginaRecibo.h"

#include <QPointer>

namespace visores {

namespace {

QPointer<FrmBSC01CBTECTABLE> gContable;
QPointer<FrmBSC01CBTEDetalle> gDetalle;
QPointer<FrmBSC01RECIBODetalle> gRecibo;

template <class T>
T& instancia(QPointer<T>& puntero)
{
    if (!puntero) {
        puntero = new T();
        puntero->Form_Load();
    }
    return *puntero;
}

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

FrmBSC01CBTECTABLE& frmBSC01CBTECTABLE()
{
    return instancia(gContable);
}

FrmBSC01CBTEDetalle& frmBSC01CBTEDetalle()
{
    return instancia(gDetalle);
}

FrmBSC01RECIBODetalle& frmBSC01RECIBODetalle()
{
    return instancia(gRecibo);
}

} // namespace visores
