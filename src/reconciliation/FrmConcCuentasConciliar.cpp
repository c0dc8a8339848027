// Saving the marks, link lists and header (ActualizarDatos) and the reconcile button "Aplicar"
// (CmdConciliar_Click), which links the newly marked lines of both sides each to each. Each writes in one
// transaction: a failure is reported, leaves nothing half written and the screen as it was.

#include "FrmConcCuentas.h"

#include "LinkListReconcile.h"
#include "WorkbenchGroups.h"
#include "WorkbenchTotals.h"
#include "platform/ui/Routine.h"

#include <QPushButton>

using conciliacion::Lado;
using conciliacion::Resultado;
using conciliacion::WorkbenchRows;

void FrmConcCuentas::AnotarCambio(Lado lado, qint64 id)
{
    m_cambiadas[lado == Lado::Izquierda ? 0 : 1].insert(id);
}

conciliacion::EstadosFilas FrmConcCuentas::EstadosCambiados(Lado lado, const WorkbenchRows& filas) const
{
    const QSet<qint64>& cambiadas = m_cambiadas[lado == Lado::Izquierda ? 0 : 1];
    conciliacion::EstadosFilas estados;
    for (const conciliacion::WorkbenchRow& f : filas)
        if (cambiadas.contains(f.ID))
            estados.push_back({f.ID, f.Checked, f.ConciliadoCon});
    return estados;
}

conciliacion::EstadosFilas FrmConcCuentas::EstadosCambiados(Lado lado) const
{
    // Straight from the list's cells: a save after a few changes does not read every row in full.
    const QSet<qint64>& cambiadas = m_cambiadas[lado == Lado::Izquierda ? 0 : 1];
    conciliacion::EstadosFilas estados;
    if (cambiadas.isEmpty())
        return estados;
    ui::ListModel& m = Lista(lado).listModel();
    for (int p = 0; p < m.count(); ++p) {
        const quint32 id = m.idAt(p);
        const qint64 fila = m.cell(id, conciliacion::colID).toLongLong();
        if (cambiadas.contains(fila))
            estados.push_back({fila, m.checked(id), m.cell(id, conciliacion::colConciliadoCon)});
    }
    return estados;
}

void FrmConcCuentas::ActualizarDatos()
{
    if (AvisoFinalizada())
        return;
    ui::Routine r(QStringLiteral("ACTUALIZAR DATOS"));
    Resultado resultado = Resultado::Hecho;
    bool hecho = false;
    r.step([&] {
        resultado = m_store.Guardar(CabeceraDeCampos(), EstadosCambiados(Lado::Izquierda),
                                    EstadosCambiados(Lado::Derecha));
        hecho = true;
    });
    if (!hecho) {
        // Nothing was written: whoever saved must not go on as if it had been.
        FHayError = true;
        return;
    }
    Escrito(resultado);
}

bool FrmConcCuentas::Escrito(Resultado resultado)
{
    if (resultado == Resultado::Finalizada) {
        FFinalizada = true;
        AvisoFinalizada();
        return false;
    }
    for (QSet<qint64>& cambiadas : m_cambiadas)
        cambiadas.clear();
    return true;
}

void FrmConcCuentas::CmdConciliar_Click()
{
    using namespace conciliacion;
    if (EstaOcupado())
        return;
    CmdConciliar->setEnabled(false);
    if (AvisoFinalizada())
        return;
    const WorkbenchRows izquierda = FilasDeLista(Lado::Izquierda);
    const WorkbenchRows derecha = FilasDeLista(Lado::Derecha);
    const Totales totales = conciliacion::CalcularTotales(izquierda, derecha, DecimalesEtiquetas());
    if (!TotalesCuadran(totales.Conc, totales.Conc2, FTolerancia)) {
        ui::dialogs().MsgBox(kMensajeTotalesNoCoinciden, ui::vbOKOnly + ui::vbExclamation);
        CmdConciliar->setEnabled(true);
        return;
    }

    // The new rows are taken in the order the lists show once grouped, which is the order of their IDs in the
    // link lists.
    WorkbenchRows agrupadaIzquierda = izquierda;
    WorkbenchRows agrupadaDerecha = derecha;
    conciliacion::AgruparConciliados(agrupadaIzquierda, agrupadaDerecha);
    const VinculosNuevos nuevos = BuscarVinculosNuevos(agrupadaIzquierda, agrupadaDerecha);
    // Each to each can mean very many link rows: the operator hears how many before anything is written.
    if (const auto pregunta = PreguntaVinculosNuevos(nuevos)) {
        if (ui::dialogs().MsgBox(pregunta->texto, pregunta->estilo, pregunta->titulo) != ui::vbYes) {
            CmdConciliar->setEnabled(true);
            return;
        }
    }
    AsignarVinculosNuevos(agrupadaIzquierda, agrupadaDerecha, nuevos);
    const VinculosAGrabar vinculos = ParaGrabar(nuevos, agrupadaIzquierda, agrupadaDerecha);

    // The same rows in list order, with their new link lists.
    QSet<qint64> nuevasIzquierda;
    QSet<qint64> nuevasDerecha;
    for (qsizetype i : nuevos.izquierda)
        nuevasIzquierda.insert(agrupadaIzquierda[size_t(i)].ID);
    for (qsizetype j : nuevos.derecha)
        nuevasDerecha.insert(agrupadaDerecha[size_t(j)].ID);
    WorkbenchRows nuevaIzquierda = izquierda;
    WorkbenchRows nuevaDerecha = derecha;
    for (WorkbenchRow& f : nuevaIzquierda)
        if (nuevasIzquierda.contains(f.ID))
            f.ConciliadoCon = nuevos.textoDerecha;
    for (WorkbenchRow& f : nuevaDerecha)
        if (nuevasDerecha.contains(f.ID))
            f.ConciliadoCon = nuevos.textoIzquierda;
    for (qint64 id : nuevasIzquierda)
        AnotarCambio(Lado::Izquierda, id);
    for (qint64 id : nuevasDerecha)
        AnotarCambio(Lado::Derecha, id);

    Resultado resultado = Resultado::Hecho;
    bool hecho = false;
    {
        Ocupado ocupado(*this);
        ui::Routine r(QStringLiteral("CmdConciliar_Click"));
        r.step([&] {
            resultado = m_store.Conciliar(CabeceraDeCampos(), EstadosCambiados(Lado::Izquierda, nuevaIzquierda),
                                          EstadosCambiados(Lado::Derecha, nuevaDerecha), vinculos);
            hecho = true;
        });
    }
    if (!hecho) {
        CmdConciliar->setEnabled(true);
        return;
    }
    if (!Escrito(resultado))
        return;
    // The screen shows what was written; nothing is left to save.
    ActualizarFilas(Lado::Izquierda, izquierda, nuevaIzquierda);
    ActualizarFilas(Lado::Derecha, derecha, nuevaDerecha);
    for (QSet<qint64>& cambiadas : m_cambiadas)
        cambiadas.clear();
    AgruparConciliados();
    CalcularTotales();
    CmdConciliar->setEnabled(true);
}
