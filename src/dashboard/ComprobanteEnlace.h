#pragma once
// A voucher link of a report, as the dashboard and the popup open it: type code, branch, number, one letter,
// and the account a purchase voucher is looked up by. The dashboard hands the row's account
// ("_CUENTAFILTRO_"); the popup the report's account ("_CUENTACAB_"), or the row's when the link has none.
// A part the link does not carry is "".

#include "report/EnlaceHTML.h"

#include <QString>

namespace tablero {

enum class OrigenEnlace { Tablero, PopUp };

struct ComprobanteEnlace {
    QString tc;
    QString sucursal;
    QString numero;
    QString letra;
    QString cuenta;

    bool operator==(const ComprobanteEnlace&) const = default;
};

ComprobanteEnlace ComprobanteDeEnlace(const report::EnlaceLeido& enlace, OrigenEnlace origen);

} // namespace tablero
