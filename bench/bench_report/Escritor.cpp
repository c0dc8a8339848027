#include "Escritor.h"

#include "common/FreshProcess.h"
#include "core/Startup.h"
#include "core/TaxBook.h"
#include "data/DB_Dll.h"
#include "report/ClassHTML.h"
#include "schema/DemoDatabase.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QTemporaryDir>
#include <sqlite3.h>

namespace escritor {
namespace {

constexpr char kHijo[] = "--escritor";

// A window that only lets events run.
class HostBench : public report::HostReporte {
public:
    bool cancelado = false;
    void setCancelado(bool v) override { cancelado = v; }
    bool Cancelado() const override { return cancelado; }
    void setUltimoReporte(const QString&, const QString&, bool) override {}
    void MostrarOcupado() override {}
    void DibujarProgreso(double) override {}
    void ProcesarEventos() override { QCoreApplication::processEvents(); }
};

double ms(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

bool conectar(const QString& base)
{
    QString conexion;
    ModGlobal::Inicializar(false, QStringLiteral("@Server=sqlite;@DbName=%1;@Usuario=%2;@Password=;")
                                      .arg(base, QLatin1String(schema::kAdminUser)),
                           conexion, 3);
    return gDB().gOpenFlag;
}

report::ParametrosListado parametros(int tipo, const QString& pagina)
{
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
    return p;
}

// The report written, then its movement query kept in `consulta` for the other figures.
int informe(const QString& base, int tipo, bool iva, const QString& consulta)
{
    QTemporaryDir dir;
    if (!conectar(base))
        return 1;
    QStringList sentencias;
    gDB().gCnn.setStatementLog([&](const QString& s) { sentencias << s; });
    HostBench host;
    report::ClassHTML html;
    html.ColIVA = iva;
    html.setHost(&host);
    const report::ParametrosListado p = parametros(tipo, dir.filePath(QStringLiteral("BSC01.htm")));
    bench::markIdle();
    QElapsedTimer t;
    t.start();
    if (html.writeHTML(p) != report::ResultadoListado::Completo)
        return 1;
    bench::report(QStringLiteral("informe"), ms(t));
    bench::report(QStringLiteral("informe-mem"), bench::peakAboveIdleMiB());
    bench::report(QStringLiteral("sentencias"), double(sentencias.size()));
    // The report's own statements end with its movement query; what this run asks afterwards is not the report's.
    const QString listado = sentencias.last();
    const qsizetype delListado = sentencias.size();
    QFile f(consulta);
    bench::Exigir(f.open(QIODevice::WriteOnly) && f.write(listado.toUtf8()) >= 0,
                  QStringLiteral("the report's query was not kept"));
    if (!iva)
        return 0;
    // The tax-book column answered with one query per row, timed on a sample of rows and scaled; the account's
    // tax book must hold lines, or the figure would be that of an empty one.
    const qint64 enElLibro = gDB().gCnn.Query(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS WHERE CUENTA = '%1' "
                                                             "AND LIVA_TIPO IS NOT NULL")
                                                  .arg(p.Cuenta)).rows.at(0).at(0).toLong();
    bench::Exigir(enElLibro > 0, QStringLiteral("the account's tax book is empty"));
    ado::Recordset rs;
    gDB().AbrirRecordset(listado, rs);
    const qint64 filas = rs.RecordCount();
    bench::Exigir(filas > 0, QStringLiteral("the report's query read no row"));
    const int muestra = int(std::min<qint64>(filas, 2000));
    QElapsedTimer m;
    m.start();
    for (int i = 0; i < muestra && !rs.EOF(); ++i, rs.MoveNext())
        ModGlobal::ValidaTCRegistraciones(rs[QStringLiteral("TC")].toText(), rs[QStringLiteral("Sucursal")].toText(),
                                          rs[QStringLiteral("Numero")].toText(), rs[QStringLiteral("Letra")].toText(),
                                          rs[QStringLiteral("Tipo_Reg")], rs[QStringLiteral("numero asiento")].toText(),
                                          rs[QStringLiteral("Mes_Operativo")].toText(), p.Cuenta,
                                          rs[QStringLiteral("Importe")].toCurrency());
    bench::report(QStringLiteral("porfila"), muestra > 0 ? ms(m) / muestra * double(filas) : 0);
    bench::report(QStringLiteral("porfila-sentencias"), double(delListado - 1 + filas));
    return 0;
}

QString leer(const QString& archivo)
{
    QFile f(archivo);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

sqlite3* handleOf(ado::Connection& cn)
{
    const QVariant v = cn.database().driver()->handle();
    return *static_cast<sqlite3* const*>(v.constData());
}

// Every row and column of the query read as text, as a page writer would need them, on the program's own
// connection (its collations and functions), nothing else.
int desnudo(const QString& base, const QString& consulta)
{
    if (!conectar(base))
        return 1;
    const QByteArray texto = leer(consulta).toUtf8();
    sqlite3* db = handleOf(gDB().gCnn);
    QElapsedTimer t;
    t.start();
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, texto.constData(), int(texto.size()), &st, nullptr) != SQLITE_OK)
        return 1;
    qint64 filas = 0;
    qint64 bytes = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(st); ++c)
            bytes += sqlite3_column_bytes(st, c) + (sqlite3_column_text(st, c) ? 1 : 0);
        ++filas;
    }
    sqlite3_finalize(st);
    bench::Exigir(filas > 0, QStringLiteral("bare SQLite read no row of the report's query"));
    bench::report(QStringLiteral("desnudo"), ms(t));
    bench::report(QStringLiteral("filas"), double(filas));
    return bytes >= 0 ? 0 : 1;
}

// The data layer's part: the same query opened into a recordset (every row read into memory).
int recordset(const QString& base, const QString& consulta)
{
    if (!conectar(base))
        return 1;
    const QString texto = leer(consulta);
    ado::Recordset rs;
    QElapsedTimer t;
    t.start();
    gDB().AbrirRecordset(texto, rs);
    bench::report(QStringLiteral("recordset"), ms(t));
    bench::report(QStringLiteral("recordset-filas"), double(rs.RecordCount()));
    bench::Exigir(rs.RecordCount() > 0, QStringLiteral("the recordset of the report's query has no row"));
    return 0;
}

QString numero(double v, int decimales = 0)
{
    return QLocale(QLocale::English).toString(v, 'f', decimales);
}

} // namespace

std::optional<int> Hijo(const QStringList& a)
{
    if (a.size() < 4 || a.at(0) != QLatin1String(kHijo))
        return std::nullopt;
    const QString figura = a.at(1);
    if (figura == QLatin1String("informe") && a.size() == 6)
        return informe(a.at(2), a.at(3).toInt(), a.at(4) == QLatin1String("1"), a.at(5));
    if (figura == QLatin1String("desnudo"))
        return desnudo(a.at(2), a.at(3));
    if (figura == QLatin1String("recordset"))
        return recordset(a.at(2), a.at(3));
    return 2;
}

void Medir(const QString& base, int corridas, const QString& carpeta, QTextStream& out)
{
    out << "  the writer alone (no window), " << corridas << " fresh processes per figure (first / median):" << Qt::endl;
    for (int tipo : {0, 1}) {
        for (bool iva : {false, true}) {
            const QString consulta = carpeta + QStringLiteral("/consulta-%1-%2.sql").arg(tipo).arg(int(iva));
            QMap<QString, bench::Runs> f =
                bench::runFresh({QLatin1String(kHijo), QStringLiteral("informe"), base, QString::number(tipo),
                                 QString::number(int(iva)), consulta},
                                corridas);
            const QMap<QString, bench::Runs> d =
                bench::runFresh({QLatin1String(kHijo), QStringLiteral("desnudo"), base, consulta}, corridas);
            const QMap<QString, bench::Runs> r =
                bench::runFresh({QLatin1String(kHijo), QStringLiteral("recordset"), base, consulta}, corridas);
            const double filas = bench::Figura(d, QStringLiteral("filas")).first();
            bench::Exigir(bench::Figura(r, QStringLiteral("recordset-filas")).first() == filas,
                          QStringLiteral("the recordset and bare SQLite read other rows of the report's query"));
            out << "    type=" << tipo << " iva=" << int(iva) << " rows=" << numero(d.value(QStringLiteral("filas")).first())
                << "  report " << bench::firstAndMedian(f.value(QStringLiteral("informe")), 0) << " ms ("
                << bench::firstAndMedian(f.value(QStringLiteral("informe-mem")), 0) << " MiB above idle)"
                << "  bare SQLite " << bench::firstAndMedian(d.value(QStringLiteral("desnudo")), 0) << " ms"
                << "  recordset " << bench::firstAndMedian(r.value(QStringLiteral("recordset")), 0) << " ms"
                << "  statements " << numero(f.value(QStringLiteral("sentencias")).first());
            if (iva)
                out << "  (per-row tax book: " << numero(f.value(QStringLiteral("porfila-sentencias")).first())
                    << " statements, ~" << numero(f.value(QStringLiteral("porfila")).median())
                    << " ms for its queries alone)";
            out << Qt::endl;
        }
    }
}

} // namespace escritor
