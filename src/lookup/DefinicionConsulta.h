#pragma once
// Lookup definitions by table name: which view to list, which column describes a row, which column's value
// comes back and one further column; and the lookup run over that definition (the dashboard's filter boxes).

#include <QString>
#include <optional>

namespace lookup {

struct DefinicionConsulta {
    QString tabla;         // the view to list
    QString descripcion;
    QString codigo;
    QString adicional;
};

// The definition of a table or view name (any case), or nothing when no row of the table matches.
// Code columns derived from the name keep the caller's letters.
std::optional<DefinicionConsulta> DefinicionPorTabla(const QString& tabla);

} // namespace lookup

namespace ModGlobal {

// Fills the definition of `Tabla` into the arguments and, on the mask road (a mask file in the program folder)
// or when `Buscar` is set, runs the shared lookup over it; the chosen code then replaces `CampoCodigo`.
// A cancelled lookup leaves the code column's name in `CampoCodigo`. Returns true when a value was chosen.
bool DefinirConsulta(QString& Tabla, QString& CampoDescripcion, QString& CampoCodigo, QString& CampoAdicional,
                     bool Buscar, QString& Condicion);

} // namespace ModGlobal
