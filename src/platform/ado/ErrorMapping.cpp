#include "ErrorMapping.h"

#include "platform/sqlite/EngineFailure.h"

#include <sqlite3.h>

namespace ado {

namespace {

enum class Failure { Integrity, Missing, Syntax, UnknownColumn, Truncation, Other };

struct Numbering {
    qint64 number;
    const char* sqlState;
};

Numbering numbering(Failure f)
{
    switch (f) {
    case Failure::Integrity: return {kErrIntegrity, "23000"};
    case Failure::Missing: return {kErrMissingObject, "42S02"};
    case Failure::Syntax: return {kErrSyntax, "42000"};
    case Failure::UnknownColumn: return {kErrSyntax, "42S22"};
    case Failure::Truncation: return {kErrOther, "22001"};
    case Failure::Other: return {kErrOther, "HY000"};
    }
    return {kErrOther, "HY000"};
}

bool has(const QString& message, const char* phrase)
{
    return message.contains(QLatin1String(phrase), Qt::CaseInsensitive);
}

// The phrases SQLite writes, through its own API or an ODBC driver over it.
Failure fromSqliteMessage(const QString& m)
{
    if (has(m, "CHECK constraint failed") && has(m, "length("))
        return Failure::Truncation;
    if (has(m, "constraint failed") || has(m, "constraint violation") || has(m, "may not be NULL")
        || has(m, "is not unique"))
        return Failure::Integrity;
    if (has(m, "no such table") || has(m, "no such view"))
        return Failure::Missing;
    if (has(m, "no such column") || has(m, "has no column named"))
        return Failure::UnknownColumn;
    if (has(m, "syntax error") || has(m, "incomplete input") || has(m, "unrecognized token")
        || has(m, "values were supplied") || has(m, "no such function") || has(m, "wrong number of arguments")
        || has(m, "ambiguous column name") || has(m, "misuse of aggregate"))
        return Failure::Syntax;
    return Failure::Other;
}

Failure fromSqlState(const QString& s)
{
    if (s.startsWith(QLatin1String("23")))
        return Failure::Integrity;
    if (s == QLatin1String("42S02") || s == QLatin1String("S0002"))
        return Failure::Missing;
    if (s == QLatin1String("42S22") || s == QLatin1String("S0022"))
        return Failure::UnknownColumn;
    if (s == QLatin1String("42000") || s == QLatin1String("37000"))
        return Failure::Syntax;
    if (s == QLatin1String("22001"))
        return Failure::Truncation;
    return Failure::Other;
}

Failure fromSqlServerNative(qint64 n)
{
    switch (n) {
    case 2627: case 2601: case 547: case 515: return Failure::Integrity;
    case 208: return Failure::Missing;
    case 207: return Failure::UnknownColumn;
    case 102: case 156: case 170: case 105: case 109: case 110: case 8114: return Failure::Syntax;
    case 8152: return Failure::Truncation;
    default: return Failure::Other;
    }
}

Failure fromOracleNative(qint64 n)
{
    switch (n) {
    case 1: case 1400: case 1407: case 2290: case 2291: case 2292: return Failure::Integrity;
    case 942: return Failure::Missing;
    case 904: return Failure::UnknownColumn;
    case 900: case 906: case 907: case 911: case 913: case 917: case 923: case 933: case 936: case 947:
        return Failure::Syntax;
    case 12899: return Failure::Truncation;
    default: return Failure::Other;
    }
}

} // namespace

Error SqliteError(int extendedCode, const QString& message, int systemErrno)
{
    Failure f = fromSqliteMessage(message);
    if (f == Failure::Other && (extendedCode & 0xff) == SQLITE_CONSTRAINT)
        f = Failure::Integrity;
    const Numbering n = numbering(f);
    const qint64 native = f == Failure::Truncation ? 8152 : extendedCode;
    const QString said = sqlcompat::FailureSentence(sqlcompat::FailureOf(extendedCode, systemErrno));
    return Error(n.number, said.isEmpty() ? message : said + QStringLiteral("\r\n") + message,
                 QStringLiteral("SQLite"), QLatin1String(n.sqlState), native);
}

Error OdbcError(BackendKind kind, const QString& sqlState, qint64 nativeError, const QString& message,
                const QString& source)
{
    Failure f = fromSqlState(sqlState);
    if (f == Failure::Other) {
        if (kind == BackendKind::SqlServer)
            f = fromSqlServerNative(nativeError);
        else if (kind == BackendKind::Oracle)
            f = fromOracleNative(nativeError);
    }
    if (f == Failure::Other)
        f = fromSqliteMessage(message);
    const Numbering n = numbering(f);
    const QString state = sqlState.isEmpty() ? QLatin1String(n.sqlState) : sqlState;
    return Error(n.number, message, source, state, nativeError);
}

} // namespace ado
