#pragma once
// Rules of the lookup list window that need no widget: the table a statement reads, default check marks,
// type-ahead matching, stock colours and column widths.

#include <QString>

namespace ado { class Currency; }

namespace lookup {

// The word after the first "from" (any case), up to the next blank or the end of the text; "" without "from".
QString TablaDeSentencia(const QString& sql);

// True when `valor` (trimmed) is one whole comma-separated element of `valoresDefault`, any case.
bool EnValoresDefault(const QString& valor, const QString& valoresDefault);

// Type-ahead: the cell, trimmed, begins with the searched text, trimmed (any case). Empty text matches.
bool EmpiezaCon(const QString& celda, const QString& buscado);

// Stock level 1..4 of an article row from its reorder point and stock.
int NivelStock(const ado::Currency& puntoPedido, const ado::Currency& stock);

// Letters of a column's width: the field's defined size, at most 60.
int LetrasDeColumna(int definedSize);

} // namespace lookup
