#include "OdbcHandle.h"

#include <QSqlQuery>
#include <QSqlResult>
#include <QVariant>

namespace ado {

void* StatementHandle(const QSqlQuery& query)
{
    const QSqlResult* result = query.result();
    const QVariant handle = result ? result->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "void*") != 0)
        return nullptr;
    return *static_cast<void* const*>(handle.constData());
}

} // namespace ado
