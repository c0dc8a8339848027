// Figures as the operator meets them: each run of a figure is a fresh process (this benchmark started again
// with the figure's arguments), so no run profits from a heap, a page cache of the program's own or a prepared
// statement left by an earlier one. The parent prints the first run and the median of all.
//
// Child side: a run calls markIdle() once the program is in the state the operator starts from (window
// shown, connection open), then does the work, and prints its figures with report(). peakAboveIdleMiB() is the
// peak resident size since markIdle() minus the resident size at markIdle().
//
// Parent side: runFresh() starts this same executable `runs` times with the given arguments and gathers every
// "figure NAME=VALUE" line each child printed. Each child's temporary files go into a folder of the parent's
// (TMPDIR), removed when the child ends however it ended.
//
// A bench never prints a figure it did not measure: a child that fails, or a set-up or a result that is not
// what the bench meant (Exigir), throws Fallo; Principal() runs a bench's main, reports the failure, removes
// the temporary folders on the way out and gives a non-zero exit code.
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>
#include <stdexcept>
#include <vector>

namespace bench {

// What a bench measured is not what it meant: no figure may be printed for it.
class Fallo : public std::runtime_error {
public:
    explicit Fallo(const QString& porque);
};

// Throws Fallo with `porque` unless `cumple`.
void Exigir(bool cumple, const QString& porque);

// Runs a bench's main (parent and child sides alike): its exit code, or 1 after a Fallo or any other exception,
// with the cause on stderr.
int Principal(const std::function<int()>& principal);

// "--small" among the arguments: the bench's small mode, a few seconds on small sizes with one run per figure,
// that checks what it measured; no figure is judged against a goal.
bool ModoPequeno(const QStringList& argumentos);

// --- child side ---
void markIdle();                 // resets the kernel's peak-resident mark and remembers the resident size
double peakAboveIdleMiB();       // peak resident since markIdle(), less the resident size then
double peakMiB();                // the process's peak resident size (after markIdle(): since then)
// The CPU time this process has used so far (user and system, every thread), in ms: the difference across a
// figure shows what it cost where the wall clock is shared with other work on the machine.
double cpuMs();
void report(const QString& name, double value);  // one "figure NAME=VALUE" line on stdout, flushed

// --- parent side ---
struct Runs {
    std::vector<double> values;  // in run order
    double first() const;
    double median() const;
};

// Starts this executable `runs` times, one after the other, each with `arguments`; a child that fails or
// prints no figure throws Fallo. Keys are the figures' names.
QMap<QString, Runs> runFresh(const QStringList& arguments, int runs);

// The runs of a figure every child printed; throws Fallo when the figure is missing.
const Runs& Figura(const QMap<QString, Runs>& figuras, const QString& nombre);

// "first 123.4 / median 120.1" with the given number of decimals.
QString firstAndMedian(const Runs& runs, int decimals = 1);

} // namespace bench
