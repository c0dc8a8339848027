#pragma once
// The movement report on screen, as the operator meets it: the dashboard window (offscreen) on the database,
// idle with the whole chart on show; then the benchmark account asked for through its account link. Figures:
// the time until its first rows are on show, until the writer is done, and to show its last part once asked
// for; and the peak resident memory of the program with its page processes (the RSS of this process and of
// every process it started, summed, sampled every 10 ms on a thread of its own). Beside the first rows, the
// same movement query read bare (every row stepped, nothing kept) in fresh processes. Each run a fresh process.

#include <QStringList>
#include <QTextStream>
#include <optional>

namespace pantalla {

std::optional<int> Hijo(const QStringList& argumentos);

void Medir(const QString& base, int corridas, QTextStream& out);

} // namespace pantalla
