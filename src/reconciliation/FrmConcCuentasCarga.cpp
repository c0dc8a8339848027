// Loading the panels from the journal ("&Ejecutar Consulta >>>", F9): the account's debit lines into the left
// list and its credit lines into the right one. The engine's load step (PasoCargar) registers every line no
// reconciliation holds under this reconciliation and gives back what a cancel left unlisted; the window
// lists the rows under the progress window, whose cancel asks before it stops.

#include "FrmConcCuentas.h"

#include "OperadorVentana.h"
#include "reconciliation/engine/PasoCargar.h"
#include "core/Globals.h"
#include "platform/suite/Progreso.h"
#include "platform/ui/PaintHold.h"
#include "platform/ui/Routine.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTabWidget>

using conciliacion::Lado;
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

    // The list the step fills: emptied with its columns set up, then filled under the progress window.
    class Vista : public conciliacion::VistaCarga {
    public:
        Vista(FrmConcCuentas& ventana, const QString& titulo) : m_ventana(ventana), m_titulo(titulo) {}
        void VaciarLado(Lado l) override { m_ventana.ArmarColumnas(l == Lado::Izquierda, l == Lado::Derecha); }
        WorkbenchRows Listar(Lado l, const WorkbenchRows& filas) override
        {
            return m_ventana.ListarConProgreso(l, filas, m_titulo);
        }

    private:
        FrmConcCuentas& m_ventana;
        QString m_titulo;
    } vista(*this, titulo);
    OperadorVentana operador(*this, QString(), manejadorCarga());
    const conciliacion::ResultadoCarga resultado = conciliacion::PasoCargar(m_store).Ejecutar(
        CabeceraDeCampos(), lado, ArmarCols, ChkConciliados->isChecked(), operador, vista);
    if (resultado.finalizada) {
        TomarComoFinalizada();
        return;
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
