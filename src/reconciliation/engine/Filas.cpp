// The store's query results read by column name.

#include "Filas.h"

#include "StoreTypes.h"
#include "platform/ado/Error.h"
#include "platform/suite/base/Conversiones.h"

namespace conciliacion::sql {

int Filas::Columna(const QString& nombre) const
{
    for (int i = 0; i < m_datos.fields.size(); ++i) {
        if (m_datos.fields.at(i).name.compare(nombre, Qt::CaseInsensitive) == 0)
            return i;
    }
    throw ado::Error(ado::kErrItemNotFound,
                     QStringLiteral("Item cannot be found in the collection corresponding to the requested name "
                                    "or ordinal: %1")
                         .arg(nombre));
}

QString Filas::Texto(qsizetype fila, int columna) const
{
    return suite::Conversiones::TextoCampo(Valor(fila, columna));
}

qint64 Filas::Entero(qsizetype fila, int columna) const
{
    const ado::Variant& v = Valor(fila, columna);
    switch (v.type()) {
    case ado::VarType::Empty:
    case ado::VarType::Null: return 0;
    case ado::VarType::String: return NumeroDeTexto(v.toString());
    default: return v.toLong();
    }
}

bool Filas::Verdad(qsizetype fila, int columna) const
{
    const ado::Variant& v = Valor(fila, columna);
    if (v.isNull() || v.isEmpty())
        return false;
    try {
        return v.toBool();
    } catch (const ado::Error&) {
        return false;   // a text that is no truth value counts as not set
    }
}

} // namespace conciliacion::sql
