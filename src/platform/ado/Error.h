#pragma once
// A database or conversion failure as the program's error handlers see it (number, source, description,
// SQL state, native error). Thrown by the ado layer; collected in Connection::Errors().

#include <QString>
#include <QList>
#include <exception>
#include <string>

namespace ado {

// Provider numbers the program tests, as signed 32-bit values (what an error handler reads as its number).
inline constexpr qint64 kErrIntegrity = qint32(0x80040E2F);      // constraint / duplicate key
inline constexpr qint64 kErrMissingObject = qint32(0x80040E37);  // no such table or view
inline constexpr qint64 kErrSyntax = qint32(0x80040E14);         // syntax or unknown column
inline constexpr qint64 kErrOther = qint32(0x80004005);          // anything else from the provider
inline constexpr qint64 kErrRowNotLocated = qint32(0x80040E38);  // Update found no row with the values read
inline constexpr qint64 kErrOverflow = 6;
inline constexpr qint64 kErrInvalidUseOfNull = 94;               // a Null converted to a plain value
inline constexpr qint64 kErrTypeMismatch = 13;
inline constexpr qint64 kErrItemNotFound = 3265;                 // unknown field name or index
inline constexpr qint64 kErrObjectClosed = 3704;                 // operation on a closed object
inline constexpr qint64 kErrObjectOpen = 3705;                   // Open on an open connection
inline constexpr qint64 kErrConnectionUnusable = 3709;           // statement on a closed or missing connection
inline constexpr qint64 kErrNotUpdatable = 3251;                 // AddNew/edit on a read-only recordset
inline constexpr qint64 kErrNoCurrentRecord = 3021;              // BOF or EOF is true

class Error : public std::exception {
public:
    Error() = default;
    Error(qint64 number, QString description, QString source = QStringLiteral("conccuentas"),
          QString sqlState = {}, qint64 nativeError = 0);

    qint64 Number = 0;
    QString Description;
    QString Source;
    QString SQLState;
    qint64 NativeError = 0;

    // The description as it is now (callers may fill the members after construction).
    const char* what() const noexcept override;

private:
    mutable std::string m_what;
};

// The connection's error list. It is emptied at the start of every call that reaches the database through
// the connection (Open, Execute, BeginTrans/CommitTrans/RollbackTrans, setDefaultDatabase, a Recordset's
// Open and Update, the schema lists) and by Clear(); a failing call leaves its error in it, so after a call
// that succeeded the list is empty. (ADO kept an old error until the next failure; callers that check the
// count after a statement that did not fail would then report a stale error.)
class Errors {
public:
    int Count() const { return int(m_items.size()); }
    const Error& Item(int index) const { return m_items.at(index); }
    const Error& operator()(int index) const { return Item(index); }
    void Clear() { m_items.clear(); }
    void Append(const Error& e) { m_items.append(e); }

private:
    QList<Error> m_items;
};

} // namespace ado
