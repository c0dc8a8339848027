#pragma once
// Table-name rewriting for users who are not administrators: some tables are read through the views
// (or synonyms) whose names begin with "SS_". A table written "@Admin_<table>" is always read itself.
// Only the statement's own words are rewritten: quoted values are left exactly as written.

#include <QString>

namespace sinonimos {

// The rewritten text; with esAdmin only the "@Admin_" markers are removed.
QString Reescribir(const QString& sql, bool esAdmin);
// Removes every "@Admin_" marker.
QString QuitarMarcaAdmin(const QString& sql);

} // namespace sinonimos
