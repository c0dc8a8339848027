#pragma once
// The account reconciliation report "Brenquil": the company name as its title, the reconciliation's header
// and its left lines that the selection formula keeps, with their total, read through the store. The
// selection must name the reconciliation with an IDCONCILIACION condition; its conditions may name
// MV_CONCILIACION (they restrict the lines) and MV_CONCILIACION_CAB (they restrict the header).

#include "reconciliation/engine/StoreReport.h"

#include "platform/suite/Reporte.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <functional>

namespace conciliacion {

class ReconciliationStore;

inline constexpr char kReporteConciliacion[] = "Brenquil";
// The named formula that carries the company name.
inline constexpr char kFormulaEmpresa[] = "NombreEmpresa";

// Registers the report with the suite's report printer; registering it again changes nothing.
void RegistrarReporteConciliacion();

// Reads the report's data, `avance` told of each block of lines read. Throws suite::ErrorReporte when the
// selection names no reconciliation, names a table or column the report does not have, the reconciliation has
// no header or `avance` stopped it; ado::Error from the database.
DatosReporte LeerConciliacion(ReconciliationStore& store, const QList<suite::CondicionSeleccion>& seleccion,
                              const AvanceLectura& avance = {});

// How many partners a line's "Conciliado con" cell names: a line linked each to each with thousands of others
// would otherwise carry its whole list, and a page of such rows never finishes laying out.
inline constexpr int kSociosEnReporte = 10;
// The link list as the report shows it: the first kSociosEnReporte partners, apart, then how many more there are.
QString ConciliadoConAcotado(const QString& conciliadoCon);

// Told the rows written so far and the total; true stops the report (ErrorReporte "Reporte cancelado.").
using AvanceReporte = std::function<bool(qsizetype hechas, qsizetype total)>;

// The report as rich text: `empresa` is its title; `impreso` is shown under the title when the options ask
// for the print date. Its lines are the document's long table, one row each, then the total's row.
suite::ContenidoReporte ContenidoConciliacion(const DatosReporte& datos, const QString& empresa,
                                              const suite::OpcionesDocumento& opciones, const QDateTime& impreso = {},
                                              const AvanceReporte& avance = {});
// The same as one text.
QString HtmlConciliacion(const DatosReporte& datos, const QString& empresa, const suite::OpcionesDocumento& opciones,
                         const QDateTime& impreso = {}, const AvanceReporte& avance = {});

// The report's document for a request of the printer, read on the request's connection; the request's progress
// hears the reading ("Leyendo los movimientos") and the writing ("Armando el reporte").
suite::ContenidoReporte DocumentoConciliacion(const suite::PedidoReporte& pedido);

// An amount as the lists show it: two decimals (halves away from zero) with the locale's separators.
QString ImporteReporte(const ado::Currency& importe);

} // namespace conciliacion
