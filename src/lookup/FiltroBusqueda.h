#pragma once
// The server filter of the lookup windows (F5): the text typed in a search box becomes one more LIKE condition
// in front of the statement's ORDER BY. The operator's text is quoted (its quotes doubled); "%" stays a wildcard.

#include <QString>

namespace lookup {

struct PartesSentencia {
    QString base;    // the text before the first "order by"
    QString orden;   // from "order by" to the end; "" when there is none
};

// Splits at the first "order by" (any case). Without one, `base` is the whole text.
PartesSentencia SepararOrden(const QString& sql);

// " and " when the statement already has a "where" (any case), else " where ".
QString PalabraUnion(const QString& sql);

// " like '%text%' " (contains) or " like 'text%' " (begins with), quotes of the text doubled.
QString PatronLike(const QString& texto, bool contiene);

// The list window's F5: the star of the operator's text becomes "%" unless LIKE lookups are configured. The
// column is a field name of the list's statement, bracketed when it is no plain name.
struct FiltroLista {
    QString sql;          // the new statement
    QString orden;        // the order tail cut off
    QString textoCaja;    // the search box text after the star replacement
};
FiltroLista FiltrarLista(const QString& sql, const QString& sqlBase, const QString& columna, const QString& texto,
                         bool usaConsultaLike);

// The tree window's F5: always "contains", on the column "Descripcion".
QString FiltrarArbol(const QString& sql, const QString& texto);

} // namespace lookup
