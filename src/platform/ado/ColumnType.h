#pragma once
// The kind of value a column gives and the ADO type number and size it reports, from the declared type
// (embedded engine) or the ODBC SQL type.

#include "Variant.h"

namespace ado {

enum class ColumnKind { Auto, Boolean, Long, Double, Currency, Date, String };

struct ColumnType {
    ColumnKind kind = ColumnKind::Auto;   // Auto: each value keeps the kind the engine stored it with
    int adoType = 0;
    int definedSize = 0;
};

// ADO type numbers used here.
inline constexpr int adInteger = 3, adDouble = 5, adCurrency = 6, adDate = 7, adBoolean = 11, adBigInt = 20,
                     adChar = 129, adVarChar = 200, adLongVarChar = 201;

// From an SQLite declared type ("VARCHAR(15)", "DECIMAL(19,4)", "DATETIME"...; null or "" for an
// expression): DATE/TIME -> Date; MONEY/DECIMAL/NUMERIC -> Currency; BIT/BOOL -> Boolean; INT -> Long;
// REAL/FLOA/DOUB -> Double; CHAR/TEXT/CLOB -> String with the declared width.
ColumnType ColumnTypeFromDeclared(const char* declared);

// From an ODBC SQL type number and the column size the driver reports.
ColumnType ColumnTypeFromOdbc(int sqlType, int columnSize);

// The type and size an Auto column reports, from the first value that is not Null.
ColumnType ColumnTypeFromValue(VarType type);

} // namespace ado
