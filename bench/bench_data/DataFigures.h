// One run of one figure of bench_data, done in the fresh process the parent started for it: the work
// timed (with markIdle() just before it), its figures printed with bench::report().
//   recordset  every journal line of the bench account opened as a recordset; bare SQLite steps through
//              the same rows with one prepared statement, reading every column
//   insert     one text INSERT with an amount per row through Connection::Execute; bare SQLite binds one
//              prepared INSERT per row
//   update     one text UPDATE of a row's amount, found by its key, through Connection::Execute; bare
//              SQLite binds one prepared UPDATE per row
//   save       marks and distinct link lists of the lines through bound statements in one transaction;
//              bare SQLite binds one prepared UPDATE per line
// Each writing figure, ours or bare, works on its own copy of the database, so that every run starts
// from the same file (a run after another would find the file grown and its log warm).
#pragma once

#include <QString>

namespace benchdata {

// Runs `figure` (a name above, alone or after "bare-") on the database `file` built with `lines` journal
// lines in the bench account. 0 when it ran; 2 for an unknown figure.
int RunFigure(const QString& figure, const QString& file, int lines);

} // namespace benchdata
