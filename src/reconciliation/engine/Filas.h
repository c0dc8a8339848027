#pragma once
// The rows of a query as the store reads them: by column name, Null read as blank, zero or false.

#include "platform/ado/Recordset.h"

#include <QString>

namespace conciliacion::sql {

// The rows of a query, read by column name.
class Filas {
public:
    explicit Filas(ado::RowSet datos) : m_datos(std::move(datos)) {}
    qsizetype Cantidad() const { return m_datos.rows.size(); }
    // A column's position, by name without regard to case; raises ado::Error 3265 for an unknown one.
    int Columna(const QString& nombre) const;
    const ado::Variant& Valor(qsizetype fila, int columna) const { return m_datos.rows.at(fila).at(columna); }
    QString Texto(qsizetype fila, int columna) const;   // Conversiones::TextoCampo of the value
    qint64 Entero(qsizetype fila, int columna) const;   // the number at the start of a text; 0 for Null
    bool Verdad(qsizetype fila, int columna) const;     // Null and 0 are false

private:
    ado::RowSet m_datos;
};

} // namespace conciliacion::sql
