#pragma once
// Looks at a file before it is opened for work: opening a file that is no database, or a database of
// something else, would turn it into one (the engine writes its journal mode into it and adds files beside
// it). The look itself writes nothing and leaves no file behind.

#include <QString>
#include <QStringList>

namespace sqlcompat {

// "" when `file` is an SQLite database holding every table (or view) of `requiredTables` (names without
// regard to case); otherwise why not, as a sentence for the operator.
QString FileProblem(const QString& file, const QStringList& requiredTables);

} // namespace sqlcompat
