#pragma once
// Pieces the workbench's figures share: the connection text of a database file and the header of the
// benchmark reconciliation.

#include "reconciliation/engine/StoreTypes.h"

#include <QString>

namespace comun {

// The connection text that opens the database file on the embedded engine.
QString TextoConexion(const QString& archivo);
// Reconciliation 1 of the benchmark account over the demo months.
conciliacion::Cabecera Cabecera();

} // namespace comun
