// Loading both panels of the benchmark account (N free debit and N free credit lines) through the
// reconciliation store's registration, beside bare SQLite inserting the same rows into the same tables in one
// transaction with one prepared statement per table. Then saving a mark on every loaded line, and, for the
// data layer's per-statement cost, the same rows inserted one text statement each through
// ado::Connection::Execute (on at most 5000 rows per side). Prints:
//   lines/side=N  store=… ms  bare=… ms  ratio=…
//   save all marks: lines=2N  … ms  (… us per line)
//   one Execute per line: lines=…  … us per line  (bare … us per line, ratio …)
// Each figure is the best of a few runs, each on a fresh copy of the database. Then the workbench window itself,
// offscreen, on a fresh copy (ventana.cpp): "Comparar" beside the pair-by-pair reference, the save of all
// marks, and "Aplicar" of one left line against 200 right lines.
// Usage: bench_workbench [N] [reference n] [runs] (defaults 20000, 4000 and 5). The window figures are printed as
// min and median of the runs, with their aims: load within 2x of bare SQLite inserting and reading back the same
// rows, Aplicar under 50 ms and flat in N, Comparar within 1.5x of the matcher, the load's peak memory under
// 150 MiB.

#include "ventana.h"

#include "reconciliation/EntornoPrograma.h"
#include "reconciliation/engine/Store.h"
#include "schema/DemoDatabase.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QTemporaryDir>
#include <QTextStream>
#include <sqlite3.h>

namespace {

constexpr int kRuns = 3;

QString textoConexion(const QString& file)
{
    return QStringLiteral("PROVIDER=SQLOLEDB;Server=sqlite;Database =%1;UId=;Pwd=;").arg(file);
}

sqlite3* handleOf(ado::Connection& cn)
{
    const QVariant v = cn.database().driver()->handle();
    return *static_cast<sqlite3* const*>(v.constData());
}

conciliacion::Cabecera header()
{
    conciliacion::Cabecera c;
    c.numero = 1;
    c.cuenta = QString::fromLatin1(schema::kBenchAccount);
    c.fecha = QStringLiteral("18/04/2026");
    c.fechaDesde = schema::DemoFirstDay().toString(QStringLiteral("dd/MM/yyyy"));
    c.fechaHasta = schema::DemoLastDay().toString(QStringLiteral("dd/MM/yyyy"));
    return c;
}

// One journal line's values as the registration row takes them, read before the timing starts.
struct Row {
    qint64 secuencia, mes, asiento, periodo;
    QByteArray tipoReg, fecha, vencimiento, tc, comprobante, concepto, tcOrigen, cpteOrigen;
    double importe;
};

std::vector<Row> journalRows(sqlite3* db, const char* side)
{
    const QByteArray sql = QByteArray("SELECT SECUENCIA, MES_OPERATIVO, [NUMERO ASIENTO], PERIODO, TIPO_REG, FECHA, "
                                      "VENCIMIENTO, TC, IFNULL(SUCURSAL,'')||IFNULL(NUMERO,'')||IFNULL(LETRA,''), "
                                      "IFNULL(IMPORTE,0), DETALLE, TC_ORIGEN, CPTE_ORIGEN FROM MV_ASIENTOS "
                                      "WHERE CUENTA = '")
                           + schema::kBenchAccount + "' AND [DEBE-HABER] = '" + side + "' ORDER BY FECHA, TC, SUCURSAL, NUMERO";
    sqlite3_stmt* st = nullptr;
    std::vector<Row> rows;
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) != SQLITE_OK)
        return rows;
    const auto text = [st](int i) {
        return QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(st, i)), sqlite3_column_bytes(st, i));
    };
    while (sqlite3_step(st) == SQLITE_ROW) {
        rows.push_back({sqlite3_column_int64(st, 0), sqlite3_column_int64(st, 1), sqlite3_column_int64(st, 2),
                        sqlite3_column_int64(st, 3), text(4), text(5), text(6), text(7), text(8), text(10), text(11),
                        text(12), sqlite3_column_double(st, 9)});
    }
    sqlite3_finalize(st);
    return rows;
}

// Bare SQLite: one transaction, one prepared INSERT per table, the values bound.
bool bareInsert(sqlite3* db, const std::vector<Row>& left, const std::vector<Row>& right)
{
    const char* cols = "(IDCONCILIACION,FECHA,CUENTA,SECUENCIA,MES_OPERATIVO,[NUMERO ASIENTO],PERIODO,TIPO_REG,"
                       "FINALIZADA,FECHAMOV,VENCIMIENTO,TC,COMPROBANTE,IMPORTE,CONCEPTO,TC_ORIGEN,CPTE_ORIGEN) "
                       "VALUES (1,'2026-04-18',?,?,?,?,?,?,0,?,?,?,?,?,?,?,?)";
    if (sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK)
        return false;
    bool ok = true;
    for (const auto& [table, rows] : {std::pair{"MV_CONCILIACION", &left}, std::pair{"MV_CONCILIACION_AUX", &right}}) {
        sqlite3_stmt* st = nullptr;
        const QByteArray sql = QByteArray("INSERT INTO ") + table + " " + cols;
        ok = ok && sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) == SQLITE_OK;
        for (const Row& r : *rows) {
            if (!ok)
                break;
            const auto bindText = [st](int i, const QByteArray& t) {
                sqlite3_bind_text(st, i, t.constData(), int(t.size()), SQLITE_STATIC);
            };
            sqlite3_bind_text(st, 1, schema::kBenchAccount, -1, SQLITE_STATIC);
            sqlite3_bind_int64(st, 2, r.secuencia);
            sqlite3_bind_int64(st, 3, r.mes);
            sqlite3_bind_int64(st, 4, r.asiento);
            sqlite3_bind_int64(st, 5, r.periodo);
            bindText(6, r.tipoReg);
            bindText(7, r.fecha);
            bindText(8, r.vencimiento);
            bindText(9, r.tc);
            bindText(10, r.comprobante);
            sqlite3_bind_double(st, 11, r.importe);
            bindText(12, r.concepto);
            bindText(13, r.tcOrigen);
            bindText(14, r.cpteOrigen);
            ok = sqlite3_step(st) == SQLITE_DONE;
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
    }
    return sqlite3_exec(db, ok ? "COMMIT" : "ROLLBACK", nullptr, nullptr, nullptr) == SQLITE_OK && ok;
}

// Every column of every row of both sides read back, as a load lists them.
qint64 bareReadBack(sqlite3* db)
{
    qint64 bytes = 0;
    for (const char* sql : {"SELECT * FROM MV_CONCILIACION WHERE IDCONCILIACION = 1 ORDER BY ID",
                            "SELECT * FROM MV_CONCILIACION_AUX WHERE IDCONCILIACION = 1 ORDER BY ID"}) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK)
            return -1;
        const int columns = sqlite3_column_count(st);
        while (sqlite3_step(st) == SQLITE_ROW)
            for (int c = 0; c < columns; ++c) {
                sqlite3_column_text(st, c);
                bytes += sqlite3_column_bytes(st, c);
            }
        sqlite3_finalize(st);
    }
    return bytes;
}

QString quoted(const QByteArray& t)
{
    return u'\'' + QString::fromUtf8(t).replace(u'\'', QStringLiteral("''")) + u'\'';
}

// The rows inserted one text statement each through the data layer, in one transaction.
void executePerLine(ado::Connection& cn, const std::vector<Row>& rows, size_t limit)
{
    cn.BeginTrans();
    for (size_t i = 0; i < rows.size() && i < limit; ++i) {
        const Row& r = rows[i];
        cn.Execute(QStringLiteral("INSERT INTO MV_CONCILIACION (IDCONCILIACION,FECHA,CUENTA,SECUENCIA,MES_OPERATIVO,"
                                  "[NUMERO ASIENTO],PERIODO,TIPO_REG,FINALIZADA,FECHAMOV,VENCIMIENTO,TC,COMPROBANTE,"
                                  "IMPORTE,CONCEPTO,IDCONCAUX, CONCILIADO, TC_ORIGEN,CPTE_ORIGEN)  VALUES('              1',"
                                  "'2026-04-18','%1',%2,%3,%4,'%5',%6,0,%7,%8,%9,%10,%11,%12,NULL,0,%13,%14)")
                       .arg(QLatin1String(schema::kBenchAccount)).arg(r.secuencia).arg(r.mes).arg(r.asiento)
                       .arg(r.periodo).arg(quoted(r.tipoReg), quoted(r.fecha), quoted(r.vencimiento), quoted(r.tc),
                                           quoted(r.comprobante), QString::number(r.importe, 'f', 4),
                                           quoted(r.concepto), quoted(r.tcOrigen), quoted(r.cpteOrigen)));
    }
    cn.CommitTrans();
}

} // namespace

int main(int argc, char** argv)
{
    // Aplicar and Comparar in the window, each run a fresh process: a child run, or those figures alone.
    if (const std::optional<int> codigo = VentanaAplicarComparar(argc, argv))
        return *codigo;

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const int n = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 20000;
    const int nReferencia = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 4000;
    const int corridas = argc > 3 ? QString::fromLocal8Bit(argv[3]).toInt() : 5;
    QTemporaryDir dir;
    qputenv("CONCCUENTAS_HOME", dir.path().toUtf8());
    const QString plantilla = dir.filePath(QStringLiteral("plantilla.db"));
    schema::Options options;
    options.linesPerSide = n;
    QString why;
    if (!schema::CreateCompanyDatabase(plantilla, options, &why)) {
        out << "cannot build the database: " << why << Qt::endl;
        return 1;
    }
    int copia = 0;
    const auto fresh = [&] {
        const QString f = dir.filePath(QStringLiteral("copia%1.db").arg(++copia));
        QFile::copy(plantilla, f);
        return f;
    };

    constexpr size_t kPerLine = 5000;
    double storeMs = 1e300, bareMs = 1e300, saveMs = 1e300, perLineMs = 1e300;
    size_t perLineRows = 0;
    size_t registered = 0, saved = 0;
    bool bareOk = true;
    for (int run = 0; run < kRuns; ++run) {
        {
            ado::Connection cn;
            cn.Open(textoConexion(fresh()));
            conciliacion::ReconciliationStore store(cn, true, conciliacion::EntornoPrograma());
            QElapsedTimer t;
            t.start();
            conciliacion::WorkbenchRows left = store.RegistrarLibres(header(), conciliacion::Lado::Izquierda).filas;
            conciliacion::WorkbenchRows right = store.RegistrarLibres(header(), conciliacion::Lado::Derecha).filas;
            storeMs = qMin(storeMs, t.nsecsElapsed() / 1e6);
            registered = left.size() + right.size();

            // Every line marked and linked with one partner, then one save.
            for (size_t i = 0; i < left.size() && i < right.size(); ++i) {
                left[i].Checked = right[i].Checked = true;
                left[i].ConciliadoCon = QString::number(right[i].ID);
                right[i].ConciliadoCon = QString::number(left[i].ID);
            }
            t.restart();
            store.Guardar(header(), conciliacion::Estados(left), conciliacion::Estados(right));
            saveMs = qMin(saveMs, t.nsecsElapsed() / 1e6);
            saved = left.size() + right.size();
        }
        {
            ado::Connection cn;
            cn.Open(textoConexion(fresh()));
            sqlite3* db = handleOf(cn);
            const std::vector<Row> left = journalRows(db, "D");
            const std::vector<Row> right = journalRows(db, "H");
            QElapsedTimer t;
            t.start();
            bareOk = bareInsert(db, left, right) && bareOk;
            bareMs = qMin(bareMs, t.nsecsElapsed() / 1e6);
            cn.Execute(QStringLiteral("DELETE FROM MV_CONCILIACION"));
            perLineRows = qMin(left.size(), kPerLine);
            t.restart();
            executePerLine(cn, left, kPerLine);
            perLineMs = qMin(perLineMs, t.nsecsElapsed() / 1e6);
        }
    }
    out << "lines/side=" << n << "  registered=" << registered << "  store=" << QString::number(storeMs, 'f', 1)
        << " ms  bare=" << QString::number(bareMs, 'f', 1) << " ms  ratio="
        << QString::number(storeMs / bareMs, 'f', 2) << (bareOk ? "" : "  (bare insert failed)") << Qt::endl;
    out << "save all marks: lines=" << saved << "  " << QString::number(saveMs, 'f', 1) << " ms  ("
        << QString::number(saveMs * 1000 / qMax<size_t>(saved, 1), 'f', 1) << " us per line)" << Qt::endl;
    const double bareLine = bareMs * 1000 / qMax<size_t>(2 * size_t(n), 1);
    const double executeLine = perLineMs * 1000 / qMax<size_t>(perLineRows, 1);
    out << "one Execute per line: lines=" << perLineRows << "  " << QString::number(executeLine, 'f', 1)
        << " us per line  (bare " << QString::number(bareLine, 'f', 1) << " us per line, ratio "
        << QString::number(executeLine / bareLine, 'f', 1) << ")" << Qt::endl;
    // Bare SQLite inserting the rows of both sides and reading them back, on a fresh copy: the load's yardstick.
    const auto bare = [&] {
        ado::Connection cn;
        cn.Open(textoConexion(fresh()));
        sqlite3* db = handleOf(cn);
        const std::vector<Row> left = journalRows(db, "D");
        const std::vector<Row> right = journalRows(db, "H");
        QElapsedTimer t;
        t.start();
        bareInsert(db, left, right);
        bareReadBack(db);
        return t.nsecsElapsed() / 1e6;
    };
    MedirVentana(fresh, nReferencia, corridas, bare, out);
    return 0;
}
