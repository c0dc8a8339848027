#pragma once
// Whether a text sent to SQL Server or Oracle as a query is one statement that only reads. The driver cannot
// tell, and a server runs a batch written without any ";", so the text is read here as that server reads it:
// its comments, literals and quoted names by its own rules (block comments nest on SQL Server and not on
// Oracle, Oracle's q'[...]' literals, a word glued to a number). A word the server would run is never hidden
// where this reading sees a comment or a literal, and a word the server takes for a name or a literal never
// refuses an honest read. It judges the text the server runs: that the driver hands the server this very text
// is the connection's to make sure of (OdbcBackend.cpp).

#include "Connection.h"

#include <QStringView>

namespace ado {

// True for one SELECT (or WITH ... SELECT) with its unions and subqueries, and nothing more. Refused: a
// second statement (after ";", on its own after a GO line, or simply written after the first); any word
// that changes data or definitions, grants, runs code or transactions, waits, or reaches outside the
// database (SELECT ... INTO included); an ODBC escape but those that stand for a value or a join ({call ...}
// included); a "--" comment ended by any line break but LF or CR LF (whether a server ends it there is a bet
// either way); and a
// text left open (a literal, quoted name, comment or parenthesis that does not end), which no server runs
// either. It takes time in proportion to the text's length.
// `server` is BackendKind::Oracle for Oracle's reading; any other kind reads as SQL Server.
bool IsPlainRead(QStringView sql, BackendKind server);

} // namespace ado
