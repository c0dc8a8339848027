#pragma once
// Account-code levels: a code of level k is exactly as long as the first k segments of the chart together.
// The segment widths and the level ends come from the configuration ("Digitos_Capitulo".."Digitos_SubCuenta"
// and "DIGITOS_CAPITULO".."DIGITOS_SUBCUENTA"); the level operations use only the ends L1..L6.

#include <QString>
#include <array>

namespace ast {

using TablaNiveles = std::array<qint16, 6>;

// Process-wide tables, 0 before the first read and rewritten by every read.
extern TablaNiveles gDigitos;          // DigitosCapitulo .. DigitosSubCuenta
extern qint16 DigitosTotal;
extern TablaNiveles gFines;            // FinCapitulo (L1) .. FinSubCuenta (L6)
extern qint16 LargoCodigoCuenta;       // L6

// Reads the six widths and their total (a sum beyond 16 bits raises ado::Error 6).
void LeerDigitosNiveles();
// Reads the six ends, each added to the previous one; then LargoCodigoCuenta = L6.
void LeerPosicionesNiveles();

// The leading number of a configuration text, as the suite reads it: blanks skipped, "3abc" is 3, letters
// only (or a missing key's single blank) is 0; rounded half to even; beyond 16 bits raises ado::Error 6.
qint16 ValorNivel(const QString& texto);

// The three answers by code length n over given ends.
int LargoHijo(const TablaNiveles& fines, int n);     // child level's length
int LargoPadre(const TablaNiveles& fines, int n);    // parent level's length (0 for level 1)
QString ColorNivel(const TablaNiveles& fines, int n);

} // namespace ast
