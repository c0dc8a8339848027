// The data layer beside bare SQLite on the same connection, best (min) and median of a few runs:
//   execute   one text INSERT per row through Connection::Execute, against bare SQLite preparing and
//             running the same texts, and against one bare prepared insert bound per row
//   save      marks and distinct link lists of N reconciliation lines through bound statements in one
//             transaction, against bare SQLite with one prepared UPDATE
//   recordset every journal line of one account opened as a recordset, against bare SQLite stepping
//             through the same rows with one prepared statement
// Aims: execute within 3x of the bare prepared insert, save of 200000 lines under 0.6 s, recordset
// within 1.5x. Usage: bench_data [recordset lines ...] (default 10000 100000).

#include "platform/ado/Recordset.h"
#include "schema/DemoDatabase.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <sqlite3.h>
#include <vector>

namespace {

constexpr int kRuns = 5;
constexpr int kExecuteRows = 20000;
constexpr int kSaveLines = 200000;

struct Figures {
    double min = 0;
    double median = 0;
};

// Min and median of a few runs of `measured`; `between` runs before each, outside the figures.
template <class Measured, class Between>
Figures milliseconds(Measured&& measured, Between&& between)
{
    std::vector<double> runs;
    for (int run = 0; run < kRuns; ++run) {
        between();
        QElapsedTimer t;
        t.start();
        measured();
        runs.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(runs.begin(), runs.end());
    return {runs.front(), runs[runs.size() / 2]};
}

QString ms(double v)
{
    return QString::number(v, 'f', v < 10 ? 2 : 1);
}

void line(QTextStream& out, const QString& what, const Figures& ours, const Figures& bare, const QString& bareName)
{
    out << what << "  ado min=" << ms(ours.min) << " ms median=" << ms(ours.median) << " ms  " << bareName
        << " min=" << ms(bare.min) << " ms median=" << ms(bare.median) << " ms  ratio min="
        << QString::number(ours.min / bare.min, 'f', 2) << " median=" << QString::number(ours.median / bare.median, 'f', 2)
        << Qt::endl;
}

sqlite3* handleOf(const ado::Connection& cn)
{
    const QVariant handle = cn.database().driver()->handle();
    return *static_cast<sqlite3* const*>(handle.constData());
}

bool bareExec(sqlite3* db, const char* sql)
{
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

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

QString linkInsert(int i)
{
    return QStringLiteral("INSERT INTO MV_CONCILIACION_Cpte_AUX (IdCpte, IdCpteAux) VALUES (%1, %2)").arg(i).arg(i + 7);
}

// One text statement per row, each in its own transaction-free run inside one outer transaction.
void measureExecute(ado::Connection& cn, QTextStream& out)
{
    sqlite3* db = handleOf(cn);
    QStringList texts;
    std::vector<QByteArray> utf8;
    for (int i = 0; i < kExecuteRows; ++i) {
        texts << linkInsert(i);
        utf8.push_back(texts.last().toUtf8());
    }
    const auto empty = [&] { bareExec(db, "DELETE FROM MV_CONCILIACION_Cpte_AUX"); };
    const Figures ours = milliseconds(
        [&] {
            cn.BeginTrans();
            for (const QString& t : std::as_const(texts))
                cn.Execute(t);
            cn.CommitTrans();
        },
        empty);
    const Figures bareText = milliseconds(
        [&] {
            bareExec(db, "BEGIN");
            for (const QByteArray& t : utf8) {
                sqlite3_stmt* st = nullptr;
                sqlite3_prepare_v2(db, t.constData(), int(t.size()), &st, nullptr);
                sqlite3_step(st);
                sqlite3_finalize(st);
            }
            bareExec(db, "COMMIT");
        },
        empty);
    const Figures bareBound = milliseconds(
        [&] {
            bareExec(db, "BEGIN");
            sqlite3_stmt* st = nullptr;
            sqlite3_prepare_v2(db, "INSERT INTO MV_CONCILIACION_Cpte_AUX (IdCpte, IdCpteAux) VALUES (?, ?)", -1, &st,
                               nullptr);
            for (int i = 0; i < kExecuteRows; ++i) {
                sqlite3_bind_int64(st, 1, i);
                sqlite3_bind_int64(st, 2, i + 7);
                sqlite3_step(st);
                sqlite3_reset(st);
            }
            sqlite3_finalize(st);
            bareExec(db, "COMMIT");
        },
        empty);
    const QString what = QStringLiteral("execute rows=%1").arg(kExecuteRows);
    line(out, what, ours, bareBound, QStringLiteral("sqlite prepared insert"));
    line(out, what, ours, bareText, QStringLiteral("sqlite same texts"));
}

// The reconciliation's lines already stored; every line gets its mark and a link list of its own.
void measureSave(ado::Connection& cn, QTextStream& out)
{
    sqlite3* db = handleOf(cn);
    bareExec(db, "BEGIN");
    sqlite3_stmt* add = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO MV_CONCILIACION (ID, IDCONCILIACION, CUENTA, SECUENCIA, MES_OPERATIVO, "
                       "[NUMERO ASIENTO], PERIODO, TIPO_REG) VALUES (?, 77, '9999', ?, 1, ?, 2026, 'N')",
                       -1, &add, nullptr);
    for (int i = 1; i <= kSaveLines; ++i) {
        sqlite3_bind_int64(add, 1, 1000000 + i);
        sqlite3_bind_int64(add, 2, i);
        sqlite3_bind_int64(add, 3, i);
        sqlite3_step(add);
        sqlite3_reset(add);
    }
    sqlite3_finalize(add);
    bareExec(db, "COMMIT");

    std::vector<QString> links;
    std::vector<QByteArray> linksUtf8;
    for (int i = 1; i <= kSaveLines; ++i) {
        links.push_back(QStringLiteral("%1,%2,").arg(2000000 + i).arg(3000000 + i));
        linksUtf8.push_back(links.back().toUtf8());
    }
    const QString update = QStringLiteral("UPDATE MV_CONCILIACION SET CONCILIADO = ?, IDCONCAUX = ID, "
                                          "CONCILIADOCON = ? WHERE ID = ? AND IDCONCILIACION = ?");
    const Figures ours = milliseconds(
        [&] {
            cn.BeginTrans();
            for (int i = 0; i < kSaveLines; ++i)
                cn.ExecuteBound(update, {i % 3 != 0, links[size_t(i)], qint64(1000001 + i), qint64(77)});
            cn.CommitTrans();
        },
        [] {});
    const QByteArray updateUtf8 = update.toUtf8();
    const Figures bare = milliseconds(
        [&] {
            bareExec(db, "BEGIN");
            sqlite3_stmt* st = nullptr;
            sqlite3_prepare_v2(db, updateUtf8.constData(), -1, &st, nullptr);
            for (int i = 0; i < kSaveLines; ++i) {
                const QByteArray& l = linksUtf8[size_t(i)];
                sqlite3_bind_int(st, 1, i % 3 != 0);
                sqlite3_bind_text(st, 2, l.constData(), int(l.size()), SQLITE_TRANSIENT);
                sqlite3_bind_int64(st, 3, 1000001 + i);
                sqlite3_bind_int64(st, 4, 77);
                sqlite3_step(st);
                sqlite3_reset(st);
            }
            sqlite3_finalize(st);
            bareExec(db, "COMMIT");
        },
        [] {});
    line(out, QStringLiteral("save lines=%1").arg(kSaveLines), ours, bare, QStringLiteral("sqlite prepared update"));
}

bool measureRecordset(ado::Connection& cn, int lines, QTextStream& out)
{
    const QString sql = QStringLiteral("SELECT * FROM MV_ASIENTOS WHERE CUENTA = '%1'")
                            .arg(QLatin1String(schema::kBenchAccount));
    qint64 adoRows = 0;
    ado::Recordset rs;
    const Figures ours = milliseconds(
        [&] {
            rs.Open(sql, &cn);
            adoRows = rs.RecordCount();
        },
        [&] { rs.Close(); });   // only the opening is measured, not the freeing of the last rows
    const QByteArray utf8 = sql.toUtf8();
    qint64 bareRows = 0;
    const Figures bare = milliseconds([&] { bareRows = bareRead(handleOf(cn), utf8); }, [] {});
    line(out, QStringLiteral("recordset lines=%1 rows=%2").arg(lines).arg(adoRows), ours, bare,
         QStringLiteral("sqlite"));
    if (bareRows != adoRows)
        out << "  (row counts differ: sqlite read " << bareRows << ")" << Qt::endl;
    return bareRows == adoRows;
}

bool measure(int lines, bool writes, QTextStream& out)
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
    const bool ok = measureRecordset(cn, lines, out);
    if (writes) {
        measureExecute(cn, out);
        measureSave(cn, out);
    }
    return ok;
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
    for (int i = 0; i < sizes.size(); ++i) {
        try {
            ok = measure(sizes.at(i), i == 0, out) && ok;
        } catch (const ado::Error& e) {
            out << "lines=" << sizes.at(i) << "  failed: " << e.Description << Qt::endl;
            ok = false;
        }
    }
    return ok ? 0 : 1;
}
