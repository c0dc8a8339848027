#pragma once
// Money formatting of totals and balances: "############0." followed by one "0" per decimal, with the
// locale's decimal separator and no thousands separator, rounded half to even.

#include "platform/ado/Currency.h"

#include <QString>
#include <optional>

namespace ModGlobal {

// Decimales: -3 returns Numero unchanged; -1 takes gCantidadDecimales; 0 takes the station's number of
// decimals; -2 means none; any other negative number raises ado::Error 5 (invalid procedure call).
// With no decimals the trailing separator is cut. A text that is not an amount formats as 0.
QString FmtMoneda(const QString& Numero, int Decimales);
// The same for an amount already held as a value (no reading back from text).
QString FmtMoneda(const ado::Currency& Numero, int Decimales);

// The station's number of decimals for numbers: the C library locale's monetary digits, 2 (the usual
// workstation setting) when the locale does not say.
int DecimalesRegionales();

} // namespace ModGlobal
