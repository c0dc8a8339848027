#pragma once
// A report request as the report writer takes it, built from a snapshot of the dashboard's filters. Three
// places ask for a report: a click in the account tree, "Actualizar" (which repeats the last report with
// the voucher filters of the moment) and a confirmed account in the account box; the report links ask the
// same way. Texts go on exactly as they stand in the boxes.

#include "report/ClassHTML.h"

#include <QString>
#include <QStringList>

namespace tablero {

// The four report kinds, in the order of the options.
QString TituloTipoListado(int opcion);   // "" outside 0..3

// What the window shows at the moment a request is made.
struct EstadoFiltros {
    int opcionTipoListado = 0;   // the selected option 0..3; -1 when none is
    bool resumido = false;       // "Resumido"
    int valorRama = 1;           // value of the "Normal / Abierto" check button
    QString fechaDesde;
    QString fechaHasta;
    QString tc, sucursal, numero, letra, impDesde, impHasta;
    QStringList unidades;        // codes of the selected business units (empty: none restricts)
    QStringList centros;         // codes of the selected cost centres
    QString archivo;             // the report file
};

// The arguments of one report, as the report writer takes them.
using PedidoInforme = report::ParametrosListado;

// 0, 1 or 2 for the selected option, 3 for the last option and when none is selected.
int TipoListadoDe(int opcion);
// 4 levels when summarised, else 6.
int NivelesDe(bool resumido);

// An account's report without voucher filters (tree click, account box, account link, start-up).
PedidoInforme PedidoDeCuenta(const EstadoFiltros& estado, const QString& cuenta, const QString& titulo, bool esHoja);
// The whole chart: account "", title "Plan General de Cuentas", not a leaf.
PedidoInforme PedidoPlanGeneral(const EstadoFiltros& estado);
// "Actualizar": the last report's account, title and leaf flag, with the voucher filters of the boxes.
PedidoInforme PedidoActualizar(const EstadoFiltros& estado, const QString& cuenta, const QString& titulo,
                               bool esHoja);

// A row of the chart as a report title: code " - " description.
QString TituloDeCuenta(const QString& codigo, const QString& descripcion);

} // namespace tablero
