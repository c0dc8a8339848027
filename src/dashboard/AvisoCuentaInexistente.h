#pragma once
// The notice for a report link to an account the chart of accounts does not hold, shown by the dashboard and
// its popup alike.

#include <QString>

namespace tablero {

void AvisarCuentaInexistente(const QString& codigo);

} // namespace tablero
