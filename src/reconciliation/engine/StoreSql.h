#pragma once
// Small pieces the store's statements are made of: quoted literals, ID lists, reading a result by column
// name, and the transaction every multi-statement operation runs in.

#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace conciliacion::sql {

// A text literal with its quotes doubled: 'O''Brien'.
QString Texto(const QString& texto);
// A date literal for a day/month/year text (Conversiones::FechaSQL); NULL for a blank one.
QString Fecha(const QString& fecha);
// "IDCONCILIACION = '<number padded to 15>'": the rows of one reconciliation.
QString DelNumero(qint64 numero);
// The IDs as comma-separated lists of at most `porLista` each, for "IN (...)"; none for no IDs.
QStringList ListasDeIds(const std::vector<qint64>& ids, int porLista = 500);

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

// A transaction on the connection for the life of the object: Confirmar commits it; leaving the scope
// without it (a raised error, an early return) rolls it back. The store's operations never nest: beginning
// one while the connection has a transaction open raises the engine's error.
//
// On the embedded engine a transaction that reads before it writes cannot wait for another writer, so the
// store's operations make a write their first statement.
class Transaccion {
public:
    explicit Transaccion(ado::Connection& cn);
    ~Transaccion();
    Transaccion(const Transaccion&) = delete;
    Transaccion& operator=(const Transaccion&) = delete;
    void Confirmar();

private:
    ado::Connection& m_cn;
    bool m_abierta = false;
};

} // namespace conciliacion::sql
