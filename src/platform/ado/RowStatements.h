#pragma once
// The statements a recordset's Update sends: values always bound, names always quoted.

#include "Variant.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

namespace ado {

struct BoundStatement {
    QString sql;
    QVector<Variant> values;
};

using NameQuoter = std::function<QString(const QString&)>;

// INSERT INTO t (a, b) VALUES (?, ?); INSERT INTO t DEFAULT VALUES without columns.
BoundStatement BuildInsert(const QString& table, const QStringList& columns, const QVector<Variant>& values,
                           const NameQuoter& quote);

// UPDATE t SET a = ?, b = ? WHERE k1 = ? AND k2 IS NULL (a Null key value is matched with IS NULL).
BoundStatement BuildUpdate(const QString& table, const QStringList& columns, const QVector<Variant>& values,
                           const QStringList& keyColumns, const QVector<Variant>& keyValues,
                           const NameQuoter& quote);

} // namespace ado
