#include "DataFigures.h"

#include "common/FreshProcess.h"
#include "platform/ado/Recordset.h"
#include "schema/DemoDatabase.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QStringList>
#include <sqlite3.h>
#include <functional>
#include <unistd.h>
#include <vector>

namespace benchdata {

namespace {

constexpr qint64 kSaveConciliacion = 77;
constexpr int kAmountPeriod = 2099;   // the period of the rows the insert and update figures write

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

// One prepared statement bound and run once per row, in one transaction.
void bareRows(sqlite3* db, const char* sql, int rows, const std::function<void(sqlite3_stmt*, int)>& bind)
{
    bareExec(db, "BEGIN");
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    for (int i = 0; i < rows; ++i) {
        bind(st, i);
        sqlite3_step(st);
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    bareExec(db, "COMMIT");
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

QString amountText(double amount)
{
    return QString::number(amount, 'f', 2);
}

QString amountInsert(int i)
{
    return QStringLiteral("INSERT INTO MV_ASIENTOSCCOSTO (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], TIPO_REG, "
                          "SECUENCIA, Cuenta, CCosto, Porcentaje, Importe) VALUES (%1, 1, %2, 'N', 1, '9999', '01', "
                          "100.00, %3)")
        .arg(kAmountPeriod)
        .arg(i)
        .arg(amountText(amountOf(i)));
}

const char kBareInsert[] = "INSERT INTO MV_ASIENTOSCCOSTO (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], TIPO_REG, "
                           "SECUENCIA, Cuenta, CCosto, Porcentaje, Importe) VALUES (?, 1, ?, 'N', 1, '9999', "
                           "'01', ?, ?)";

void bindInsert(sqlite3_stmt* st, int i)
{
    sqlite3_bind_int64(st, 1, kAmountPeriod);
    sqlite3_bind_int64(st, 2, i);
    sqlite3_bind_double(st, 3, 100.0);
    sqlite3_bind_double(st, 4, amountOf(i));
}

// The row an update changes gets the amount of the next one.
QString amountUpdate(int i)
{
    return QStringLiteral("UPDATE MV_ASIENTOSCCOSTO SET Importe = %1 WHERE PERIODO = %2 AND MES_OPERATIVO = 1 "
                          "AND [NUMERO ASIENTO] = %3 AND TIPO_REG = 'N' AND SECUENCIA = 1")
        .arg(amountText(amountOf(i + 1)))
        .arg(kAmountPeriod)
        .arg(i);
}

const char kBareUpdate[] = "UPDATE MV_ASIENTOSCCOSTO SET Importe = ? WHERE PERIODO = ? AND MES_OPERATIVO = 1 "
                           "AND [NUMERO ASIENTO] = ? AND TIPO_REG = 'N' AND SECUENCIA = 1";

void bindUpdate(sqlite3_stmt* st, int i)
{
    sqlite3_bind_double(st, 1, amountOf(i + 1));
    sqlite3_bind_int64(st, 2, kAmountPeriod);
    sqlite3_bind_int64(st, 3, i);
}

const char kSaveLine[] = "INSERT INTO MV_CONCILIACION (ID, IDCONCILIACION, CUENTA, SECUENCIA, MES_OPERATIVO, "
                         "[NUMERO ASIENTO], PERIODO, TIPO_REG) VALUES (?, 77, '9999', ?, 1, ?, 2026, 'N')";

void bindSaveLine(sqlite3_stmt* st, int i)
{
    sqlite3_bind_int64(st, 1, 1000001 + i);
    sqlite3_bind_int64(st, 2, i + 1);
    sqlite3_bind_int64(st, 3, i + 1);
}

const QString kSaveUpdate = QStringLiteral("UPDATE MV_CONCILIACION SET CONCILIADO = ?, IDCONCAUX = ID, "
                                           "CONCILIADOCON = ? WHERE ID = ? AND IDCONCILIACION = ?");

// The work timed; a work that writes must change exactly `rows` rows (the engine's count of rows inserted,
// updated or deleted on the connection), or the figure would time something else.
void timed(const QString& name, const std::function<void()>& work, sqlite3* db = nullptr, qint64 rows = 0)
{
    const sqlite3_int64 before = db ? sqlite3_total_changes64(db) : 0;
    bench::markIdle();
    QElapsedTimer t;
    t.start();
    work();
    const double elapsed = t.nsecsElapsed() / 1e6;
    if (db) {
        const qint64 changed = sqlite3_total_changes64(db) - before;
        bench::Exigir(changed == rows, QStringLiteral("%1 changed %2 rows, not %3").arg(name).arg(changed).arg(rows));
    }
    bench::report(name, elapsed);
    bench::report(QStringLiteral("peak"), bench::peakAboveIdleMiB());
}

// Each text through Execute, in one transaction.
void executeAll(ado::Connection& cn, const QStringList& texts)
{
    cn.BeginTrans();
    for (const QString& t : texts)
        cn.Execute(t);
    cn.CommitTrans();
}

QStringList texts(int lines, QString (*text)(int))
{
    QStringList all;
    all.reserve(lines);
    for (int i = 0; i < lines; ++i)
        all << text(i);
    return all;
}

// A fresh copy of the database for a run that writes, beside it, on disk before the run starts: the
// system writing the copy out meanwhile would slow the run by chance.
QString copyToWrite(const QString& file)
{
    const QString copy = file + QStringLiteral(".run");
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(copy + QLatin1String(suffix));
    bench::Exigir(QFile::copy(file, copy), QStringLiteral("the database was not copied"));
    QFile written(copy);
    if (written.open(QIODevice::ReadWrite))
        ::fsync(written.handle());
    return copy;
}

struct Run {
    ado::Connection cn;
    sqlite3* db = nullptr;
    int lines = 0;
};

void recordset(Run& r)
{
    ado::Recordset rs;
    timed(QStringLiteral("recordset"), [&] { rs.Open(recordsetQuery(), &r.cn); });
    bench::Exigir(rs.RecordCount() > 0, QStringLiteral("the recordset read no row"));
    bench::report(QStringLiteral("rows"), rs.RecordCount());
}

void bareRecordset(Run& r)
{
    qint64 rows = 0;
    timed(QStringLiteral("bare-recordset"), [&] { rows = bareRead(r.db, recordsetQuery().toUtf8()); });
    bench::Exigir(rows > 0, QStringLiteral("bare SQLite read no row"));
    bench::report(QStringLiteral("rows"), rows);
}

void insert(Run& r)
{
    const QStringList all = texts(r.lines, amountInsert);
    timed(QStringLiteral("insert"), [&] { executeAll(r.cn, all); }, r.db, r.lines);
}

void bareInsert(Run& r)
{
    timed(QStringLiteral("bare-insert"), [&] { bareRows(r.db, kBareInsert, r.lines, bindInsert); }, r.db, r.lines);
}

void update(Run& r)
{
    bareRows(r.db, kBareInsert, r.lines, bindInsert);
    const QStringList all = texts(r.lines, amountUpdate);
    timed(QStringLiteral("update"), [&] { executeAll(r.cn, all); }, r.db, r.lines);
}

void bareUpdate(Run& r)
{
    bareRows(r.db, kBareInsert, r.lines, bindInsert);
    timed(QStringLiteral("bare-update"), [&] { bareRows(r.db, kBareUpdate, r.lines, bindUpdate); }, r.db, r.lines);
}

std::vector<QString> saveLinks(Run& r)
{
    bareExec(r.db, "DELETE FROM MV_CONCILIACION WHERE IDCONCILIACION = 77");
    bareRows(r.db, kSaveLine, r.lines, bindSaveLine);
    std::vector<QString> links;
    for (int i = 1; i <= r.lines; ++i)
        links.push_back(QStringLiteral("%1,%2,").arg(2000000 + i).arg(3000000 + i));
    return links;
}

void save(Run& r)
{
    const std::vector<QString> links = saveLinks(r);
    timed(QStringLiteral("save"), [&] {
        r.cn.BeginTrans();
        for (int i = 0; i < r.lines; ++i)
            r.cn.ExecuteBound(kSaveUpdate, {i % 3 != 0, links[size_t(i)], qint64(1000001 + i), kSaveConciliacion});
        r.cn.CommitTrans();
    }, r.db, r.lines);
}

void bareSave(Run& r)
{
    const std::vector<QString> links = saveLinks(r);
    const QByteArray update = kSaveUpdate.toUtf8();
    timed(QStringLiteral("bare-save"), [&] {
        bareRows(r.db, update.constData(), r.lines, [&](sqlite3_stmt* st, int i) {
            const QByteArray l = links[size_t(i)].toUtf8();
            sqlite3_bind_int(st, 1, i % 3 != 0);
            sqlite3_bind_text(st, 2, l.constData(), int(l.size()), SQLITE_TRANSIENT);
            sqlite3_bind_int64(st, 3, 1000001 + i);
            sqlite3_bind_int64(st, 4, kSaveConciliacion);
        });
    }, r.db, r.lines);
}

struct Figure {
    const char* name;
    void (*run)(Run&);
    bool writes;
};

const Figure kFigures[] = {
    {"recordset", recordset, false}, {"bare-recordset", bareRecordset, false},
    {"insert", insert, true},        {"bare-insert", bareInsert, true},
    {"update", update, true},        {"bare-update", bareUpdate, true},
    {"save", save, true},            {"bare-save", bareSave, true},
};

} // namespace

int RunFigure(const QString& figure, const QString& file, int lines)
{
    for (const Figure& f : kFigures) {
        if (figure != QLatin1String(f.name))
            continue;
        Run r;
        r.lines = lines;
        r.cn.Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=sqlite;Database =%1;UId=;Pwd=;")
                      .arg(f.writes ? copyToWrite(file) : file));
        bench::Exigir(r.cn.State() != 0, QStringLiteral("the database did not open"));
        r.db = handleOf(r.cn);
        f.run(r);
        return 0;
    }
    return 2;
}

} // namespace benchdata
