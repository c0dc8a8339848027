#pragma once
// The account reconciliation report "Brenquil": the company name as its title, the reconciliation's header
// (MV_CONCILIACION_CAB) and the left lines (MV_CONCILIACION) that the selection formula keeps, with their
// total. The selection must name the reconciliation with an IDCONCILIACION condition; its conditions may
// name MV_CONCILIACION (they restrict the lines) and MV_CONCILIACION_CAB (they restrict the header).

#include "Reporte.h"

#include "platform/ado/Currency.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

namespace ado {
class Connection;
}

namespace suite {

inline constexpr char kReporteConciliacion[] = "Brenquil";
// The named formula that carries the company name.
inline constexpr char kFormulaEmpresa[] = "NombreEmpresa";

struct EncabezadoConciliacion {
    QString numero;
    QString fecha;
    QString cuenta;
    QString descripcionCuenta;
    QString observaciones;
    QString desde;
    QString hasta;
    QString unidadNegocio;
    QString usuario;
    bool finalizada = false;
};

struct LineaConciliacion {
    QString fecha;
    QString vencimiento;
    QString tc;
    QString comprobante;
    QString concepto;
    ado::Currency importe;
    QString conciliadoCon;
};

struct DatosConciliacion {
    QString empresa;
    EncabezadoConciliacion encabezado;
    QList<LineaConciliacion> lineas;
    ado::Currency total() const;
};

// Reads the report's data. Throws ErrorReporte when the selection names no reconciliation, names a table
// or column the report does not have, or the reconciliation has no header; ado::Error from the database.
DatosConciliacion LeerConciliacion(ado::Connection& conexion, const QList<CondicionSeleccion>& seleccion,
                                   const QHash<QString, QString>& formulas);

// The report as rich text; `impreso` is shown under the title when the options ask for the print date.
QString HtmlConciliacion(const DatosConciliacion& datos, const OpcionesDocumento& opciones,
                         const QDateTime& impreso = {});

// An amount as the lists show it: two decimals (halves away from zero) with the locale's separators.
QString ImporteReporte(const ado::Currency& importe);

} // namespace suite
