#pragma once
// An amount bound of the voucher filter ("Importe Desde", "Importe Hasta") read as the operator meant it, the
// one way the dashboard and the report writer both read it: blanks set no bound; a number is the money amount
// it stands for, written with the station's decimal separator or the other one, with thousands separators, a
// sign, or an exponent ("2e2" is 200); a text that is no number, and a number no money amount can hold, are
// not amounts, and the dashboard refuses them rather than list without the bound.

#include "platform/ado/Currency.h"

#include <QString>

namespace report {

struct CotaImporte {
    enum class Lectura {
        SinCota,       // blank: no bound
        Monto,         // the bound is `monto`
        NoEsImporte,   // no number
        FueraDeRango,  // a number beyond what a money amount holds
    };
    Lectura lectura = Lectura::SinCota;
    ado::Currency monto;
};

CotaImporte LeerCotaImporte(const QString& texto);

} // namespace report
