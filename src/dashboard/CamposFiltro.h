#pragma once
// The dashboard's nine filter boxes (period, account, voucher type, branch, number, letter, amount range):
// their definitions and the value rules that need no window, and the items of the unit and cost-centre
// lists.

#include "platform/ado/Variant.h"

#include <QString>
#include <QVector>

namespace tablero {

struct DefinicionCampo {
    const char* dataField;
    const char* etiqueta;   // label beside it; nullptr when it shares the previous one
    const char* tag;        // the lookup F5 opens; "" none
    int largo;              // maximum length
};

// In tab order: index = position in the control array.
const QVector<DefinicionCampo>& CamposFiltro();

// Branch and number boxes: a number padded with leading zeros to `digitos` digits ("12" -> "0012"); a text
// that is no number, and "", stay as they are.
QString RellenarConCeros(const QString& valor, int digitos);

// True for a day/month/year date.
bool EsFechaValida(const QString& texto);

// What the operator is told of an amount bound that is no amount (report::LeerCotaImporte); "" for a blank
// bound and for an amount.
QString AvisoImporte(const QString& texto);

// A list item: the code trimmed, " - ", the description, 100 blanks, then the code again as stored, so that
// the last four characters give the code back.
QString ItemLista(const ado::Variant& codigo, const ado::Variant& descripcion);
inline constexpr int kCaracteresCodigoLista = 4;

} // namespace tablero
