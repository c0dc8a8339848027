// Loading the panels from the journal ("&Ejecutar Consulta >>>", F9): the account's debit lines into the left
// list and its credit lines into the right one. Every line no reconciliation holds is registered under this
// reconciliation at once (the store does it in one transaction and returns the new rows); the rows are then
// listed under the progress window, whose cancel asks before it stops.

#include "FrmConcCuentas.h"

#include "core/Globals.h"
#include "platform/suite/Progreso.h"
#include "platform/ui/PaintHold.h"
#include "platform/ui/Routine.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTabWidget>

#include <unordered_set>

using conciliacion::Lado;
using conciliacion::WorkbenchRow;
using conciliacion::WorkbenchRows;

namespace {

constexpr qint64 kLlamadaInvalida = 5;

// Error 5 leaves the load without a word; any other failure goes to the error dialog.
ui::ErrorHandler manejadorCarga()
{
    return [](const std::exception_ptr& error, const QString& rutina) {
        if (ui::errorInfoOf(error).number == kLlamadaInvalida)
            return int(ui::vbAbort);
        return ui::askOperator()(error, rutina);
    };
}

} // namespace

void FrmConcCuentas::CmdEjecutar_Click()
{
    if (EstaOcupado())
        return;
    FGrabando = false;
    FEjecutando = true;
    if (!DatosValidos()) {
        FEjecutando = false;
        return;
    }
    CargarPanel(true, false, true);
    // A reconciliation another station finalized meanwhile gets no second panel.
    if (!FFinalizada)
        CargarPanel(false, true, true);
}

void FrmConcCuentas::CargarPanel(bool Izquierda, bool Derecha, bool ArmarCols)
{
    FEjecutando = false;
    if (!Izquierda && !Derecha)
        return;
    const Lado lado = Izquierda ? Lado::Izquierda : Lado::Derecha;
    const QString titulo = Izquierda ? QStringLiteral("Cargando Panel Izquierdo") : QStringLiteral("Cargando Panel Derecho");
    Ocupado ocupado(*this);
    ui::Routine r(QString(), manejadorCarga());
    const conciliacion::Cabecera cabecera = CabeceraDeCampos();

    conciliacion::ResultadoRegistro registro;
    WorkbenchRows filas;
    r.step([&] { registro = m_store.RegistrarLibres(cabecera, lado); });
    if (!r.left() && registro.finalizada) {
        // Finalized by another station since it was opened here: the lists stay as they are.
        TomarComoFinalizada();
        return;
    }
    std::unordered_set<qint64> nuevas;
    for (const WorkbenchRow& f : registro.filas)
        nuevas.insert(f.ID);
    if (!r.left() && ArmarCols) {
        ArmarColumnas(Izquierda, !Izquierda);
        // The lines this reconciliation already holds stay listed, ahead of those it takes now; a second load
        // of a new reconciliation would otherwise hide its own lines.
        r.step([&] {
            for (WorkbenchRow& f : m_store.CargarLineas(cabecera.numero, lado, ChkConciliados->isChecked()))
                if (!nuevas.count(f.ID))
                    filas.push_back(std::move(f));
        });
    }
    if (!r.left()) {
        filas.insert(filas.end(), registro.filas.begin(), registro.filas.end());
        // After a confirmed cancel the lines taken now but not listed are given back, so that no line stays
        // held by a reconciliation that does not show it.
        std::vector<qint64> devolver;
        for (const WorkbenchRow& f : ListarConProgreso(lado, filas, titulo))
            if (nuevas.count(f.ID))
                devolver.push_back(f.ID);
        if (!devolver.empty())
            r.step([&] { m_store.Liberar(cabecera.numero, lado, devolver); });
    }
    ModGlobal::gProgreso().Terminar();
    MostrarTotalesLado(lado);
    OrdenarPorGrupo(*Lvw);
    SSTab1->setTabEnabled(1, true);
    PedirFoco(Lvw);
    CmdEjecutar->setEnabled(true);
}

WorkbenchRows FrmConcCuentas::ListarConProgreso(Lado lado, const WorkbenchRows& filas, const QString& titulo)
{
    // The rows go to the session a block at a time; the progress window still sees every row, so a cancel
    // stops at the row where it was asked.
    constexpr size_t kBloque = 4096;
    suite::Progreso& progreso = ModGlobal::gProgreso();
    const size_t total = filas.size();
    size_t listadas = 0;
    const auto listarHasta = [&](size_t hasta) {
        if (hasta > listadas)
            m_sesion.Agregar(lado, WorkbenchRows(filas.begin() + qsizetype(listadas), filas.begin() + qsizetype(hasta)));
        listadas = hasta;
    };
    if (total > 0)
        progreso.Iniciar(titulo, true);
    for (size_t i = 0; i < total;) {
        bool cancelar = false;
        progreso.Avanzar(cancelar, QStringLiteral("Cargando Datos"), QStringLiteral("Espere por Favor"),
                         QString::number((i + 1) * 100 / total) + QStringLiteral(" %"));
        if (cancelar) {
            listarHasta(i);
            progreso.Terminar();
            if (ui::dialogs().MsgBox(QStringLiteral("Realmente desea Abortar el Proceso"), ui::vbYesNo + ui::vbQuestion,
                                     QStringLiteral("Aviso al operador"))
                == ui::vbYes) {
                ui::dialogs().MsgBox(QStringLiteral("Los datos que se mostrarán serán los generados hasta el momento"),
                                     ui::vbOKOnly + ui::vbExclamation, QStringLiteral("Aviso al Operador!!!"));
                return WorkbenchRows(filas.begin() + qsizetype(i), filas.end());
            }
            // No: the same row goes on.
            progreso.Iniciar(titulo, true);
            continue;
        }
        ++i;
        if (i - listadas >= kBloque)
            listarHasta(i);
    }
    listarHasta(total);
    return {};
}
