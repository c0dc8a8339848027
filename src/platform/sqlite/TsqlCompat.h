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
// How every write transaction starts: it takes the write lock at once, so a second station waits for it
// at its start (on the busy handler) instead of failing at its first write.
inline constexpr char kBeginWriteTransaction[] = "BEGIN IMMEDIATE TRANSACTION";

// Splits a batch into its statements, outside literals, bracketed names and comments: at ";" and where
// SELECT, INSERT, UPDATE, DELETE, BEGIN, COMMIT, ROLLBACK, CREATE, DROP or ALTER starts a statement
// outside parentheses ("BEGIN TRANSACTION" CR LF "DELETE t WHERE ID = 5" CR LF "UPDATE ..." gives three).
// A trigger's BEGIN ... END body stays whole. Statements come back trimmed; empty ones are dropped.
QStringList SplitBatch(const QString& sql);

// SplitBatch, then Rewrite of each statement, with the text cut into tokens once.
QStringList SplitAndRewrite(const QString& sql);

// Rewrites one T-SQL statement into SQLite's dialect, never inside literals, [names] or comments:
//   SELECT [DISTINCT] TOP n / TOP (n) ...      -> SELECT ... LIMIT n (after its last clause, also in a
//                                                 subquery); TOP ... PERCENT / WITH TIES left to fail
//   ISNULL(                                    -> IFNULL(
//   DELETE t WHERE / INSERT t (...)            -> DELETE FROM t WHERE / INSERT INTO t (...)
//   6and                                       -> 6 and
//   a + 'x'                                    -> a || 'x': every "+" of a chain of operands joined by
//                                                 "+" at one parenthesis level turns into "||" when an
//                                                 operand holds a quoted literal (or is a parenthesised
//                                                 such chain); sums of columns stay sums
//   BEGIN TRAN[SACTION]                        -> kBeginWriteTransaction
//   COMMIT / ROLLBACK TRAN                     -> ... TRANSACTION
// Text with nothing of the above comes back unchanged.
QString Rewrite(const QString& statement);

// Registers collations and functions on a raw handle and sets the pragmas (automatic_index off, WAL,
// busy timeout 360 s, foreign keys on). Functions: len(x) (characters without trailing blanks) and
// like(), so that LIKE folds case as the text collation does and knows [a-z] / [^a] classes.
// Returns false with a reason when something could not be registered.
bool Install(sqlite3* db, QString* error = nullptr);
// The same for a connection that only reads: the file's journal mode is left as it is.
bool InstallForReading(sqlite3* db, QString* error = nullptr);

// Opens (creating when missing) an SQLite file as a named Qt connection with everything installed.
// Returns an invalid (closed) database and a reason on failure.
QSqlDatabase Open(const QString& file, const QString& connectionName, QString* error = nullptr);

// Why Open failed: the reason, SQLite's extended result code and the system's error number behind it (0 when
// not known).
struct OpenFailure {
    QString reason;
    int code = 0;
    int systemErrno = 0;
};

// The same, read-only when asked (through FileCheck.h's ReadOnlyUri: nothing is made beside the file, and its
// journal mode is left as it is); on failure an invalid database and what failed.
QSqlDatabase Open(const QString& file, const QString& connectionName, bool readOnly, OpenFailure* failure);

} // namespace sqlcompat
