#include "RowStatements.h"

namespace ado {

BoundStatement BuildInsert(const QString& table, const QStringList& columns, const QVector<Variant>& values,
                           const NameQuoter& quote)
{
    if (columns.isEmpty())
        return {QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quote(table)), {}};
    QStringList names;
    QStringList marks;
    for (const QString& c : columns) {
        names << quote(c);
        marks << QStringLiteral("?");
    }
    return {QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(quote(table), names.join(QLatin1String(", ")), marks.join(QLatin1String(", "))),
            values};
}

BoundStatement BuildUpdate(const QString& table, const QStringList& columns, const QVector<Variant>& values,
                           const QStringList& keyColumns, const QVector<Variant>& keyValues,
                           const NameQuoter& quote)
{
    BoundStatement s;
    QStringList sets;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        sets << quote(columns.at(i)) + QStringLiteral(" = ?");
        s.values << values.at(i);
    }
    QStringList conditions;
    for (qsizetype i = 0; i < keyColumns.size(); ++i) {
        if (keyValues.at(i).isNull()) {
            conditions << quote(keyColumns.at(i)) + QStringLiteral(" IS NULL");
        } else {
            conditions << quote(keyColumns.at(i)) + QStringLiteral(" = ?");
            s.values << keyValues.at(i);
        }
    }
    s.sql = QStringLiteral("UPDATE %1 SET %2").arg(quote(table), sets.join(QLatin1String(", ")));
    if (!conditions.isEmpty())
        s.sql += QStringLiteral(" WHERE ") + conditions.join(QLatin1String(" AND "));
    return s;
}

} // namespace ado
