#pragma once
// The rows of a result of the embedded engine, each cell read as its column's declared kind (dates and
// amounts from their stored text or number) and handed to where the rows go: rows of Variants for the
// connection's queries (VariantRows.h), the packed store for a recordset (StoredCells.h). Used only by the
// embedded engine's backend.

#include "ColumnType.h"
#include "Currency.h"
#include "DateText.h"
#include "Error.h"
#include "Recordset.h"

#include <sqlite3.h>
#include <limits>
#include <string_view>

namespace ado::sqliterows {

// Hands the value of column i to `rows` as the column's kind reads it.
template <class Rows>
void readCell(Rows& rows, sqlite3_stmt* st, int i, ColumnKind kind)
{
    // One call to the engine per cell: the column's value is read through the value interface, which
    // takes no lock. A connection is used by one thread at a time, so nothing else touches the statement
    // meanwhile.
    sqlite3_value* value = sqlite3_column_value(st, i);
    switch (sqlite3_value_type(value)) {
    case SQLITE_NULL:
        rows.addNull();
        return;
    case SQLITE_INTEGER: {
        const qint64 v = sqlite3_value_int64(value);
        switch (kind) {
        case ColumnKind::Currency:
            if (v <= std::numeric_limits<qint64>::max() / Currency::kScale
                && v >= std::numeric_limits<qint64>::min() / Currency::kScale)
                rows.addCurrency(Currency::fromLong(v));
            else
                rows.addDouble(double(v));
            return;
        case ColumnKind::Boolean: rows.addBoolean(v != 0); return;
        case ColumnKind::Double: rows.addDouble(double(v)); return;
        default: rows.addLong(v); return;
        }
    }
    case SQLITE_FLOAT: {
        const double v = sqlite3_value_double(value);
        if (kind == ColumnKind::Currency) {
            try {
                rows.addCurrency(Currency::fromDouble(v));
                return;
            } catch (const Error&) {
                // beyond the money range: keep the number rather than fail the read
            }
        }
        rows.addDouble(v);
        return;
    }
    default: {
        const char* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
        const int bytes = sqlite3_value_bytes(value);
        if (kind == ColumnKind::Date) {
            if (auto d = ParseDateText(std::string_view(text, size_t(bytes)))) {
                rows.addDate(*d);
                return;
            }
        } else if (kind == ColumnKind::Currency) {
            if (auto c = Currency::parseAscii(std::string_view(text, size_t(bytes)))) {
                rows.addCurrency(*c);
                return;
            }
        }
        rows.addText(i, text, bytes);
        return;
    }
    }
}

// Every row of the statement into `rows`, each step taken by `stepOnce`; SQLITE_DONE, or the code of the
// step that failed.
template <class Rows, class Step>
int readRows(sqlite3_stmt* st, QList<FieldInfo>* fields, Rows& rows, Step&& stepOnce)
{
    const int n = sqlite3_column_count(st);
    QVector<ColumnKind> kinds(n);
    QVector<int> untyped;
    for (int i = 0; i < n; ++i) {
        const ColumnType t = ColumnTypeFromDeclared(sqlite3_column_decltype(st, i));
        kinds[i] = t.kind;
        if (t.kind == ColumnKind::Auto)
            untyped << i;
        fields->append({QString::fromUtf8(sqlite3_column_name(st, i)), t.definedSize, t.adoType});
    }
    rows.start(n);
    int rc;
    while ((rc = stepOnce(st)) == SQLITE_ROW) {
        for (int i = 0; i < n; ++i)
            sqliterows::readCell(rows, st, i, kinds[i]);
        rows.endRow();
    }
    if (rc != SQLITE_DONE)
        return rc;
    // An expression column reports the type of its first value that is not Null; with none to look at
    // it reads as an expression text, so that a list still gives it a visible column.
    for (int i : untyped) {
        ColumnType t = ColumnTypeFromValue(VarType::String);
        for (qint64 r = 0; r < rows.size(); ++r) {
            const VarType type = rows.type(r, i);
            if (type != VarType::Null) {
                t = ColumnTypeFromValue(type);
                break;
            }
        }
        (*fields)[i].type = t.adoType;
        (*fields)[i].definedSize = t.definedSize;
    }
    return SQLITE_DONE;
}

} // namespace ado::sqliterows
