#pragma once
// One account of the chart as a report asks for it: its title (code " - " description) and whether it is a
// leaf (column Titulo 0; a Null is not a leaf). The code is quoted into the query.

#include <QString>
#include <optional>

namespace ado { class Recordset; }

namespace tablero {

struct CuentaDelPlan {
    QString titulo;
    bool esHoja = false;
};

// The query as the account box runs it, and as the report links run it.
inline constexpr char kSeleccionCampo[] = "select descripcion, titulo from MA_CUENTAS where codigo=";
inline constexpr char kSeleccionEnlace[] = "select  descripcion, titulo from MA_CUENTAS where codigo=";

// Opens the query into rs (forward-only, read-only); nothing when no row (or when the query failed, which
// the data-access object has shown).
std::optional<CuentaDelPlan> LeerCuentaDelPlan(const char* seleccion, const QString& codigo, ado::Recordset& rs);

} // namespace tablero
