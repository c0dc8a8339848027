// Figures as the operator meets them: each run of a figure is a fresh process (this benchmark started again
// with the figure's arguments), so no run profits from a heap, a page cache of the program's own or a prepared
// statement left by an earlier one. The parent prints the first run and the median of all.
//
// Child side: a run calls markIdle() once the program is in the state the operator starts from (window
// shown, connection open), then does the work, and prints its figures with report(). peakAboveIdleMiB() is the
// peak resident size since markIdle() minus the resident size at markIdle().
//
// Parent side: runFresh() starts this same executable `runs` times with the given arguments and gathers every
// "figure NAME=VALUE" line each child printed.
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <vector>

namespace bench {

// --- child side ---
void markIdle();                 // resets the kernel's peak-resident mark and remembers the resident size
double peakAboveIdleMiB();       // peak resident since markIdle(), less the resident size then
double peakMiB();                // the process's peak resident size (after markIdle(): since then)
void report(const QString& name, double value);  // one "figure NAME=VALUE" line on stdout, flushed

// --- parent side ---
struct Runs {
    std::vector<double> values;  // in run order
    double first() const;
    double median() const;
};

// Starts this executable `runs` times, one after the other, each with `arguments`; a child that fails or
// prints nothing leaves a message on stderr and no values. Keys are the figures' names.
QMap<QString, Runs> runFresh(const QStringList& arguments, int runs);

// "first 123.4 / median 120.1" with the given number of decimals.
QString firstAndMedian(const Runs& runs, int decimals = 1);

} // namespace bench
