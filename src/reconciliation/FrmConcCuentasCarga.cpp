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
    if (!r.left() && ArmarCols) {
        ArmarColumnas(Izquierda, !Izquierda);
        // The lines this reconciliation already holds stay listed, ahead of those it takes now; a second load
        // of a new reconciliation would otherwise hide its own lines.
        r.step([&] { filas = m_store.CargarLineas(cabecera.numero, lado, ChkConciliados->isChecked(), registro.ids); });
    }
    if (!r.left()) {
        if (filas.empty())
            filas = std::move(registro.filas);
        else
            filas.insert(filas.end(), std::make_move_iterator(registro.filas.begin()),
                         std::make_move_iterator(registro.filas.end()));
        registro.filas = WorkbenchRows();
        // After a confirmed cancel the lines taken now but not listed are given back, so that no line stays
        // held by a reconciliation that does not show it.
        std::vector<qint64> devolver;
        for (qint64 id : ListarConProgreso(lado, std::move(filas), titulo))
            if (registro.ids.Contiene(id))
                devolver.push_back(id);
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

std::vector<qint64> FrmConcCuentas::ListarConProgreso(Lado lado, WorkbenchRows filas, const QString& titulo)
{
    // The rows go to the session a block at a time; the progress window still sees every row, so a cancel
    // stops at the row where it was asked.
    constexpr size_t kBloque = 4096;
    suite::Progreso& progreso = ModGlobal::gProgreso();
    const size_t total = filas.size();
    size_t listadas = 0;
    m_sesion.Reservar(lado, total);
    const auto listarHasta = [&](size_t hasta) {
        if (hasta > listadas)
            m_sesion.Agregar(lado, WorkbenchRows(std::make_move_iterator(filas.begin() + qsizetype(listadas)),
                                                 std::make_move_iterator(filas.begin() + qsizetype(hasta))));
        listadas = hasta;
    };
    if (total > 0)
        progreso.Iniciar(titulo, true);
    // The percentage's text is made when it changes, not for every row.
    qint64 porciento = -1;
    QString textoPorciento;
    for (size_t i = 0; i < total;) {
        if (const qint64 p = qint64((i + 1) * 100 / total); p != porciento) {
            porciento = p;
            textoPorciento = QString::number(p) + QStringLiteral(" %");
        }
        bool cancelar = false;
        progreso.Avanzar(cancelar, QStringLiteral("Cargando Datos"), QStringLiteral("Espere por Favor"), textoPorciento);
        if (cancelar) {
            listarHasta(i);
            progreso.Terminar();
            if (ui::dialogs().MsgBox(QStringLiteral("Realmente desea Abortar el Proceso"), ui::vbYesNo + ui::vbQuestion,
                                     QStringLiteral("Aviso al operador"))
                == ui::vbYes) {
                ui::dialogs().MsgBox(QStringLiteral("Los datos que se mostrarán serán los generados hasta el momento"),
                                     ui::vbOKOnly + ui::vbExclamation, QStringLiteral("Aviso al Operador!!!"));
                std::vector<qint64> sinListar;
                sinListar.reserve(total - i);
                for (size_t j = i; j < total; ++j)
                    sinListar.push_back(filas[j].ID);
                return sinListar;
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
