#pragma once
// The account lookup by code: the chart of accounts MA_CUENTAS by its code, or by the optional code the
// operator may type instead.

#include <QString>

namespace ado { class Recordset; }

namespace ModGlobal {

// Looks the account up by Codigo (by CodigoOpcional when PorCodigoOpcional), then by the other column. When
// found, Codigo becomes the account's code, and PorCodigoOpcional True when it was found by the optional code
// on the second try. Rs (when given) is left open on the row found, or empty. SoloLectura opens forward-only
// and read-only, else dynamic and optimistic. A failed query (already shown by the data-access object) raises
// ado::Error to the caller.
bool BuscarCuenta(QString& Codigo, ado::Recordset* Rs, bool SoloLectura, bool& PorCodigoOpcional);

} // namespace ModGlobal
