#include "Carga.h"

#include "Comun.h"
#include "Desnudo.h"

#include "common/FreshProcess.h"
#include "lookup/InstalacionConsultas.h"
#include "platform/ui/ScriptedDialogs.h"
#include "reconciliation/EntornoPrograma.h"
#include "reconciliation/FrmConcCuentas.h"
#include "reconciliation/engine/Store.h"
#include "schema/DemoDatabase.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QTemporaryDir>
#include <cstdio>

namespace carga {
namespace {

constexpr char kHijo[] = "--carga";

double ms(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

sqlite3* handleOf(const ado::Connection& cn)
{
    const QVariant v = cn.database().driver()->handle();
    return *static_cast<sqlite3* const*>(v.constData());
}

// The time, the memory above the idle mark, the whole process's peak and the lines loaded, as figures.
void informar(const QString& figura, const QElapsedTimer& t, double lineas)
{
    bench::report(figura, ms(t));
    bench::report(figura + QStringLiteral("-mem"), bench::peakAboveIdleMiB());
    bench::report(figura + QStringLiteral("-pico"), bench::peakMiB());
    bench::report(figura + QStringLiteral("-lineas"), lineas);
}

// What the window left pending (layout, repaint) done, as the operator waits for it.
void asentar()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

void confirmar(FrmConcCuentas& w, const char* campo, const QString& texto)
{
    const QString nombre = QString::fromLatin1(campo);
    w.Campo(nombre)->setText(texto);
    w.txtFields_KeyDown(w.IndiceCampo(nombre), 13, 0);
}

// The window started on the database, shown, the header of a new reconciliation of the benchmark account over
// the demo months filled in; then the load.
int ventana(const QString& archivo)
{
    ui::ScriptedDialogs dialogos;   // the load asks nothing: any question fails the run
    // The offscreen platform's notes on window sizes and raising say nothing about the figure.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& texto) {
        if (!texto.startsWith(QLatin1String("This plugin does not support")))
            std::fprintf(stderr, "%s\n", qPrintable(texto));
    });
    lookup::InstallHook();
    FrmConcCuentas w;
    w.Parametros = QStringLiteral("@Server=sqlite;@DbName=%1;@Usuario=%2;@Password=;")
                       .arg(archivo, QLatin1String(schema::kAdminUser));
    w.Form_Load();
    w.show();
    confirmar(w, "IdConciliacion", w.TextoCampo(QStringLiteral("IdConciliacion")));
    confirmar(w, "Fecha", w.TextoCampo(QStringLiteral("Fecha")));
    confirmar(w, "CUENTA", QString::fromLatin1(schema::kBenchAccount));
    w.Campo(QStringLiteral("FechaD"))->setText(schema::DemoFirstDay().toString(QStringLiteral("dd/MM/yyyy")));
    w.Campo(QStringLiteral("FechaH"))->setText(schema::DemoLastDay().toString(QStringLiteral("dd/MM/yyyy")));
    asentar();
    bench::markIdle();
    QElapsedTimer t;
    t.start();
    w.CmdEjecutar_Click();
    asentar();
    informar(QStringLiteral("ventana"), t, double(w.Lvw->ListItems().Count() + w.Lvw2->ListItems().Count()));
    return dialogos.verifyDone() ? 0 : 1;
}

// The store's part of the load alone, no window: both sides registered and read back a block at a time, as the
// load reads them.
int almacen(const QString& archivo)
{
    ado::Connection cn;
    cn.Open(comun::TextoConexion(archivo));
    conciliacion::ReconciliationStore store(cn, true, conciliacion::EntornoPrograma());
    const conciliacion::Cabecera c = comun::Cabecera();
    bench::markIdle();
    QElapsedTimer t;
    t.start();
    size_t filas = 0;
    for (conciliacion::Lado lado : {conciliacion::Lado::Izquierda, conciliacion::Lado::Derecha}) {
        conciliacion::TramoIds porLeer = store.RegistrarLibres(c, lado, false).ids;
        for (;;) {
            const conciliacion::WorkbenchRows bloque = store.LeerBloque(c.numero, lado, porLeer);
            if (bloque.empty())
                break;
            filas += bloque.size();
            porLeer.despuesDe = bloque.back().ID;
        }
    }
    informar(QStringLiteral("almacen"), t, double(filas));
    return 0;
}

int desnuda(const QString& archivo)
{
    ado::Connection cn;   // the engine's collations and settings, as the program opens the file
    cn.Open(comun::TextoConexion(archivo));
    sqlite3* db = handleOf(cn);
    const std::vector<desnudo::Fila> izquierda = desnudo::Diario(db, "D");
    const std::vector<desnudo::Fila> derecha = desnudo::Diario(db, "H");
    bench::markIdle();
    QElapsedTimer t;
    t.start();
    const bool ok = desnudo::Insertar(db, izquierda, derecha) && desnudo::Releer(db) >= 0;
    informar(QStringLiteral("desnudo"), t, double(izquierda.size() + derecha.size()));
    return ok ? 0 : 1;
}

QString numero(double v, int decimales = 0)
{
    return QLocale(QLocale::English).toString(v, 'f', decimales);
}

QString ratio(const bench::Runs& a, const bench::Runs& b)
{
    if (b.values.empty() || a.values.empty())
        return QStringLiteral("-");
    return QStringLiteral("first %1 / median %2")
        .arg(a.first() / b.first(), 0, 'f', 2)
        .arg(a.median() / b.median(), 0, 'f', 2);
}

} // namespace

std::optional<int> Hijo(const QStringList& argumentos)
{
    if (argumentos.size() != 3 || argumentos.at(0) != QLatin1String(kHijo))
        return std::nullopt;
    const QString figura = argumentos.at(1);
    // Each run on its own copy, made before the idle mark.
    QTemporaryDir dir;
    qputenv("CONCCUENTAS_HOME", dir.path().toUtf8());
    const QString archivo = dir.filePath(QStringLiteral("copia.db"));
    bench::Exigir(dir.isValid() && QFile::copy(argumentos.at(2), archivo), QStringLiteral("the company was not copied"));
    if (figura == QLatin1String("ventana"))
        return ventana(archivo);
    if (figura == QLatin1String("almacen"))
        return almacen(archivo);
    if (figura == QLatin1String("desnudo"))
        return desnuda(archivo);
    return 2;
}

void Medir(const QList<Tamano>& tamanos, const QString& carpeta, QTextStream& out)
{
    out << "Load of both panels, each run a fresh process (first run / median of the runs); memory is the peak "
        << "resident size above the idle window (shown, connection open, header filled)" << Qt::endl;
    std::vector<std::pair<int, double>> porLinea;
    for (const auto& [n, corridas] : tamanos) {
        const QString plantilla = carpeta + QStringLiteral("/lineas%1.db").arg(n);
        schema::Options opciones;
        opciones.linesPerSide = n;
        QString porque;
        bench::Exigir(QFile::exists(plantilla) || schema::CreateCompanyDatabase(plantilla, opciones, &porque),
                      QStringLiteral("cannot build the database of %1 lines a side: %2").arg(n).arg(porque));
        QMap<QString, bench::Runs> f = bench::runFresh({QLatin1String(kHijo), QStringLiteral("ventana"), plantilla}, corridas);
        const QMap<QString, bench::Runs> d = bench::runFresh({QLatin1String(kHijo), QStringLiteral("desnudo"), plantilla}, corridas);
        const QMap<QString, bench::Runs> a = bench::runFresh({QLatin1String(kHijo), QStringLiteral("almacen"), plantilla}, corridas);
        for (auto it = d.cbegin(); it != d.cend(); ++it)
            f.insert(it.key(), it.value());
        for (auto it = a.cbegin(); it != a.cend(); ++it)
            f.insert(it.key(), it.value());
        // Every figure over the same lines: the window listed each line bare SQLite and the store read, every run.
        const bench::Runs& listadas = bench::Figura(f, QStringLiteral("ventana-lineas"));
        for (const char* figura : {"ventana-lineas", "desnudo-lineas", "almacen-lineas"}) {
            for (double lineas : bench::Figura(f, QLatin1String(figura)).values)
                bench::Exigir(lineas > 0 && lineas == listadas.first(),
                              QStringLiteral("%1 was %2, the window listed %3").arg(QLatin1String(figura)).arg(lineas)
                                  .arg(listadas.first()));
        }
        const bool millon = n >= 1000000;
        out << "  " << numero(n) << " lines a side, " << corridas << " runs ("
            << numero(f.value(QStringLiteral("ventana-lineas")).first())
            << " listed, bare " << numero(f.value(QStringLiteral("desnudo-lineas")).first()) << "):" << Qt::endl;
        out << "    window load       " << bench::firstAndMedian(f.value(QStringLiteral("ventana"))) << " ms;  bare SQLite insert + read back "
            << bench::firstAndMedian(f.value(QStringLiteral("desnudo"))) << " ms" << Qt::endl;
        out << "    ratio to bare     " << ratio(f.value(QStringLiteral("ventana")), f.value(QStringLiteral("desnudo")))
            << "  (goal: within 2)" << Qt::endl;
        out << "    memory above idle " << bench::firstAndMedian(f.value(QStringLiteral("ventana-mem"))) << " MiB (bare "
            << bench::firstAndMedian(f.value(QStringLiteral("desnudo-mem"))) << ")"
            << (n == 100000 ? "  (goal: under 150)" : "") << Qt::endl;
        out << "    process peak      " << bench::firstAndMedian(f.value(QStringLiteral("ventana-pico"))) << " MiB (bare "
            << bench::firstAndMedian(f.value(QStringLiteral("desnudo-pico"))) << ")"
            << (millon ? "  (goal: under 1536)" : "") << Qt::endl;
        out << "    store alone       " << bench::firstAndMedian(f.value(QStringLiteral("almacen"))) << " ms, "
            << bench::firstAndMedian(f.value(QStringLiteral("almacen-mem"))) << " MiB above idle (registration and "
            << "read back a block at a time, no window)" << Qt::endl;
        porLinea.emplace_back(n, f.value(QStringLiteral("ventana")).median() * 1000.0 / (2.0 * n));
    }
    if (porLinea.size() > 1) {
        out << "  growth: window load per line (median)";
        for (const auto& [n, us] : porLinea)
            out << "  " << numero(n) << " a side: " << numero(us, 2) << " us";
        out << Qt::endl;
    }
}

} // namespace carga
