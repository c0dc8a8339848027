#pragma once
// A value written as a SQL literal of the kind a statement asks for: the routine behind DB_Dll::SQLValue,
// without the database object, so code that links no widgets writes literals the same way.

#include "platform/ado/Variant.h"

#include <QString>

namespace sqltext {

// Tipo "'": a text literal with its quotes doubled; "@": an amount with "." as decimal point (Null is 0);
// anything else: the value's plain text. Null is NULL except for amounts.
QString ValorSQL(const ado::Variant& Valor, const QString& Tipo);

} // namespace sqltext
