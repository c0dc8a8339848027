#include "Pantalla.h"

#include "common/FreshProcess.h"
#include "common/ProcessTree.h"
#include "dashboard/frmBSC01.h"
#include "data/DB_Dll.h"
#include "lookup/InstalacionConsultas.h"
#include "platform/browser/WebBrowser.h"
#include "platform/suite/PictureBox.h"
#include "platform/ui/ScriptedDialogs.h"
#include "report/ArchivoListado.h"
#include "report/ClassHTML.h"
#include "report/EnlaceHTML.h"
#include "schema/DemoDatabase.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QEventLoop>
#include <QTimer>
#include <QUrl>
#include <cstdio>

namespace pantalla {
namespace {

constexpr char kHijo[] = "--pantalla";

double ms(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

// Lets the window work, in an event loop as the program's own, until the condition holds; false after ten
// minutes. (QTest's waits sleep between passes, which slows the page view's loads several times over.)
bool esperar(const std::function<bool()>& condicion)
{
    QEventLoop bucle;
    QTimer mirar;
    QElapsedTimer reloj;
    reloj.start();
    QObject::connect(&mirar, &QTimer::timeout, &bucle, [&] {
        if (condicion() || reloj.elapsed() > 600000)
            bucle.quit();
    });
    mirar.start(5);
    if (!condicion())
        bucle.exec();
    return condicion();
}

int hijo(const QString& base, const QString& consulta)
{
    ui::ScriptedDialogs dialogos;   // showing a report asks nothing: any question fails the run
    qInstallMessageHandler([](QtMsgType tipo, const QMessageLogContext&, const QString& texto) {
        if (tipo >= QtCriticalMsg)
            std::fprintf(stderr, "%s\n", qPrintable(texto));
    });
    QTemporaryDir temporal;
    qputenv("TEMP", temporal.path().toUtf8());
    lookup::InstallHook();
    tablero::frmBSC01& w = tablero::Tablero();
    w.Parametros = QStringLiteral("@Server=sqlite;@DbName=%1;@Usuario=%2;@Password=;")
                       .arg(base, QLatin1String(schema::kAdminUser));
    w.resize(1280, 900);
    w.Form_Initialize();
    web::WebBrowser& navegador = *w.wbExplorer;
    // Idle: the whole chart on show.
    if (!esperar([&] { return !w.Escribiendo() && !navegador.Cargando() && !w.Pic->isVisible(); }))
        return 1;
    esperar([&, reloj = QElapsedTimer()]() mutable {
        if (!reloj.isValid())
            reloj.start();
        return reloj.elapsed() >= 500;
    });
    const double enReposo = bench::treeResidentMiB();
    const QString informe = w.ArchivoInforme();
    const QString primera = QUrl::fromLocalFile(informe).toString();

    // The statements of the request: the last one the writer sends is the movement query, measured bare apart.
    QString ultimaSentencia;
    gDB().gCnn.setStatementLog([&](const QString& s) { ultimaSentencia = s; });
    bench::ProcessTreeSampler muestreo;
    QElapsedTimer t;
    double primerasFilas = -1;
    const QMetaObject::Connection c = QObject::connect(&navegador, &web::WebBrowser::DownloadComplete, [&] {
        if (primerasFilas < 0 && navegador.UltimaCargaCorrecta() && navegador.LocationURL() == primera)
            primerasFilas = ms(t);
    });
    // The report is done when the busy display, up while the writer works, comes down.
    bool ocupado = false;
    double escrito = -1;
    QTimer mirar;
    QObject::connect(&mirar, &QTimer::timeout, [&] {
        ocupado = ocupado || w.Pic->isVisible();
        if (ocupado && escrito < 0 && !w.Pic->isVisible())
            escrito = ms(t);
    });
    mirar.start(2);
    t.start();
    navegador.Navigate(QUrl::fromLocalFile(w.CarpetaTemporal() + report::EnlaceCuenta(QString::fromLatin1(schema::kBenchAccount)))
                           .toString());
    if (!esperar([&] { return primerasFilas >= 0 && escrito >= 0; }))
        return 1;
    mirar.stop();
    QObject::disconnect(c);
    QFile sentencia(consulta);
    if (!sentencia.open(QIODevice::WriteOnly) || sentencia.write(ultimaSentencia.toUtf8()) < 0)
        return 1;
    sentencia.close();
    int partes = 1;
    while (QFile::exists(report::RutaDeParte(informe, partes + 1)))
        ++partes;

    // The last part, asked for as its link asks.
    QElapsedTimer u;
    u.start();
    navegador.Navigate(QUrl::fromLocalFile(report::RutaDeParte(informe, partes)).toString());
    if (!esperar([&] { return !navegador.Cargando(); }) || !navegador.UltimaCargaCorrecta())
        return 1;
    const double ultima = ms(u);

    bench::report(QStringLiteral("primeras"), primerasFilas);
    bench::report(QStringLiteral("escrito"), escrito);
    bench::report(QStringLiteral("ultima"), ultima);
    bench::report(QStringLiteral("reposo"), enReposo);
    bench::report(QStringLiteral("pico"), muestreo.peakMiB());
    bench::report(QStringLiteral("partes"), partes);
    std::fflush(stdout);
    const bool sinPreguntas = dialogos.verifyDone();
    temporal.remove();
    // The window and its page processes end with the process; nothing of it is measured any more.
    std::_Exit(sinPreguntas ? 0 : 1);
}

QString numero(double v, int decimales = 0)
{
    return QLocale(QLocale::English).toString(v, 'f', decimales);
}

} // namespace

std::optional<int> Hijo(const QStringList& argumentos)
{
    if (argumentos.size() != 3 || argumentos.at(0) != QLatin1String(kHijo))
        return std::nullopt;
    return hijo(argumentos.at(1), argumentos.at(2));
}

void Medir(const QString& base, int corridas, QTextStream& out)
{
    const QString consulta = base + QStringLiteral(".pantalla.sql");
    const QMap<QString, bench::Runs> f = bench::runFresh({QLatin1String(kHijo), base, consulta}, corridas);
    // The same query read bare: every row stepped on the program's own connection, nothing else (Escritor.cpp).
    const QMap<QString, bench::Runs> d =
        bench::runFresh({QStringLiteral("--escritor"), QStringLiteral("desnudo"), base, consulta}, corridas);
    QFile::remove(consulta);
    const double primeras = f.value(QStringLiteral("primeras")).median();
    const double desnudo = d.value(QStringLiteral("desnudo")).median();
    out << "  on screen (the dashboard window offscreen, the account asked for by its link), " << corridas
        << " fresh processes (first / median):" << Qt::endl;
    out << "    first rows on show   " << bench::firstAndMedian(f.value(QStringLiteral("primeras")), 0)
        << " ms after the click  (writer done at " << bench::firstAndMedian(f.value(QStringLiteral("escrito")), 0)
        << " ms; " << numero(f.value(QStringLiteral("partes")).first()) << " parts of "
        << numero(report::ClassHTML::kFilasPorParte) << " rows)" << Qt::endl;
    out << "    the same query, bare " << bench::firstAndMedian(d.value(QStringLiteral("desnudo")), 0) << " ms ("
        << numero(d.value(QStringLiteral("filas")).first()) << " rows); first rows / bare "
        << numero(desnudo > 0 ? primeras / desnudo : 0, 2) << "  (goal, for a year of a busy account: within 1.3)" << Qt::endl;
    out << "    last part on show    " << bench::firstAndMedian(f.value(QStringLiteral("ultima")), 0)
        << " ms after it was asked for" << Qt::endl;
    out << "    memory, the program with its page processes (RSS summed): idle "
        << bench::firstAndMedian(f.value(QStringLiteral("reposo")), 0) << " MiB, peak "
        << bench::firstAndMedian(f.value(QStringLiteral("pico")), 0) << " MiB  (goal: under 1536)" << Qt::endl;
}

} // namespace pantalla
