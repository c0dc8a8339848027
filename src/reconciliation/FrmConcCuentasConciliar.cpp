// Saving the marks, link lists and header (ActualizarDatos) and the reconcile button "Aplicar"
// (CmdConciliar_Click), which runs the engine's reconcile step (PasoConciliar) and shows what it did. Each
// writes in one transaction: a failure is reported, leaves nothing half written and the screen as it was.

#include "FrmConcCuentas.h"

#include "OperadorVentana.h"
#include "reconciliation/engine/PasoConciliar.h"
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
    using Estado = conciliacion::ResultadoConciliar::Estado;
    if (EstaOcupado())
        return;
    // The button goes off while it runs; the focus goes to the list the operator worked in.
    PedirFoco(FListaActiva ? FListaActiva.data() : Lvw);
    CmdConciliar->setEnabled(false);
    if (AvisoFinalizada())
        return;
    OperadorVentana operador(*this, QStringLiteral("CmdConciliar_Click"));
    // The step changes its rows twice (links, then groups) and the regroup may move them: each list repaints
    // what changed once, when the step is over.
    struct CambiosRetenidos {
        explicit CambiosRetenidos(const std::array<conciliacion::ModeloLado*, 2>& modelos) : m_modelos(modelos)
        {
            for (conciliacion::ModeloLado* m : m_modelos)
                m->RetenerCambios();
        }
        ~CambiosRetenidos()
        {
            for (conciliacion::ModeloLado* m : m_modelos)
                m->SoltarCambios();
        }
        const std::array<conciliacion::ModeloLado*, 2>& m_modelos;
    } retenidos(m_modelos);
    const conciliacion::ResultadoConciliar resultado =
        conciliacion::PasoConciliar(m_store, m_sesion).Ejecutar(CabeceraDeCampos(), FTolerancia, operador);
    if (resultado.estado == Estado::Finalizada) {
        if (resultado.aviso)
            OperadorVentana::Mostrar(*resultado.aviso);
        TomarComoFinalizada();
        return;
    }
    // A saved run is told once the lists show it.
    if (resultado.estado == Estado::Conciliada) {
        AgruparConciliados();
        CalcularTotales();
    }
    if (resultado.aviso)
        OperadorVentana::Mostrar(*resultado.aviso);
    CmdConciliar->setEnabled(true);
}
