#pragma once
// The load of both panels as the operator meets it: the window just started on the benchmark account (shown,
// connection open, header filled), then "Ejecutar Consulta": every free journal line registered, read back,
// listed and the totals shown. Each run is a fresh process; beside it, bare SQLite inserting and reading back
// the same rows in a fresh process of its own, and the store's registration alone.

#include <QList>
#include <QStringList>
#include <QTextStream>
#include <optional>

namespace carga {

// With the arguments of a child run ("--carga <figure> <database>"): runs that one figure in this process and
// gives the exit code. Otherwise nothing.
std::optional<int> Hijo(const QStringList& argumentos);

// One size of the load: lines a side, and the fresh processes per figure.
struct Tamano {
    int lineas;
    int corridas;
};

// The load figures at each size, then the time per line at each; the databases are made in `carpeta`.
void Medir(const QList<Tamano>& tamanos, const QString& carpeta, QTextStream& out);

} // namespace carga
