// The schema script, built into the library so that the generator works from any folder.

#include "DemoDatabase.h"

#include <QFile>

// Resources of a static library are registered by hand (outside any namespace).
static void registerSchemaResource()
{
    Q_INIT_RESOURCE(company);
}

namespace schema {

namespace {

// Drops "--" comments; company.sql puts no "--" or ";" inside a literal.
QString withoutComments(const QString& script)
{
    QStringList kept;
    for (const QString& line : script.split(QLatin1Char('\n'))) {
        const qsizetype comment = line.indexOf(QLatin1String("--"));
        kept << (comment < 0 ? line : line.left(comment));
    }
    return kept.join(QLatin1Char('\n'));
}

} // namespace

QStringList SchemaStatements()
{
    registerSchemaResource();
    QFile file(QStringLiteral(":/schema/company.sql"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList statements;
    for (const QString& piece : withoutComments(QString::fromUtf8(file.readAll())).split(QLatin1Char(';'))) {
        const QString statement = piece.trimmed();
        if (!statement.isEmpty())
            statements << statement;
    }
    return statements;
}

} // namespace schema
