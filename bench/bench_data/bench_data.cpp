// The data layer beside bare SQLite on the same rows, each run in a fresh process (the first run and the
// median of several; memory as peak resident above the idle mark, taken once the connection is open):
//   recordset every journal line of the bench account opened as a recordset, against bare SQLite stepping
//             through the same rows with one prepared statement
//   execute   one text INSERT with an amount per row through Connection::Execute, against one bare
//             prepared insert bound per row
//   save      marks and distinct link lists of the lines through bound statements in one transaction,
//             against bare SQLite with one prepared UPDATE
// Aims: recordset within 2x, execute within 3x, save at 0.6 s per 200,000 lines.
// Usage: bench_data [--million] [--runs N]   (sizes 10,000 and 100,000 lines; --million adds 1,000,000)

#include "common/FreshProcess.h"
#include "platform/ado/Recordset.h"
#include "schema/DemoDatabase.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QTemporaryDir>
#include <QTextStream>
#include <sqlite3.h>
#include <vector>

namespace {

constexpr qint64 kSaveConciliacion = 77;
constexpr int kAmountPeriod = 2099;   // the period of the rows the execute figure writes

QString recordsetQuery()
{
    return QStringLiteral("SELECT * FROM MV_ASIENTOS WHERE CUENTA = '%1'").arg(QLatin1String(schema::kBenchAccount));
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

// The amount of row i: cents that vary, so that no two statements share their text.
double amountOf(int i)
{
    return (i % 2 ? -1 : 1) * (12345 + i * 7) / 100.0;
}

QString amountInsert(int i)
{
    return QStringLiteral("INSERT INTO MV_ASIENTOSCCOSTO (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], TIPO_REG, "
                          "SECUENCIA, Cuenta, CCosto, Porcentaje, Importe) VALUES (%1, 1, %2, 'N', 1, '9999', '01', "
                          "100.00, %3)")
        .arg(kAmountPeriod)
        .arg(i)
        .arg(amountOf(i), 0, 'f', 2);
}

void timed(const QString& name, const std::function<void()>& work)
{
    bench::markIdle();
    QElapsedTimer t;
    t.start();
    work();
    bench::report(name, t.nsecsElapsed() / 1e6);
    bench::report(QStringLiteral("peak"), bench::peakAboveIdleMiB());
}

void openConnection(ado::Connection& cn, const QString& file)
{
    cn.Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=sqlite;Database =%1;UId=;Pwd=;").arg(file));
}

void addSaveLines(sqlite3* db, int lines)
{
    bareExec(db, "BEGIN");
    bareExec(db, "DELETE FROM MV_CONCILIACION WHERE IDCONCILIACION = 77");
    sqlite3_stmt* add = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO MV_CONCILIACION (ID, IDCONCILIACION, CUENTA, SECUENCIA, MES_OPERATIVO, "
                       "[NUMERO ASIENTO], PERIODO, TIPO_REG) VALUES (?, 77, '9999', ?, 1, ?, 2026, 'N')",
                       -1, &add, nullptr);
    for (int i = 1; i <= lines; ++i) {
        sqlite3_bind_int64(add, 1, 1000000 + i);
        sqlite3_bind_int64(add, 2, i);
        sqlite3_bind_int64(add, 3, i);
        sqlite3_step(add);
        sqlite3_reset(add);
    }
    sqlite3_finalize(add);
    bareExec(db, "COMMIT");
}

const QString kSaveUpdate = QStringLiteral("UPDATE MV_CONCILIACION SET CONCILIADO = ?, IDCONCAUX = ID, "
                                           "CONCILIADOCON = ? WHERE ID = ? AND IDCONCILIACION = ?");

// One run of one figure, in this (fresh) process.
int child(const QString& figure, const QString& file, int lines)
{
    ado::Connection cn;
    openConnection(cn, file);
    sqlite3* db = handleOf(cn);
    if (figure == QLatin1String("recordset")) {
        ado::Recordset rs;
        timed(figure, [&] { rs.Open(recordsetQuery(), &cn); });
        bench::report(QStringLiteral("rows"), rs.RecordCount());
    } else if (figure == QLatin1String("bare-recordset")) {
        qint64 rows = 0;
        timed(figure, [&] { rows = bareRead(db, recordsetQuery().toUtf8()); });
        bench::report(QStringLiteral("rows"), rows);
    } else if (figure == QLatin1String("execute")) {
        bareExec(db, "DELETE FROM MV_ASIENTOSCCOSTO WHERE PERIODO = 2099");
        QStringList texts;
        for (int i = 0; i < lines; ++i)
            texts << amountInsert(i);
        timed(figure, [&] {
            cn.BeginTrans();
            for (const QString& t : std::as_const(texts))
                cn.Execute(t);
            cn.CommitTrans();
        });
    } else if (figure == QLatin1String("bare-execute")) {
        bareExec(db, "DELETE FROM MV_ASIENTOSCCOSTO WHERE PERIODO = 2099");
        timed(figure, [&] {
            bareExec(db, "BEGIN");
            sqlite3_stmt* st = nullptr;
            sqlite3_prepare_v2(db,
                               "INSERT INTO MV_ASIENTOSCCOSTO (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], TIPO_REG, "
                               "SECUENCIA, Cuenta, CCosto, Porcentaje, Importe) VALUES (?, 1, ?, 'N', 1, '9999', "
                               "'01', ?, ?)",
                               -1, &st, nullptr);
            for (int i = 0; i < lines; ++i) {
                sqlite3_bind_int64(st, 1, kAmountPeriod);
                sqlite3_bind_int64(st, 2, i);
                sqlite3_bind_double(st, 3, 100.0);
                sqlite3_bind_double(st, 4, amountOf(i));
                sqlite3_step(st);
                sqlite3_reset(st);
            }
            sqlite3_finalize(st);
            bareExec(db, "COMMIT");
        });
    } else if (figure == QLatin1String("save") || figure == QLatin1String("bare-save")) {
        addSaveLines(db, lines);
        std::vector<QString> links;
        for (int i = 1; i <= lines; ++i)
            links.push_back(QStringLiteral("%1,%2,").arg(2000000 + i).arg(3000000 + i));
        if (figure == QLatin1String("save")) {
            timed(figure, [&] {
                cn.BeginTrans();
                for (int i = 0; i < lines; ++i)
                    cn.ExecuteBound(kSaveUpdate, {i % 3 != 0, links[size_t(i)], qint64(1000001 + i), kSaveConciliacion});
                cn.CommitTrans();
            });
        } else {
            timed(figure, [&] {
                bareExec(db, "BEGIN");
                sqlite3_stmt* st = nullptr;
                const QByteArray update = kSaveUpdate.toUtf8();
                sqlite3_prepare_v2(db, update.constData(), -1, &st, nullptr);
                for (int i = 0; i < lines; ++i) {
                    const QByteArray l = links[size_t(i)].toUtf8();
                    sqlite3_bind_int(st, 1, i % 3 != 0);
                    sqlite3_bind_text(st, 2, l.constData(), int(l.size()), SQLITE_TRANSIENT);
                    sqlite3_bind_int64(st, 3, 1000001 + i);
                    sqlite3_bind_int64(st, 4, kSaveConciliacion);
                    sqlite3_step(st);
                    sqlite3_reset(st);
                }
                sqlite3_finalize(st);
                bareExec(db, "COMMIT");
            });
        }
    } else {
        return 2;
    }
    return 0;
}

struct Figure {
    const char* name;
    const char* unit;
    bool perRow;          // shown as microseconds per row rather than milliseconds for the whole run
};

void compare(QTextStream& out, const QString& file, int lines, int runs, const Figure& f, const QString& goal,
             double ratioGoal, double absoluteGoalMs)
{
    const QStringList args = {QStringLiteral("--child"), QLatin1String(f.name), file, QString::number(lines)};
    QStringList bareArgs = args;
    bareArgs[1] = QStringLiteral("bare-") + QLatin1String(f.name);
    const QMap<QString, bench::Runs> ours = bench::runFresh(args, runs);
    const QMap<QString, bench::Runs> bare = bench::runFresh(bareArgs, runs);
    auto scaled = [&](bench::Runs r) {
        for (double& v : r.values)
            v = f.perRow ? v * 1000 / lines : v;
        return r;
    };
    const bench::Runs t = scaled(ours.value(QLatin1String(f.name)));
    const bench::Runs b = scaled(bare.value(bareArgs[1]));
    const double ratioFirst = b.first() > 0 ? t.first() / b.first() : 0;
    const double ratioMedian = b.median() > 0 ? t.median() / b.median() : 0;
    const bool met = ratioGoal > 0 ? ratioFirst <= ratioGoal && ratioMedian <= ratioGoal
                                   : t.first() <= absoluteGoalMs && t.median() <= absoluteGoalMs;
    out << f.name << " lines=" << lines << "  " << bench::firstAndMedian(t, 2) << ' ' << f.unit << "  bare "
        << bench::firstAndMedian(b, 2) << ' ' << f.unit << "  ratio first " << QString::number(ratioFirst, 'f', 2)
        << " / median " << QString::number(ratioMedian, 'f', 2) << "  goal " << goal << (met ? "  met" : "  NOT MET")
        << Qt::endl;
    out << "  peak above idle  " << bench::firstAndMedian(ours.value(QStringLiteral("peak"))) << " MiB  bare "
        << bench::firstAndMedian(bare.value(QStringLiteral("peak"))) << " MiB" << Qt::endl;
    if (ours.contains(QStringLiteral("rows")) && ours.value(QStringLiteral("rows")).first() != bare.value(QStringLiteral("rows")).first())
        out << "  (row counts differ)" << Qt::endl;
}

bool measure(QTextStream& out, int lines, int runs)
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
    compare(out, file, lines, runs, {"recordset", "ms", false}, QStringLiteral("<= 2x bare"), 2, 0);
    compare(out, file, lines, runs, {"execute", "us/row", true}, QStringLiteral("<= 3x bare"), 3, 0);
    const double saveGoalMs = 600.0 * lines / 200000;
    compare(out, file, lines, runs, {"save", "ms", false}, QStringLiteral("<= %1 ms").arg(saveGoalMs, 0, 'f', 0), 0,
            saveGoalMs);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.value(1) == QLatin1String("--child")) {
        try {
            return child(args.value(2), args.value(3), args.value(4).toInt());
        } catch (const ado::Error& e) {
            QTextStream(stderr) << "failed: " << e.Description << Qt::endl;
            return 1;
        }
    }
    QList<int> sizes = {10000, 100000};
    if (args.contains(QLatin1String("--million")))
        sizes << 1000000;
    const int runsAt = args.indexOf(QLatin1String("--runs"));
    const int runs = runsAt > 0 ? std::max(1, args.value(runsAt + 1).toInt()) : 5;
    QTextStream out(stdout);
    bool ok = true;
    for (int lines : sizes)
        ok = measure(out, lines, runs) && ok;
    return ok ? 0 : 1;
}
