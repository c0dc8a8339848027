#pragma once
// An amount written out in Spanish words, as receipts print it: "MIL DOSCIENTOS TREINTA Y CUATRO CON 56/100".

#include <QString>
#include <QtGlobal>

namespace suite {

// The amount is scaled by 10^4 (a currency value); the cents are rounded half to even.
QString ImporteEnLetras(qint64 escaladoDiezMil);

} // namespace suite
