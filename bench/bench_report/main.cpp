// The movement report of a leaf account with many movements in the period (the benchmark account of the
// data generator), listing types 0 and 1, without and with the tax-book column, beside bare SQLite reading
// the same rows of the same query (and the data layer opening it into a recordset), and beside the statement count of answering the tax-book column with one
// query per row (ModGlobal::ValidaTCRegistraciones, timed on a sample and scaled). One line in three of the
// account carries a tax-book amount, so the tax-book reading has rows to match. Prints, per case:
//   type=T iva=0|1 rows=R  report=… ms  bare=… ms  recordset=… ms  statements=…  (per-row tax book: … statements, ~… ms)
// Each figure is the best of a few runs. Usage: bench_report [lines per side] (default 50000, 100000 movements).

#include "core/Startup.h"
#include "core/TaxBook.h"
#include "data/DB_Dll.h"
#include "report/ClassHTML.h"
#include "schema/DemoDatabase.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QTemporaryDir>
#include <QTextStream>
#include <sqlite3.h>

namespace {

constexpr int kRuns = 3;

// A window that only lets events run and counts what it is asked.
class HostBench : public report::HostReporte {
public:
    bool cancelado = false;
    int pasos = 0;
    void setCancelado(bool v) override { cancelado = v; }
    bool Cancelado() const override { ++const_cast<HostBench*>(this)->pasos; return cancelado; }
    void setUltimoReporte(const QString&, const QString&, bool) override {}
    void MostrarOcupado() override {}
    void DibujarProgreso(double) override {}
    void ProcesarEventos() override { QCoreApplication::processEvents(); }
};

sqlite3* handleOf(ado::Connection& cn)
{
    const QVariant v = cn.database().driver()->handle();
    return *static_cast<sqlite3* const*>(v.constData());
}

// Reads every row and column of a statement as text, as a page writer would need them.
qint64 bareRead(sqlite3* db, const QString& sql, qint64* rows)
{
    QElapsedTimer t;
    t.start();
    sqlite3_stmt* st = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &st, nullptr) != SQLITE_OK) {
        QTextStream(stderr) << "bare: " << sqlite3_errmsg(db) << "\n";
        return -1;
    }
    qint64 n = 0;
    qint64 bytes = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(st); ++c)
            bytes += sqlite3_column_bytes(st, c) + (sqlite3_column_text(st, c) ? 1 : 0);
        ++n;
    }
    sqlite3_finalize(st);
    *rows = n;
    return bytes >= 0 ? t.elapsed() : 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("conccuentas"));
    const int lines = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 50000;
    QTextStream out(stdout);

    QTemporaryDir dir;
    qputenv("CONCCUENTAS_HOME", dir.path().toUtf8());
    const QString file = dir.filePath(QStringLiteral("bench.db"));
    schema::Options options;
    options.linesPerSide = lines;
    QString error;
    QElapsedTimer gen;
    gen.start();
    if (!schema::CreateCompanyDatabase(file, options, &error)) {
        out << "cannot create the database: " << error << "\n";
        return 1;
    }
    out << "database with " << 2 * lines << " movements on account " << schema::kBenchAccount << " in "
        << gen.elapsed() << " ms\n";
    QString conexion;
    ModGlobal::Inicializar(false, QStringLiteral("@Server=sqlite;@DbName=%1;@Usuario=admin;@Password=;").arg(file),
                           conexion, 3);
    if (!gDB().gOpenFlag)
        return 1;
    gDB().gCnn.Execute(QStringLiteral("UPDATE MV_ASIENTOS SET ESRESUMEN = 0, LIVA_TIPO = 'Ventas', Liva_Total = IMPORTE "
                                      "WHERE CUENTA = '%1' AND SECUENCIA % 3 = 0")
                           .arg(QLatin1String(schema::kBenchAccount)));
    QStringList sentencias;
    gDB().gCnn.setStatementLog([&](const QString& s) { sentencias << s; });

    const QString pagina = dir.filePath(QStringLiteral("BSC01.htm"));
    for (int tipo : {0, 1}) {
        for (bool iva : {false, true}) {
            report::ParametrosListado p;
            p.TituloListado = tipo == 0 ? QStringLiteral("Consolidado") : QStringLiteral("Abierto por Unidad de Negocio");
            p.strNombreArchivo = pagina;
            p.Titulo = QStringLiteral("Banco cuenta recaudadora");
            p.Cuenta = QString::fromLatin1(schema::kBenchAccount);
            p.EsHoja = true;
            p.FechaDesde = schema::DemoFirstDay().toString(QStringLiteral("dd/MM/yyyy"));
            p.FechaHasta = schema::DemoLastDay().toString(QStringLiteral("dd/MM/yyyy"));
            p.eTipoListado = tipo;
            if (tipo == 1)
                p.eUnidadesNegocio = QStringList{QString::fromLatin1(schema::kBusinessUnit)};
            qint64 mejor = -1;
            int statements = 0;
            QString consulta;
            HostBench host;
            for (int run = 0; run < kRuns; ++run) {
                report::ClassHTML html;
                html.ColIVA = iva;
                html.setHost(&host);
                sentencias.clear();
                QElapsedTimer t;
                t.start();
                if (html.writeHTML(p) != report::ResultadoListado::Completo) {
                    out << "report failed\n";
                    return 1;
                }
                const qint64 ms = t.elapsed();
                mejor = mejor < 0 ? ms : std::min(mejor, ms);
                statements = int(sentencias.size());
                consulta = sentencias.last();
            }
            qint64 filas = 0;
            qint64 bare = -1;
            for (int run = 0; run < kRuns; ++run) {
                const qint64 ms = bareRead(handleOf(gDB().gCnn), consulta, &filas);
                bare = bare < 0 ? ms : std::min(bare, ms);
            }
            // The data layer's part: the same query opened into a recordset (every row read into memory).
            qint64 abrir = -1;
            for (int run = 0; run < kRuns; ++run) {
                ado::Recordset rs;
                QElapsedTimer t;
                t.start();
                gDB().AbrirRecordset(consulta, rs);
                abrir = abrir < 0 ? t.elapsed() : std::min(abrir, t.elapsed());
            }
            out << "type=" << tipo << " iva=" << (iva ? 1 : 0) << " rows=" << filas << "  report=" << mejor
                << " ms  bare=" << bare << " ms  recordset=" << abrir << " ms  statements=" << statements;
            if (iva) {
                // The tax-book column answered with one query per row, timed on a sample of rows.
                ado::Recordset rs;
                gDB().AbrirRecordset(consulta, rs);
                const int muestra = int(std::min<qint64>(filas, 2000));
                QElapsedTimer t;
                t.start();
                for (int i = 0; i < muestra && !rs.EOF(); ++i, rs.MoveNext())
                    ModGlobal::ValidaTCRegistraciones(rs[QStringLiteral("TC")].toText(), rs[QStringLiteral("Sucursal")].toText(),
                                                      rs[QStringLiteral("Numero")].toText(), rs[QStringLiteral("Letra")].toText(),
                                                      rs[QStringLiteral("Tipo_Reg")], rs[QStringLiteral("numero asiento")].toText(),
                                                      rs[QStringLiteral("Mes_Operativo")].toText(), p.Cuenta,
                                                      rs[QStringLiteral("Importe")].toCurrency());
                const double porFila = muestra > 0 ? double(t.elapsed()) / muestra : 0;
                out << "  (per-row tax book: " << (statements - 1 + filas) << " statements, ~"
                    << qint64(porFila * double(filas)) << " ms for its queries alone)";
            }
            out << "\n";
        }
    }
    return 0;
}
