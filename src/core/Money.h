#pragma once
// Money formatting of totals and balances with the program's configured decimals (base/FormatoMoneda.h
// holds the rules).

#include "core/base/FormatoMoneda.h"

#include <QString>

namespace ModGlobal {

// Decimales: -3 returns Numero unchanged; -1 takes gCantidadDecimales; 0 takes the station's number of
// decimals; -2 means none; any other negative number raises ado::Error 5 (invalid procedure call).
// With no decimals the trailing separator is cut. A text that is not an amount formats as 0.
QString FmtMoneda(const QString& Numero, int Decimales);
// The same for an amount already held as a value (no reading back from text).
QString FmtMoneda(const ado::Currency& Numero, int Decimales);

} // namespace ModGlobal
