// The workbench window on the benchmark account, offscreen: "Aplicar" of one left line against 200 right
// lines (2 x N rows listed; saved, linked, the groups and totals redrawn); "Comparar" (the handler: rows read
// from the lists, the indexed matcher, marks, colours and totals written back) beside the pair-by-pair
// reference on the same rows; the save of every mark that "Comparar" set; a save after 100 more marks.

#include "ventana.h"

#include "lookup/InstalacionConsultas.h"
#include "platform/ui/OperatorDialogs.h"
#include "reconciliation/EntornoPrograma.h"
#include "reconciliation/FrmConcCuentas.h"
#include "reconciliation/engine/Matching.h"
#include "reconciliation/engine/MatchingReference.h"
#include "reconciliation/engine/WorkbenchTotals.h"
#include "data/DB_Dll.h"
#include "schema/DemoDatabase.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
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

void seleccionar(ui::ListView& lista, int desde, int cantidad)
{
    for (int i = 1; i <= lista.ListItems().Count(); ++i)
        lista.ListItems()(i).setSelected(i >= desde && i < desde + cantidad);
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

// The process's resident set now and its peak since the last reset (kB), from the kernel's account.
qint64 MemoriaKb(const char* campo)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& linea : f.readAll().split('\n'))
        if (linea.startsWith(campo))
            return linea.mid(qsizetype(std::strlen(campo))).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

void ReiniciarPico()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

// The reconciliation tables emptied and the window back at a new number, for the next run.
void Vaciar(FrmConcCuentas& w)
{
    w.Brakmo1_Click(QStringLiteral("CANCELAR"));
    for (const char* tabla : {"MV_CONCILIACION_Cpte_AUX", "MV_CONCILIACION", "MV_CONCILIACION_AUX",
                              "MV_CONCILIACION_CAB", "V_MV_CTROL_CPTE"})
        gDB().gCnn.Execute(QStringLiteral("DELETE FROM ") + QLatin1String(tabla));
    w.Inicializa();
}

// Aplicar of the first left line against the first 200 right lines (the tolerance lets any totals pass).
double Aplicar(FrmConcCuentas& w)
{
    seleccionar(*w.Lvw, 1, 1);
    w.MarcarSel(w.Lvw);
    seleccionar(*w.Lvw2, 1, 200);
    w.MarcarSel(w.Lvw2);
    const ado::Currency tolerancia = w.FTolerancia;
    w.FTolerancia = ado::Currency::fromLong(1000000000000);
    QElapsedTimer t;
    t.start();
    w.CmdConciliar_Click();
    const double aplicar = ms(t);
    w.FTolerancia = tolerancia;
    return aplicar;
}

} // namespace

QString MinMediana(std::vector<double> valores, int decimales)
{
    if (valores.empty())
        return QStringLiteral("-");
    std::sort(valores.begin(), valores.end());
    const size_t n = valores.size();
    const double mediana = n % 2 ? valores[n / 2] : (valores[n / 2 - 1] + valores[n / 2]) / 2;
    return QStringLiteral("min=%1 median=%2").arg(valores.front(), 0, 'f', decimales).arg(mediana, 0, 'f', decimales);
}

void MedirVentana(const std::function<QString()>& copiaNueva, int nReferencia, int corridas,
                  const std::function<double()>& desnudo, QTextStream& out)
{
    RespuestasAutomaticas respuestas;
    ui::installDialogs(&respuestas);
    lookup::InstallHook();
    const QString lanzamiento = QStringLiteral("@Server=sqlite;@DbName=%1;@Usuario=%2;@Password=;");

    // ---- Comparar and the saves ----
    {
        FrmConcCuentas w;
        w.Parametros = lanzamiento.arg(copiaNueva(), QLatin1String(schema::kAdminUser));
        w.Form_Load();
        // The load as the operator waits for it (register, read back, list, totals), beside bare SQLite
        // inserting and reading back the same rows; its peak memory; Aplicar on the full lists and on lists a
        // tenth as long (a shorter period of the same account).
        std::vector<double> cargas, desnudos, picos, aplicarN, aplicarDecimo;
        qsizetype filasN = 0, filasDecimo = 0;
        const qint64 dias = schema::DemoFirstDay().daysTo(schema::DemoLastDay());
        for (int corrida = 0; corrida < corridas; ++corrida) {
            desnudos.push_back(desnudo());
            Vaciar(w);
            const qint64 antes = MemoriaKb("VmRSS:");
            ReiniciarPico();
            cargas.push_back(cargar(w));
            picos.push_back(double(MemoriaKb("VmHWM:") - antes) / 1024.0);
            filasN = w.Lvw->ListItems().Count();
            aplicarN.push_back(Aplicar(w));
            Vaciar(w);
            confirmar(w, "IdConciliacion", w.TextoCampo(QStringLiteral("IdConciliacion")));
            confirmar(w, "Fecha", w.TextoCampo(QStringLiteral("Fecha")));
            confirmar(w, "CUENTA", QString::fromLatin1(schema::kBenchAccount));
            w.Campo(QStringLiteral("FechaD"))->setText(schema::DemoFirstDay().toString(QStringLiteral("dd/MM/yyyy")));
            w.Campo(QStringLiteral("FechaH"))
                ->setText(schema::DemoFirstDay().addDays(dias / 10).toString(QStringLiteral("dd/MM/yyyy")));
            w.CmdEjecutar_Click();
            filasDecimo = w.Lvw->ListItems().Count();
            aplicarDecimo.push_back(Aplicar(w));
        }
        Vaciar(w);
        cargar(w);
        Aplicar(w);
        std::vector<double> razones;
        for (size_t i = 0; i < cargas.size(); ++i)
            razones.push_back(cargas[i] / desnudos[i]);
        out << "window load (both panels registered, read back, listed, totals), lines/side=" << w.Lvw->ListItems().Count()
            << "/" << w.Lvw2->ListItems().Count() << ": " << MinMediana(cargas) << " ms; bare SQLite insert + read back "
            << MinMediana(desnudos) << " ms; ratio " << MinMediana(razones, 2) << " (aim: within 2)" << Qt::endl;
        out << "peak memory of the load (rise of the peak resident set): " << MinMediana(picos) << " MiB (aim: under 150)"
            << Qt::endl;
        out << "Aplicar 1 left x 200 right, lists of " << filasN << " rows: " << MinMediana(aplicarN)
            << " ms; lists of " << filasDecimo << " rows: " << MinMediana(aplicarDecimo) << " ms (aim: under 50, flat)"
            << Qt::endl;
        QElapsedTimer t;

        const WorkbenchRows izquierda = w.FilasDeLista(Lado::Izquierda);
        const WorkbenchRows derecha = w.FilasDeLista(Lado::Derecha);

        // The settings of the demo: voucher and amount, within a cent.
        for (int i = 0; i < 6; ++i)
            w.chkCamposComp(i)->setChecked(i == conciliacion::cajaComprobante || i == conciliacion::cajaImporte);
        w.txtTolerancia->setText(QStringLiteral("0.01"));
        conciliacion::OpcionesComparacion opciones;
        opciones.cajas[conciliacion::cajaComprobante] = opciones.cajas[conciliacion::cajaImporte] = true;
        opciones.tolerancia = ado::Currency::fromScaled(100);

        // Comparar in the window and the matcher alone on the same rows, each run on the rows as loaded.
        std::vector<double> comparaciones, solos, razonesComparar;
        WorkbenchRows hechasIzquierda, hechasDerecha, a, b;
        for (int corrida = 0; corrida < corridas; ++corrida) {
            w.Sesion().Reemplazar(Lado::Izquierda, izquierda);
            w.Sesion().Reemplazar(Lado::Derecha, derecha);
            t.restart();
            w.cmdComparar_Click();
            comparaciones.push_back(ms(t));
            hechasIzquierda = w.FilasDeLista(Lado::Izquierda);
            hechasDerecha = w.FilasDeLista(Lado::Derecha);
            a = izquierda;
            b = derecha;
            t.restart();
            conciliacion::Comparar(a, b, opciones);
            solos.push_back(ms(t));
            razonesComparar.push_back(comparaciones.back() / solos.back());
        }
        const double comparar = *std::min_element(comparaciones.begin(), comparaciones.end());
        const bool igualVentana = mismasMarcas(a, hechasIzquierda) && mismasMarcas(b, hechasDerecha);

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
        const double escala = double(izquierda.size()) * double(derecha.size()) / (double(m) * double(m));

        out << "Comparar (window handler) N=" << izquierda.size() << ": " << MinMediana(comparaciones)
            << " ms; matcher alone " << MinMediana(solos) << " ms; ratio " << MinMediana(razonesComparar, 2)
            << " (aim: within 1.5); pairs marked " << marcadas(hechasIzquierda)
            << "; same marks and colours as the matcher: " << (igualVentana ? "yes" : "NO") << Qt::endl;
        out << "pair-by-pair reference at n=" << m << ": " << QString::number(referencia, 'f', 1) << " ms (indexed "
            << QString::number(indexadoChico, 'f', 2) << " ms, identical: " << (igualReferencia ? "yes" : "NO")
            << "); extrapolated to N by (N/n)^2 = " << QString::number(escala, 'f', 0) << ": "
            << QString::number(referencia * escala / 1000, 'f', 1) << " s, ratio reference/window "
            << QString::number(referencia * escala / comparar, 'f', 0) << "x" << Qt::endl;

        // Every mark Comparar set, saved; then a save after 100 more marks.
        const int cambiadas = marcadas(hechasIzquierda) + marcadas(hechasDerecha);
        t.restart();
        w.ActualizarDatos();
        const double guardarTodo = ms(t);
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
        out << "save all marks (ActualizarDatos): changed lines=" << cambiadas << "  "
            << QString::number(guardarTodo, 'f', 1) << " ms (" << QString::number(guardarTodo * 1000 / std::max(cambiadas, 1), 'f', 1)
            << " us per line); after 100 more marks: " << QString::number(guardarCien, 'f', 1) << " ms ("
            << QString::number(guardarCien * 10, 'f', 1) << " us per line)" << (w.FHayError ? "  (save FAILED)" : "")
            << Qt::endl;
    }

    ui::installDialogs(nullptr);
}
