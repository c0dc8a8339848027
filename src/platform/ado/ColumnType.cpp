#include "ColumnType.h"

#include <cstring>
#include <string>

namespace ado {

namespace {

constexpr int kUnboundedText = 2147483647;
constexpr int kExpressionText = 255;

ColumnType make(ColumnKind kind)
{
    switch (kind) {
    case ColumnKind::Boolean: return {kind, adBoolean, 2};
    case ColumnKind::Long: return {kind, adInteger, 4};
    case ColumnKind::Double: return {kind, adDouble, 8};
    case ColumnKind::Currency: return {kind, adCurrency, 8};
    case ColumnKind::Date: return {kind, adDate, 16};
    case ColumnKind::String: return {kind, adVarChar, kExpressionText};
    case ColumnKind::Auto: break;
    }
    return {};
}

// The first number in parentheses: the width of "VARCHAR(15)".
int declaredWidth(const std::string& upper)
{
    const auto open = upper.find('(');
    if (open == std::string::npos)
        return 0;
    int width = 0;
    for (size_t i = open + 1; i < upper.size() && upper[i] >= '0' && upper[i] <= '9'; ++i)
        width = width * 10 + (upper[i] - '0');
    return width;
}

} // namespace

ColumnType ColumnTypeFromDeclared(const char* declared)
{
    if (!declared || !*declared)
        return {};
    std::string upper(declared);
    for (char& c : upper)
        c = char(c >= 'a' && c <= 'z' ? c - 32 : c);
    const auto has = [&upper](const char* part) { return upper.find(part) != std::string::npos; };
    if (has("DATE") || has("TIME"))
        return make(ColumnKind::Date);
    if (has("MONEY") || has("DEC") || has("NUMERIC"))
        return make(ColumnKind::Currency);
    if (has("BIT") || has("BOOL"))
        return make(ColumnKind::Boolean);
    if (has("BIGINT"))
        return {ColumnKind::Long, adBigInt, 8};
    if (has("INT"))
        return make(ColumnKind::Long);
    if (has("REAL") || has("FLOA") || has("DOUB"))
        return make(ColumnKind::Double);
    if (has("CHAR") || has("TEXT") || has("CLOB")) {
        const int width = declaredWidth(upper);
        if (width > 0)
            return {ColumnKind::String, has("VARCHAR") ? adVarChar : adChar, width};
        return {ColumnKind::String, adLongVarChar, kUnboundedText};
    }
    return {};
}

ColumnType ColumnTypeFromOdbc(int sqlType, int columnSize)
{
    switch (sqlType) {
    case -7: return make(ColumnKind::Boolean);                              // SQL_BIT
    case 4: case 5: case -6: return make(ColumnKind::Long);                 // INTEGER, SMALLINT, TINYINT
    case -5: return {ColumnKind::Long, adBigInt, 8};                        // BIGINT
    case 6: case 7: case 8: return make(ColumnKind::Double);                // FLOAT, REAL, DOUBLE
    case 2: case 3: return make(ColumnKind::Currency);                      // NUMERIC, DECIMAL
    case 9: case 10: case 11: case 91: case 92: case 93: return make(ColumnKind::Date);
    case 1: case -8: return {ColumnKind::String, adChar, columnSize > 0 ? columnSize : kExpressionText};
    case 12: case -9: return {ColumnKind::String, adVarChar, columnSize > 0 ? columnSize : kExpressionText};
    case -1: case -10: return {ColumnKind::String, adLongVarChar, kUnboundedText};
    default: return {ColumnKind::String, adVarChar, columnSize > 0 ? columnSize : kExpressionText};
    }
}

ColumnType ColumnTypeFromValue(VarType type)
{
    switch (type) {
    case VarType::Boolean: return make(ColumnKind::Boolean);
    case VarType::Long: return make(ColumnKind::Long);
    case VarType::Double: return make(ColumnKind::Double);
    case VarType::Currency: return make(ColumnKind::Currency);
    case VarType::Date: return make(ColumnKind::Date);
    case VarType::String: return make(ColumnKind::String);
    case VarType::Empty:
    case VarType::Null: break;
    }
    return {};
}

} // namespace ado
