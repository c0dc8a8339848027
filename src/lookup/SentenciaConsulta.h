#pragma once
// How the lookup driver turns a table name, a mask or a caller's statement into the statement its window
// shows. Pure text work; the driver feeds it the configuration, the mask and the table's field names.

#include "MascaraConsulta.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace lookup {

// A caller's filter wrapped as " (...) " unless it is one character or already starts with "(".
QString EnvolverFiltro(const QString& where);

// The row limit from the "TopConsArt" setting: its leading number rounded half to even; 0 or none gives 1000.
int TopeFilas(const QString& valorConfigurado);

// True when the text is a whole statement rather than a table name.
bool EsSentencia(const QString& sql);

// Every V_MA_ARTICULOS (any case) read through the articles view VT_MA_ARTICULOS.
QString ConVistaArticulos(const QString& sql);

// The statement of the mask road. `campoBusqueda` is the caller's search column; when empty it becomes the
// mask's first column. Nothing when the mask has a single column and the caller gave no search column.
std::optional<QString> SentenciaDeMascara(const MascaraConsulta& mascara, int tope, const QString& where,
                                          QString& campoBusqueda);

// The statement built from the table's own fields (in table order; a name that is no plain name bracketed).
// `campoBusqueda` becomes the search column worked out from the fields whenever one field is kept; with no
// field kept it stays as given.
QString SentenciaDeColumnas(const QString& tabla, const QStringList& campos, int tope, const QString& where,
                            QString& campoBusqueda);

// The statement the driver opens to learn a table's fields.
QString SentenciaCampos(const QString& tabla);

} // namespace lookup
