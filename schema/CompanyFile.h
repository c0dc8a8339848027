#pragma once
// What the generator needs around one company file: its own named connection, statements that raise on
// failure, prepared row inserts, and the canonical text of dates and amounts.

#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <stdexcept>

struct sqlite3;
struct sqlite3_stmt;

namespace schema {

// A step of the generator failed; what() is the reason (UTF-8).
class GenerationError : public std::runtime_error {
public:
    explicit GenerationError(const QString& reason) : std::runtime_error(reason.toStdString()) {}
    QString reason() const { return QString::fromStdString(what()); }
};

// One connection of its own to the file, with the suite's collations installed; dropped on destruction.
class CompanyFile {
public:
    explicit CompanyFile(const QString& file);
    ~CompanyFile();
    CompanyFile(const CompanyFile&) = delete;
    CompanyFile& operator=(const CompanyFile&) = delete;

    // Raises GenerationError when the file cannot be opened.
    void open();
    QSqlDatabase db() const;
    // Runs one statement; raises GenerationError with the statement on failure.
    void exec(const QString& sql);
    void begin();
    void commit();

private:
    QString m_file;
    QString m_connectionName;
};

// A prepared INSERT of the given columns into one table, run once per row. It binds through the engine's
// own statement (Qt's positional binding costs more than the insert itself at a few hundred thousand rows).
class RowWriter {
public:
    RowWriter(const QSqlDatabase& db, const QString& table, const QStringList& columns);
    ~RowWriter();
    RowWriter(const RowWriter&) = delete;
    RowWriter& operator=(const RowWriter&) = delete;
    // Values in column order: whole numbers, doubles and texts; a null QVariant writes NULL.
    void add(const QVariantList& values);

private:
    [[noreturn]] void fail(const QString& what) const;

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_statement = nullptr;
    QString m_table;
    int m_columns;
};

// Amounts are handled as whole ten-thousandths (the four decimals of the database's fixed point).
using Amount = qint64;
inline constexpr Amount kUnits = 10000;
inline constexpr Amount Pesos(qint64 whole, int cents = 0) { return whole * kUnits + cents * 100; }
QVariant AmountValue(Amount amount);
// Rounds a ten-thousandths amount to whole cents.
Amount RoundToCents(Amount amount);
// The share of an amount, in whole cents: amount * percent / 100.
Amount Percent(Amount amount, int percent);
// 'yyyy-mm-dd hh:mm:ss', the form every date column holds; an invalid date gives NULL.
QVariant DateValue(const QDate& date);
QVariant DateTimeValue(const QDateTime& moment);
// An empty text gives NULL.
QVariant TextOrNull(const QString& text);

} // namespace schema
