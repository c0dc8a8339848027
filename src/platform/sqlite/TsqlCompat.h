#pragma once
// Lets the program's SQL Server statements run unchanged on the embedded engine: a token-level rewrite that
// never touches literals, batch splitting, and the collations and functions the server would provide.

#include <QString>
#include <QStringList>

struct sqlite3;
class QSqlDatabase;

namespace sqlcompat {

// Collation of text columns: no regard to case, trailing blanks ignored ('A   ' = 'a').
inline constexpr char kTextCollation[] = "TSQLTEXT";
// Collation of date columns: ISO text, also reading 'dd/mm/yyyy' literals.
inline constexpr char kDateCollation[] = "TSQLDATE";

// Splits a batch into its statements, outside literals, bracketed names and comments.
QStringList SplitBatch(const QString& sql);

// Rewrites one T-SQL statement into SQLite's dialect (TOP, ISNULL, DELETE/INSERT without FROM/INTO,
// "6and", text + text, [names] kept, transaction words...).
QString Rewrite(const QString& statement);

// Registers collations and functions on a raw handle and sets the pragmas (automatic_index off, WAL,
// busy timeout 360 s). Returns false with a reason when something could not be registered.
bool Install(sqlite3* db, QString* error = nullptr);

// Opens (creating when missing) an SQLite file as a named Qt connection with everything installed.
// Returns an invalid (closed) database and a reason on failure.
QSqlDatabase Open(const QString& file, const QString& connectionName, QString* error = nullptr);

} // namespace sqlcompat
