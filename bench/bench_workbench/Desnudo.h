#pragma once
// Bare SQLite doing what a load does to the database: the same journal lines inserted into the two line tables
// (one transaction, one prepared statement per table, the values bound) and every column of them read back.
// The yardstick of the window's load.

#include <QByteArray>
#include <vector>

struct sqlite3;

namespace desnudo {

// One journal line's values as the registration takes them.
struct Fila {
    qint64 secuencia, mes, asiento, periodo;
    QByteArray tipoReg, fecha, vencimiento, tc, comprobante, concepto, tcOrigen, cpteOrigen;
    double importe;
};

// The benchmark account's journal lines of one side ("D" or "H"), in the load's order.
std::vector<Fila> Diario(sqlite3* db, const char* lado);
// Both sides inserted under reconciliation 1; false when a statement failed.
bool Insertar(sqlite3* db, const std::vector<Fila>& izquierda, const std::vector<Fila>& derecha);
// Every column of every row of reconciliation 1 of both sides read; the bytes read, -1 on failure.
qint64 Releer(sqlite3* db);

} // namespace desnudo
