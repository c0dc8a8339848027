// Loading the panels from the journal ("&Ejecutar Consulta >>>", F9): the account's debit lines into the left
// list and its credit lines into the right one. The engine's load step (PasoCargar) registers every line no
// reconciliation holds under this reconciliation and gives back what a cancel left unlisted; the window
// lists the rows under the progress window, whose cancel asks before it stops.

#include "FrmConcCuentas.h"

#include "OperadorVentana.h"
#include "reconciliation/engine/PasoCargar.h"
#include "core/Globals.h"
#include "platform/suite/Progreso.h"
#include "platform/ui/LugarDelError.h"
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
    const QString orden = ui::textoDeOrden(QString(), CmdEjecutar->toolTip());
    CargarPanel(true, false, true, orden);
    // A reconciliation another station finalized meanwhile gets no second panel.
    if (!FFinalizada)
        CargarPanel(false, true, true, orden);
}

void FrmConcCuentas::CargarPanel(bool Izquierda, bool Derecha, bool ArmarCols, const QString& Orden)
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
        Vista(FrmConcCuentas& ventana, const QString& titulo) : m_ventana(ventana) { m_listado.titulo = titulo; }
        ~Vista() override { Soltar(); }
        void VaciarLado(Lado l) override { m_ventana.ArmarColumnas(l == Lado::Izquierda, l == Lado::Derecha); }
        void Preparar(Lado l, size_t total) override
        {
            m_listado.total = total;
            m_lado = l;
            // Room for the rows once, before they come a block at a time; the list's painting is held
            // meanwhile and it lays them out once at the end.
            m_ventana.m_sesion.Reservar(l, total);
            m_retenido = m_ventana.m_modelos[l == Lado::Izquierda ? 0 : 1];
            m_retenido->Retener();
            m_pintura.emplace(&m_ventana.Lista(l));
            if (total > 0)
                ModGlobal::gProgreso().Iniciar(m_listado.titulo, true);
        }
        void Soltar()
        {
            if (m_retenido) {
                m_ventana.m_sesion.CargaTerminada(m_lado);
                m_retenido->Soltar();
            }
            m_retenido = nullptr;
            m_pintura.reset();
        }
        WorkbenchRows Listar(Lado l, WorkbenchRows filas) override
        {
            return m_ventana.ListarConProgreso(l, std::move(filas), m_listado);
        }

    private:
        FrmConcCuentas& m_ventana;
        ListadoCarga m_listado;
        conciliacion::ModeloLado* m_retenido = nullptr;
        Lado m_lado = Lado::Izquierda;
        std::optional<ui::PaintHold> m_pintura;
    } vista(*this, titulo);
    // Named as the operator knows it: the window, the command and the panel that was loading.
    OperadorVentana operador(*this, ui::lugarEn(this, Orden + QStringLiteral(": ") + titulo).titulo(), manejadorCarga());
    const conciliacion::ResultadoCarga resultado = conciliacion::PasoCargar(m_store).Ejecutar(
        CabeceraDeCampos(), lado, ArmarCols, ChkConciliados->isChecked(), operador, vista);
    vista.Soltar();
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

WorkbenchRows FrmConcCuentas::ListarConProgreso(Lado lado, WorkbenchRows filas, ListadoCarga& listado)
{
    // The rows go to the session a block at a time; the progress window still sees every row, so a cancel
    // stops at the row where it was asked.
    constexpr size_t kBloque = 4096;
    suite::Progreso& progreso = ModGlobal::gProgreso();
    const size_t total = filas.size();
    size_t listadas = 0;
    const auto listarHasta = [&](size_t hasta) {
        if (hasta > listadas)
            m_sesion.Agregar(lado, WorkbenchRows(std::make_move_iterator(filas.begin() + qsizetype(listadas)),
                                                 std::make_move_iterator(filas.begin() + qsizetype(hasta))));
        listadas = hasta;
    };
    for (size_t i = 0; i < total;) {
        // The percentage's text is made when it changes, not for every row.
        const size_t vista = listado.vistas + 1;
        if (const qint64 p = qint64(vista * 100 / std::max(listado.total, vista)); p != listado.porciento) {
            listado.porciento = p;
            listado.textoPorciento = QString::number(p) + QStringLiteral(" %");
        }
        bool cancelar = false;
        progreso.Avanzar(cancelar, QStringLiteral("Cargando Datos"), QStringLiteral("Espere por Favor"),
                         listado.textoPorciento);
        if (cancelar) {
            listarHasta(i);
            progreso.Terminar();
            if (ui::dialogs().MsgBox(QStringLiteral("Realmente desea Abortar el Proceso"), ui::vbYesNo + ui::vbQuestion,
                                     QStringLiteral("Aviso al operador"))
                == ui::vbYes) {
                ui::dialogs().MsgBox(QStringLiteral("Los datos que se mostrarán serán los generados hasta el momento"),
                                     ui::vbOKOnly + ui::vbExclamation, QStringLiteral("Aviso al Operador!!!"));
                filas.erase(filas.begin(), filas.begin() + qsizetype(i));
                return filas;
            }
            // No: the same row goes on.
            progreso.Iniciar(listado.titulo, true);
            continue;
        }
        ++i;
        ++listado.vistas;
        if (i - listadas >= kBloque && i < total)
            listarHasta(i);
    }
    // A block listed whole goes to the session as it is.
    if (listadas == 0)
        m_sesion.Agregar(lado, std::move(filas));
    else
        listarHasta(total);
    return {};
}
