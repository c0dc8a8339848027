// Opening a recordset of every journal line of one account through the ado layer, beside bare SQLite
// reading the same rows with one prepared statement on the same connection. Prints one line per size:
//   lines=N  ado=… ms  sqlite=… ms  ratio=…
// The aim is a ratio within 2. Usage: bench_data [N ...] (default 10000 100000).

#include "platform/ado/Recordset.h"
#include "schema/DemoDatabase.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QTemporaryDir>
#include <QTextStream>
#include <sqlite3.h>

namespace {

constexpr int kRuns = 5;

// Steps through every row and touches every column as the engine stored it; returns the rows read.
qint64 bareRead(sqlite3* db, const QByteArray& sql)
{
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &st, nullptr) != SQLITE_OK)
        return -1;
    qint64 rows = 0;
    qint64 touched = 0;
    const int n = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int i = 0; i < n; ++i) {
            switch (sqlite3_column_type(st, i)) {
            case SQLITE_INTEGER: touched += sqlite3_column_int64(st, i); break;
            case SQLITE_FLOAT: touched += qint64(sqlite3_column_double(st, i)); break;
            case SQLITE_NULL: break;
            default: touched += sqlite3_column_bytes(st, i) + (sqlite3_column_text(st, i) ? 1 : 0); break;
            }
        }
        ++rows;
    }
    sqlite3_finalize(st);
    return touched == -1 ? -1 : rows;   // keeps the reads from being optimised away
}

// The best of a few runs of `measured`; `between` runs before each, outside the figure.
template <class Measured, class Between>
double bestMilliseconds(Measured&& measured, Between&& between)
{
    double best = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        between();
        QElapsedTimer t;
        t.start();
        measured();
        best = qMin(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

bool measure(int lines, QTextStream& out)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bench.db"));
    schema::Options options;
    options.linesPerSide = lines / 2;
    QString why;
    if (!schema::CreateCompanyDatabase(file, options, &why)) {
        out << "lines=" << lines << "  cannot build the database: " << why << Qt::endl;
        return false;
    }
    ado::Connection cn;
    cn.Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=sqlite;Database =%1;UId=;Pwd=;").arg(file));
    const QString sql = QStringLiteral("SELECT * FROM MV_ASIENTOS WHERE CUENTA = '%1'")
                            .arg(QLatin1String(schema::kBenchAccount));

    qint64 adoRows = 0;
    ado::Recordset rs;
    const double adoMs = bestMilliseconds(
        [&] {
            rs.Open(sql, &cn);
            adoRows = rs.RecordCount();
        },
        [&] { rs.Close(); });   // only the opening is measured, not the freeing of the last rows

    const QVariant handle = cn.database().driver()->handle();
    sqlite3* db = *static_cast<sqlite3* const*>(handle.constData());
    const QByteArray utf8 = sql.toUtf8();
    qint64 bareRows = 0;
    const double bareMs = bestMilliseconds([&] { bareRows = bareRead(db, utf8); }, [] {});

    out << "lines=" << lines << "  rows=" << adoRows << "  ado=" << QString::number(adoMs, 'f', 1)
        << " ms  sqlite=" << QString::number(bareMs, 'f', 1) << " ms  ratio="
        << QString::number(adoMs / bareMs, 'f', 2);
    if (bareRows != adoRows)
        out << "  (row counts differ: sqlite read " << bareRows << ")";
    out << Qt::endl;
    return bareRows == adoRows;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QList<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes << QString::fromLocal8Bit(argv[i]).toInt();
    if (sizes.isEmpty())
        sizes = {10000, 100000};
    bool ok = true;
    for (int lines : sizes) {
        try {
            ok = measure(lines, out) && ok;
        } catch (const ado::Error& e) {
            out << "lines=" << lines << "  failed: " << e.Description << Qt::endl;
            ok = false;
        }
    }
    return ok ? 0 : 1;
}
