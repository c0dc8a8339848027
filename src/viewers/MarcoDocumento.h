#pragma once
// The frame every document page shares: the head, the company band, the title block, the history of
// actions and the business-unit band.

#include "EscritorDocumento.h"

#include <QString>
#include <functional>

namespace visores {

// The voucher a page shows, as its caller gave it (Mostrar's arguments).
struct Documento {
    QString iTC;
    QString iSucursal;
    QString iNumero;
    QString iLetra;
    bool EsVenta = true;
    QString iCuenta;   // "" when the caller has none

    QString idComprobante() const { return iSucursal + iNumero + iLetra; }
};

// The type code brought to width 4, and the other key parts at their widths (4, 8, 4), as SQL literals.
QString TcSql(const Documento& d);
QString SucursalSql(const Documento& d);
QString NumeroSql(const Documento& d);
QString LetraSql(const Documento& d);

// The condition on a sales voucher's complement number: "=<n>" for a number, " IS NULL" for none, so a
// voucher without one still finds its rows.
QString CondicionComplemento(const ado::Variant& complemento);

// The page head with the window's title.
void EscribirCabecera(EscritorDocumento& e, const QString& titulo);
// Company name (configuration "NOMBRE") and the date.
void EscribirBandaEmpresa(EscritorDocumento& e);
// The document's name from TA_COMPROBANTES. `siempreAbierto`: the receipt page keeps the title table open
// also when the type is unknown.
void EscribirTitulo(EscritorDocumento& e, const Documento& d, bool siempreAbierto);
// The history section from a query on V_MV_CPTEACCIONES; nothing when it returns no row.
void EscribirHistorial(EscritorDocumento& e, const QString& sql);
// "Unidad de negocio:" with the header row's unit and its description.
void EscribirBandaUnidad(EscritorDocumento& e, ado::Recordset& cabecera);

// The road of the sales/purchase and receipt pages: head, company band and title block; the header query,
// and when it finds the voucher, the body and the business unit; then the closing line, the link to the
// voucher's entry and the page end (also without a header row).
struct PaginaConCabecera {
    QString titulo;                  // of the page head
    bool tituloSiempreAbierto = false;
    QString consultaCabecera;
    std::function<void(EscritorDocumento&, ado::Recordset&)> cuerpo;
    QString cierre;                  // the line before the entry link
    QString enlaceAsiento;
};
ResultadoPagina EscribirPaginaConCabecera(EscritorDocumento& e, const Documento& d, const PaginaConCabecera& p);

} // namespace visores
