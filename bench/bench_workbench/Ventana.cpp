// The workbench window on the benchmark account, offscreen.
// In one process (MedirVentana), after one load: the save of every mark that "Comparar" set; a save after 100
// more marks; the indexed matcher beside the pair-by-pair reference.
// Each run in a fresh process, as the operator meets them (MedirAplicarComparar): "Aplicar" of one left line
// against 200 right lines on lists just loaded (saved, linked, the groups and totals redrawn, the window's
// pending events done), and "Comparar" on lists just loaded (the handler: the indexed matcher, marks, colours and
// totals, the window's pending events done), each beside its goal.

#include "Ventana.h"

#include "common/FreshProcess.h"
#include "lookup/InstalacionConsultas.h"
#include "platform/ui/OperatorDialogs.h"
#include "reconciliation/EntornoPrograma.h"
#include "reconciliation/FrmConcCuentas.h"
#include "reconciliation/engine/Matching.h"
#include "reconciliation/engine/MatchingReference.h"
#include "reconciliation/engine/WorkbenchTotals.h"
#include "data/DB_Dll.h"
#include "schema/DemoDatabase.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using conciliacion::Lado;
using conciliacion::WorkbenchRows;

namespace {

// Answers every question Yes and every notice OK, and says what an error dialog showed.
class RespuestasAutomaticas final : public ui::OperatorDialogs {
public:
    int MsgBox(const QString& prompt, int style, const QString&) override
    {
        const int botones = style & 7;
        if ((style & ui::vbCritical) == ui::vbCritical && botones == ui::vbOKOnly)
            std::fprintf(stderr, "message: %s\n", qPrintable(prompt));
        return botones == ui::vbYesNo || botones == ui::vbYesNoCancel ? ui::vbYes : ui::vbOK;
    }
    std::optional<QString> InputBox(const QString&, const QString&, const QString&) override { return std::nullopt; }
    int ErrorDialog(const ui::ErrorInfo& error, const QString& routine) override
    {
        std::fprintf(stderr, "error in %s: %s\n", qPrintable(routine), qPrintable(error.description));
        return ui::vbAbort;
    }
    int RunModal(QDialog&) override { return 0; }
    QAction* PopupMenu(QMenu&, const QPoint&) override { return nullptr; }
    QString OpenFileName(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QDate> PickDate(const QDate&) override { return std::nullopt; }
    [[noreturn]] void EndProgram(int exitCode) override { std::exit(exitCode); }
};

double ms(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

void confirmar(FrmConcCuentas& w, const char* campo, const QString& texto)
{
    const QString nombre = QString::fromLatin1(campo);
    w.Campo(nombre)->setText(texto);
    w.txtFields_KeyDown(w.IndiceCampo(nombre), 13, 0);
}

// A new reconciliation of the benchmark account over the demo months, loaded; the load's time in ms.
double cargar(FrmConcCuentas& w)
{
    confirmar(w, "IdConciliacion", w.TextoCampo(QStringLiteral("IdConciliacion")));
    confirmar(w, "Fecha", w.TextoCampo(QStringLiteral("Fecha")));
    confirmar(w, "CUENTA", QString::fromLatin1(schema::kBenchAccount));
    w.Campo(QStringLiteral("FechaD"))->setText(schema::DemoFirstDay().toString(QStringLiteral("dd/MM/yyyy")));
    w.Campo(QStringLiteral("FechaH"))->setText(schema::DemoLastDay().toString(QStringLiteral("dd/MM/yyyy")));
    QElapsedTimer t;
    t.start();
    w.CmdEjecutar_Click();
    return ms(t);
}

int marcadas(const WorkbenchRows& filas)
{
    int n = 0;
    for (const auto& f : filas)
        n += f.Checked ? 1 : 0;
    return n;
}

bool mismasMarcas(const WorkbenchRows& a, const WorkbenchRows& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].Checked != b[i].Checked || a[i].ForeColor != b[i].ForeColor)
            return false;
    return true;
}

// The settings of the demo for Comparar: voucher and amount, within a cent.
conciliacion::OpcionesComparacion OpcionesDemo(FrmConcCuentas& w)
{
    for (int i = 0; i < 6; ++i)
        w.chkCamposComp(i)->setChecked(i == conciliacion::cajaComprobante || i == conciliacion::cajaImporte);
    w.txtTolerancia->setText(QStringLiteral("0.01"));
    conciliacion::OpcionesComparacion opciones;
    opciones.cajas[conciliacion::cajaComprobante] = opciones.cajas[conciliacion::cajaImporte] = true;
    opciones.tolerancia = ado::Currency::fromScaled(100);
    return opciones;
}

// What the window left pending (layout, repaint) done, as the operator waits for it before the next command.
void Asentar()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

// Only these rows of the list selected.
void seleccionarSolo(ui::ListView& lista, int desde, int cantidad)
{
    lista.setSelectedItem({});
    for (int i = desde; i < desde + cantidad && i <= lista.ListItems().Count(); ++i)
        lista.ListItems()(i).setSelected(true);
}

// The first left line and the first 200 right lines marked, and a tolerance that lets any totals pass.
void PrepararAplicar(FrmConcCuentas& w)
{
    seleccionarSolo(*w.Lvw, 1, 1);
    w.MarcarSel(w.Lvw);
    seleccionarSolo(*w.Lvw2, 1, 200);
    w.MarcarSel(w.Lvw2);
    w.FTolerancia = ado::Currency::fromLong(1000000000000);
}

// One figure from the state the operator starts from (what the window had pending done) until the window has
// done what the handler left pending; its time and the peak memory above that state.
void Cronometrar(const QString& figura, const std::function<void()>& manejador)
{
    Asentar();
    bench::markIdle();
    QElapsedTimer t;
    const double cpu = bench::cpuMs();
    t.start();
    manejador();
    Asentar();
    bench::report(figura, ms(t));
    bench::report(figura + QStringLiteral("-cpu"), bench::cpuMs() - cpu);
    bench::report(QStringLiteral("pico"), bench::peakAboveIdleMiB());
}

constexpr char kHijo[] = "--ventana-hijo";

// One run of one figure in this fresh process, on a copy of the database `plantilla`.
int Hijo(const QString& figura, const QString& plantilla)
{
    QTemporaryDir dir;
    qputenv("CONCCUENTAS_HOME", dir.path().toUtf8());
    const QString archivo = dir.filePath(QStringLiteral("copia.db"));
    bench::Exigir(dir.isValid() && QFile::copy(plantilla, archivo), QStringLiteral("the company was not copied"));
    RespuestasAutomaticas respuestas;
    ui::installDialogs(&respuestas);
    lookup::InstallHook();
    int codigo = 0;
    {
        FrmConcCuentas w;
        w.Parametros = QStringLiteral("@Server=sqlite;@DbName=%1;@Usuario=%2;@Password=;")
                           .arg(archivo, QLatin1String(schema::kAdminUser));
        w.Form_Load();
        w.show();
        cargar(w);
        Asentar();
        bench::Exigir(w.Lvw->ListItems().Count() > 0 && w.Lvw2->ListItems().Count() >= 200,
                      QStringLiteral("the lists were not loaded"));
        bench::report(QStringLiteral("lineas"), w.Lvw->ListItems().Count());
        if (figura == QLatin1String("aplicar")) {
            PrepararAplicar(w);
            Cronometrar(figura, [&] { w.CmdConciliar_Click(); });
            // The new group: its left line and its 200 right lines show the group's icon.
            int enGrupo = 0;
            for (Lado lado : {Lado::Izquierda, Lado::Derecha})
                for (const auto& f : w.FilasDeLista(lado))
                    enGrupo += f.Grupo != 0 ? 1 : 0;
            bench::Exigir(enGrupo == 201, QStringLiteral("Aplicar grouped %1 lines, not 201").arg(enGrupo));
            bench::report(QStringLiteral("agrupadas"), enGrupo);
        } else if (figura == QLatin1String("comparar")) {
            const conciliacion::OpcionesComparacion opciones = OpcionesDemo(w);
            WorkbenchRows a = w.FilasDeLista(Lado::Izquierda);
            WorkbenchRows b = w.FilasDeLista(Lado::Derecha);
            Cronometrar(figura, [&] { w.cmdComparar_Click(); });
            // The matcher alone on the same rows must leave the same marks and colours.
            conciliacion::Comparar(a, b, opciones);
            const bool iguales =
                mismasMarcas(a, w.FilasDeLista(Lado::Izquierda)) && mismasMarcas(b, w.FilasDeLista(Lado::Derecha));
            bench::Exigir(iguales, QStringLiteral("Comparar in the window and the matcher alone set other marks"));
            bench::Exigir(marcadas(w.FilasDeLista(Lado::Izquierda)) > 0, QStringLiteral("Comparar marked no line"));
            bench::report(QStringLiteral("iguales"), iguales ? 1 : 0);
            bench::report(QStringLiteral("pares"), marcadas(w.FilasDeLista(Lado::Izquierda)));
        } else {
            codigo = 2;
        }
        w.Brakmo1_Click(QStringLiteral("CANCELAR"));
    }
    ui::installDialogs(nullptr);
    return codigo;
}

QString Cumple(const bench::Runs& r, double meta)
{
    return r.values.empty() ? QStringLiteral("NO RUNS")
           : r.first() <= meta && r.median() <= meta ? QStringLiteral("met")
                                                      : QStringLiteral("NOT MET");
}

void MedirTamano(int lineas, int corridas, QTextStream& out)
{
    QTemporaryDir dir;
    const QString plantilla = dir.filePath(QStringLiteral("plantilla.db"));
    schema::Options options;
    options.linesPerSide = lineas;
    QString why;
    bench::Exigir(schema::CreateCompanyDatabase(plantilla, options, &why),
                  QStringLiteral("lines/side=%1: cannot build the database: %2").arg(lineas).arg(why));
    const QLocale c = QLocale::c();
    const auto correr = [&](const char* figura) {
        return bench::runFresh({QLatin1String(kHijo), QLatin1String(figura), plantilla}, corridas);
    };

    const QMap<QString, bench::Runs> aplicar = correr("aplicar");
    const double metaAplicar = lineas > 100000 ? 100 : 50;
    out << "Aplicar 1 left x 200 right, " << c.toString(lineas) << " lines a side, fresh process: "
        << bench::firstAndMedian(aplicar.value(QStringLiteral("aplicar"))) << " ms  goal < " << metaAplicar
        << " ms  " << Cumple(aplicar.value(QStringLiteral("aplicar")), metaAplicar) << "  CPU "
        << bench::firstAndMedian(aplicar.value(QStringLiteral("aplicar-cpu"))) << " ms  peak above idle "
        << bench::firstAndMedian(aplicar.value(QStringLiteral("pico"))) << " MiB  rows grouped "
        << aplicar.value(QStringLiteral("agrupadas")).first() << " (201 expected)" << Qt::endl;

    const QMap<QString, bench::Runs> comparar = correr("comparar");
    // The goal is set at a million lines a side; smaller lists get its share.
    const double metaComparar = 2000.0 * lineas / 1000000;
    const bench::Runs iguales = comparar.value(QStringLiteral("iguales"));
    out << "Comparar, " << c.toString(lineas) << " lines a side, fresh process: "
        << bench::firstAndMedian(comparar.value(QStringLiteral("comparar"))) << " ms  goal < "
        << metaComparar << " ms (2 s per million)  " << Cumple(comparar.value(QStringLiteral("comparar")), metaComparar)
        << "  CPU " << bench::firstAndMedian(comparar.value(QStringLiteral("comparar-cpu"))) << " ms  peak above idle " << bench::firstAndMedian(comparar.value(QStringLiteral("pico"))) << " MiB  pairs "
        << comparar.value(QStringLiteral("pares")).first() << "  same marks and colours as the matcher alone: "
        << (!iguales.values.empty() && std::all_of(iguales.values.begin(), iguales.values.end(),
                                                  [](double v) { return v == 1; })
                ? "yes"
                : "NO")
        << Qt::endl;
}

} // namespace

void MedirVentana(const std::function<QString()>& copiaNueva, int nReferencia, int corridas, QTextStream& out)
{
    RespuestasAutomaticas respuestas;
    ui::installDialogs(&respuestas);
    lookup::InstallHook();
    const QString lanzamiento = QStringLiteral("@Server=sqlite;@DbName=%1;@Usuario=%2;@Password=;");

    {
        FrmConcCuentas w;
        w.Parametros = lanzamiento.arg(copiaNueva(), QLatin1String(schema::kAdminUser));
        w.Form_Load();
        // The load itself is measured in fresh processes (Carga.cpp); here it only sets the lists up.
        cargar(w);
        QElapsedTimer t;

        const WorkbenchRows izquierda = w.FilasDeLista(Lado::Izquierda);
        const WorkbenchRows derecha = w.FilasDeLista(Lado::Derecha);
        const conciliacion::OpcionesComparacion opciones = OpcionesDemo(w);
        w.cmdComparar_Click();
        const WorkbenchRows hechasIzquierda = w.FilasDeLista(Lado::Izquierda);
        const WorkbenchRows hechasDerecha = w.FilasDeLista(Lado::Derecha);

        // The reference on the first nReferencia rows of each list, and the index on the same rows.
        const size_t m = size_t(std::min<qsizetype>(nReferencia, qsizetype(std::min(izquierda.size(), derecha.size()))));
        WorkbenchRows ra(izquierda.begin(), izquierda.begin() + qsizetype(m)), rb(derecha.begin(), derecha.begin() + qsizetype(m));
        WorkbenchRows ia = ra, ib = rb;
        conciliacion::Totales totales = conciliacion::CalcularTotales(ra, rb, conciliacion::DecimalesPrograma());
        t.restart();
        conciliacion::CompararReferencia(ra, rb, opciones, totales, conciliacion::DecimalesPrograma());
        const double referencia = ms(t);
        t.restart();
        conciliacion::Comparar(ia, ib, opciones);
        const double indexadoChico = ms(t);
        const bool igualReferencia = mismasMarcas(ra, ia) && mismasMarcas(rb, ib);
        bench::Exigir(igualReferencia, QStringLiteral("the matcher and the pair-by-pair reference set other marks"));
        out << "pair-by-pair reference at n=" << m << ": " << QString::number(referencia, 'f', 1) << " ms (indexed "
            << QString::number(indexadoChico, 'f', 2) << " ms, identical: " << (igualReferencia ? "yes" : "NO") << ")"
            << Qt::endl;

        // Every mark Comparar set, saved; then a save after 100 more marks.
        const int cambiadas = marcadas(hechasIzquierda) + marcadas(hechasDerecha);
        const double cpuAntes = bench::cpuMs();
        t.restart();
        w.ActualizarDatos();
        const double guardarTodo = ms(t);
        const double cpuGuardarTodo = bench::cpuMs() - cpuAntes;
        for (int i = 1, puestas = 0; i <= w.Lvw->ListItems().Count(); ++i) {
            ui::ListItem item = w.Lvw->ListItems()(i);
            const bool elegir = !item.Checked() && puestas < 100;
            puestas += elegir ? 1 : 0;
            item.setSelected(elegir);
        }
        w.MarcarSel(w.Lvw);
        t.restart();
        w.ActualizarDatos();
        const double guardarCien = ms(t);
        bench::Exigir(!w.FHayError && cambiadas > 0, QStringLiteral("the save of the marks failed or had no mark"));
        out << "save all marks (ActualizarDatos): changed lines=" << cambiadas << "  "
            << QString::number(guardarTodo, 'f', 1) << " ms (" << QString::number(guardarTodo * 1000 / std::max(cambiadas, 1), 'f', 1)
            << " us per line, CPU " << QString::number(cpuGuardarTodo, 'f', 1) << " ms); after 100 more marks: " << QString::number(guardarCien, 'f', 1) << " ms ("
            << QString::number(guardarCien * 10, 'f', 1) << " us per line)" << (w.FHayError ? "  (save FAILED)" : "")
            << Qt::endl;
    }

    ui::installDialogs(nullptr);
    MedirAplicarComparar(corridas, out);
}

std::optional<int> VentanaAplicarComparar(int argc, char** argv)
{
    if (argc < 2)
        return std::nullopt;
    const QByteArray modo = argv[1];
    if (modo == kHijo && argc >= 4) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        // The offscreen platform's notices (no raise, no size hints) would bury the parent's figures.
        qInstallMessageHandler([](QtMsgType tipo, const QMessageLogContext&, const QString& texto) {
            if (tipo == QtCriticalMsg || tipo == QtFatalMsg)
                std::fprintf(stderr, "%s\n", qPrintable(texto));
        });
        QApplication app(argc, argv);
        return Hijo(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    if (modo != "--ventana")
        return std::nullopt;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int runsAt = int(args.indexOf(QLatin1String("--runs")));
    QTextStream out(stdout);
    MedirAplicarComparar(bench::ModoPequeno(args) ? 1 : runsAt > 0 ? std::max(1, args.value(runsAt + 1).toInt()) : 5, out);
    return 0;
}

void MedirAplicarComparar(int corridas, QTextStream& out)
{
    QList<int> tamanos = {10000, 100000};
    if (bench::ModoPequeno(QCoreApplication::arguments()))
        tamanos = {1000};
    else if (QCoreApplication::arguments().contains(QLatin1String("--million")))
        tamanos << 1000000;
    for (int lineas : tamanos)
        MedirTamano(lineas, corridas, out);
}
