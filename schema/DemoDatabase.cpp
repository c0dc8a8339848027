#include "DemoDatabase.h"

#include "DemoSteps.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <functional>

namespace schema {

namespace {

void removeFileAndCompanions(const QString& file)
{
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(file + QLatin1String(suffix));
}

bool fail(const QString& reason, QString* error)
{
    if (error)
        *error = reason;
    return false;
}

// Runs `fill` in one transaction on a new file; on failure removes what was created.
bool createFile(const QString& file, const std::function<void(CompanyFile&)>& fill, QString* error)
{
    if (file.isEmpty())
        return fail(QStringLiteral("no file name given"), error);
    if (QFileInfo::exists(file))
        return fail(QStringLiteral("%1 already exists; it is left as it is").arg(file), error);
    QString reason;
    {
        CompanyFile company(file);
        try {
            company.open();
            // A new file: nothing to protect until it is complete (a failure removes it), so no journal,
            // no waiting for the disk, and the whole file in memory while it is written.
            for (const char* pragma :
                 {"PRAGMA journal_mode=OFF", "PRAGMA synchronous=OFF", "PRAGMA cache_size=-262144"})
                company.exec(QString::fromLatin1(pragma));
            company.begin();
            fill(company);
            company.commit();
            for (const char* pragma : {"PRAGMA synchronous=NORMAL", "PRAGMA journal_mode=WAL"})
                company.exec(QString::fromLatin1(pragma));
            return true;
        } catch (const GenerationError& e) {
            reason = e.reason();
        }
    }
    removeFileAndCompanions(file);
    return fail(QStringLiteral("%1: %2").arg(file, reason), error);
}

bool isIndex(const QString& statement)
{
    static const QRegularExpression createIndex(QStringLiteral("^CREATE\\s+(UNIQUE\\s+)?INDEX\\b"),
                                                QRegularExpression::CaseInsensitiveOption);
    return createIndex.match(statement).hasMatch();
}

enum class Part { Tables, Indexes, All };

void applySchema(CompanyFile& company, Part part)
{
    const QStringList statements = SchemaStatements();
    if (statements.isEmpty())
        throw GenerationError(QStringLiteral("the schema script is missing from the program"));
    for (const QString& statement : statements) {
        if (part == Part::All || (part == Part::Indexes) == isIndex(statement))
            company.exec(statement);
    }
}

} // namespace

QDate DemoDay(int month, int day)
{
    const QDate hoy = QDate::currentDate();
    const QDate primero = QDate(hoy.year(), hoy.month(), 1).addMonths(month - kDemoMonths);
    return primero.addDays(qBound(1, day, primero.daysInMonth()) - 1);
}

QDate DemoFirstDay()
{
    return DemoDay(1, 1);
}

QDate DemoLastDay()
{
    return DemoDay(kDemoMonths, 31);
}

bool CreateEmptyDatabase(const QString& file, QString* error)
{
    return createFile(file, [](CompanyFile& company) { applySchema(company, Part::All); }, error);
}

bool CreateDatabaseWithRows(const QString& file, const QStringList& statements, QString* error)
{
    return createFile(
        file,
        [&](CompanyFile& company) {
            applySchema(company, Part::All);
            for (const QString& statement : statements)
                company.exec(statement);
        },
        error);
}

bool CreateCompanyDatabase(const QString& file, const Options& options, QString* error)
{
    if (options.linesPerSide < 0)
        return fail(QStringLiteral("the number of lines per side cannot be negative"), error);
    return createFile(
        file,
        [&options](CompanyFile& company) {
            // The rows go in before the indexes: building an index at once is much faster than growing it
            // row by row, and the unique ones still check every row.
            applySchema(company, Part::Tables);
            {
                const QSqlDatabase db = company.db();
                demo::WriteMasterData(db);
                JournalWriter journal(db);
                demo::WriteVouchers(db, journal, options.seed);
                if (options.linesPerSide > 0)
                    demo::WriteBenchAccount(journal, options.linesPerSide, options.seed);
            }
            applySchema(company, Part::Indexes);
            FillJournalViews(company);
        },
        error);
}

bool RebuildJournalViews(const QString& file, QString* error)
{
    if (!QFileInfo::exists(file))
        return fail(QStringLiteral("%1 does not exist").arg(file), error);
    CompanyFile company(file);
    try {
        company.open();
        company.begin();
        FillJournalViews(company);
        company.commit();
        return true;
    } catch (const GenerationError& e) {
        return fail(QStringLiteral("%1: %2").arg(file, e.reason()), error);
    }
}

} // namespace schema
