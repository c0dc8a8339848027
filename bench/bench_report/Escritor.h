#pragma once
// The report writer's figures: the movement report of the benchmark account, listing types 0 and 1, without
// and with the tax-book column, written to disk (no window); beside it bare SQLite reading every row of the same
// query, and the data layer opening it into a recordset; and the statement count of answering the tax-book
// column with one query per row (ModGlobal::ValidaTCRegistraciones, timed on a sample and scaled). Each figure
// is a fresh process.

#include <QStringList>
#include <QTextStream>
#include <optional>

namespace escritor {

// With the arguments of a child run: runs that figure and gives the exit code. Otherwise nothing.
std::optional<int> Hijo(const QStringList& argumentos);

// The writer's figures on the database, each figure `corridas` fresh processes.
void Medir(const QString& base, int corridas, const QString& carpeta, QTextStream& out);

} // namespace escritor
