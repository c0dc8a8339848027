#pragma once
// The money format of totals and balances, with the program's decimals handed in: FmtMoneda's rules without
// the configuration globals, so code that links no widgets writes amounts as the labels show them.

#include "platform/ado/Currency.h"

#include <QString>
#include <optional>

namespace ModGlobal {

// The decimals a call with `Decimales` writes: -1 takes `cantidadDecimales` (the program's setting, as text);
// 0 takes the station's number of decimals; -2 means none; nullopt for -3 (the number left unchanged); any
// other negative number raises ado::Error 5 (invalid procedure call).
std::optional<int> DecimalesMoneda(int Decimales, const QString& cantidadDecimales);
// "############0." followed by one "0" per decimal, with the locale's decimal separator and no thousands
// separator, rounded half to even; with no decimals the trailing separator is cut.
QString FormatoMoneda(const ado::Currency& monto, int decimales);

// The station's number of decimals for numbers: the C library locale's monetary digits, 2 (the usual
// workstation setting) when the locale does not say.
int DecimalesRegionales();

} // namespace ModGlobal
