#pragma once
// Opening the voucher of a report link in the document viewer its type code picks, or, in tests, in a
// function that records it.

#include "ComprobanteEnlace.h"

#include <functional>

namespace tablero {

// Opens the voucher in the viewer its type code picks (none for "VJ"), shown modeless.
void AbrirComprobante(const ComprobanteEnlace& comprobante);
// Tests see which vouchers would open; an empty function puts back the viewers.
void InstalarAbridorComprobantes(std::function<void(const ComprobanteEnlace&)> abridor);

} // namespace tablero
