// Saving the marks, link lists and header (ActualizarDatos) and the reconcile button "Aplicar"
// (CmdConciliar_Click), which links the newly marked lines of both sides each to each. Each writes in one
// transaction: a failure is reported, leaves nothing half written and the screen as it was.

#include "FrmConcCuentas.h"

#include "reconciliation/engine/LinkListReconcile.h"
#include "reconciliation/engine/WorkbenchTotals.h"
#include "core/Globals.h"
#include "platform/suite/Progreso.h"
#include "platform/ui/Routine.h"

#include <QPushButton>

using conciliacion::Lado;
using conciliacion::Resultado;

void FrmConcCuentas::ActualizarDatos()
{
    if (AvisoFinalizada())
        return;
    ui::Routine r(QStringLiteral("ACTUALIZAR DATOS"));
    Resultado resultado = Resultado::Hecho;
    bool hecho = false;
    r.step([&] {
        resultado = m_store.Guardar(CabeceraDeCampos(), m_sesion.EstadosCambiados(Lado::Izquierda),
                                    m_sesion.EstadosCambiados(Lado::Derecha));
        hecho = true;
    });
    if (!hecho) {
        // Nothing was written: whoever saved must not go on as if it had been.
        FHayError = true;
        return;
    }
    Escrito(resultado);
}

void FrmConcCuentas::TomarComoFinalizada()
{
    FFinalizada = true;
    for (QPushButton* b : {cmdComparar, CmdConciliar, cmdRefresh, CmdQuitarI, CmdQuitarD})
        b->setEnabled(false);
    AvisoFinalizada();
}

bool FrmConcCuentas::Escrito(Resultado resultado)
{
    if (resultado == Resultado::Finalizada) {
        TomarComoFinalizada();
        return false;
    }
    m_sesion.OlvidarCambios();
    return true;
}

void FrmConcCuentas::CmdConciliar_Click()
{
    using namespace conciliacion;
    if (EstaOcupado())
        return;
    // The button goes off while it runs; the focus goes to the list the operator worked in.
    PedirFoco(FListaActiva ? FListaActiva.data() : Lvw);
    CmdConciliar->setEnabled(false);
    if (AvisoFinalizada())
        return;
    const Totales totales = m_sesion.TotalesActuales();
    if (!TotalesCuadran(totales.Conc, totales.Conc2, FTolerancia)) {
        ui::dialogs().MsgBox(kMensajeTotalesNoCoinciden, ui::vbOKOnly + ui::vbExclamation);
        CmdConciliar->setEnabled(true);
        return;
    }

    // The new rows are taken in list order, which is their order once grouped: every new left row sorts with
    // the unlinked ones and every new right row with the marked ones, and grouping sorts stably.
    const VinculosNuevos nuevos = m_sesion.BuscarVinculosNuevos();
    // Each to each can mean very many link rows: the operator hears how many before anything is written.
    if (const auto pregunta = PreguntaVinculosNuevos(nuevos)) {
        if (ui::dialogs().MsgBox(pregunta->texto, pregunta->estilo, pregunta->titulo) != ui::vbYes) {
            CmdConciliar->setEnabled(true);
            return;
        }
    }
    const VinculosAGrabar vinculos{m_sesion.Ids(Lado::Izquierda, nuevos.izquierda),
                                   m_sesion.Ids(Lado::Derecha, nuevos.derecha)};

    // What the save writes: the rows changed so far, the new rows with their new link lists.
    const EstadosFilas estadosIzquierda = m_sesion.EstadosCambiados(Lado::Izquierda, nuevos.izquierda, nuevos.textoDerecha);
    const EstadosFilas estadosDerecha = m_sesion.EstadosCambiados(Lado::Derecha, nuevos.derecha, nuevos.textoIzquierda);

    Resultado resultado = Resultado::Hecho;
    bool hecho = false;
    {
        Ocupado ocupado(*this);
        // Many link rows take a while: they go in blocks, with a progress window whose cancel rolls all back.
        suite::Progreso& progreso = ModGlobal::gProgreso();
        const bool conProgreso = vinculos.Cantidad() > kVinculosSinPreguntar;
        if (conProgreso)
            progreso.Iniciar(QStringLiteral("Conciliando"), true);
        const AvanceEscritura avance = [&](qint64 hechos, qint64 total) {
            bool cancelar = false;
            progreso.Avanzar(cancelar, QStringLiteral("Grabando Vínculos"),
                             QString::number(hechos * 100 / total) + QStringLiteral(" % del Total"), QString());
            return cancelar;
        };
        ui::Routine r(QStringLiteral("CmdConciliar_Click"));
        r.step([&] {
            resultado = m_store.Conciliar(CabeceraDeCampos(), estadosIzquierda, estadosDerecha, vinculos,
                                          conProgreso ? avance : AvanceEscritura());
            hecho = true;
        });
        if (conProgreso)
            progreso.Terminar();
    }
    if (hecho && resultado == Resultado::Cancelada)
        // Everything was rolled back: the operator must not take the silence for a save.
        ui::dialogs().MsgBox(kMensajeConciliacionNoGrabada, ui::vbOKOnly + ui::vbExclamation,
                             QStringLiteral("Aviso al Operador"));
    if (!hecho || resultado == Resultado::Cancelada) {
        CmdConciliar->setEnabled(true);
        return;
    }
    if (!Escrito(resultado))
        return;
    // The screen shows what was written; nothing is left to save.
    m_sesion.AsignarVinculosNuevos(nuevos);
    m_sesion.OlvidarCambios();
    AgruparConciliados();
    CalcularTotales();
    CmdConciliar->setEnabled(true);
}
