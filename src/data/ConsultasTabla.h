#pragma once
// The SQL texts of the one-question table lookups and the schema change, before any table-name rewriting.
// The type code (`Tipodato`) is an ADO type number compared as text: 8 text (quoted, inner quotes doubled),
// 7 date, 3/5/4 number (the number the key text starts with), anything else the key unchanged.

#include "platform/ado/Variant.h"

#include <QString>

namespace consultas {

QString ExisteEnTabla(const QString& tabla, const QString& valorBuscado, const QString& campo,
                      const ado::Variant& tipodato, const QString& condicion);
// As ExisteEnTabla without the row limit; a text key is compared untrimmed.
QString ExisteEnTablaST(const QString& tabla, const QString& valorBuscado, const QString& campo,
                        const ado::Variant& tipodato, const QString& condicion);
QString DatosTabla(const QString& tabla, const QString& valorBuscado, const QString& campo,
                   const ado::Variant& tipodato, const QString& condicion, bool usaTrim);

// "SELECT MAX(<campo>) AS MAYOR FROM <tabla>" (MIN / MENOR), with " WHERE " + the condition when one is given;
// `recortarCondicion` false keeps the condition's own blanks.
QString Extremo(bool maximo, const QString& tabla, const QString& campo, const QString& condicion,
                bool recortarCondicion);

QString AddField(const QString& tabla, const QString& campo, const QString& tipo, bool permiteNulos,
                 const ado::Variant& valorDefault);

} // namespace consultas
