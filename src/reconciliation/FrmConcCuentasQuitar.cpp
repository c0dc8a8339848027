// Releasing lines through the engine's step (PasoLiberar: their registration rows are deleted, so other
// reconciliations can take the journal lines), reloading the lists, showing the reconciled lines, finding a
// text in a list, and a column by its header.

#include "FrmConcCuentas.h"

#include "OperadorVentana.h"
#include "reconciliation/engine/PasoLiberar.h"
#include "lookup/FrmBuscar.h"
#include "platform/suite/PictureBox.h"
#include "platform/ui/LugarDelError.h"

#include <QCheckBox>
#include <QItemSelectionModel>
#include <QPushButton>

using conciliacion::Lado;

bool FrmConcCuentas::AvisoFinalizada()
{
    if (!FFinalizada)
        return false;
    ui::dialogs().MsgBox(QStringLiteral("CONCILIACION FINALIZADA, NO SEPUEDE MODIFICAR"), ui::vbOKOnly);
    return true;
}

void FrmConcCuentas::Quitar(bool Izquierda, bool SoloSeleccionados)
{
    // Lines of a finalized reconciliation are never released, whichever command asks.
    if (AvisoFinalizada())
        return;
    const Lado lado = Izquierda ? Lado::Izquierda : Lado::Derecha;
    QItemSelectionModel* seleccion = Lista(lado).selectionModel();
    Ocupado ocupado(*this);

    PicImg->setVisible(true);
    OperadorVentana operador(*this, QStringLiteral("Quitar"));
    std::function<bool(qsizetype)> elegida;
    if (SoloSeleccionados)
        elegida = [seleccion](qsizetype i) { return seleccion->isRowSelected(int(i), {}); };
    const conciliacion::ResultadoLiberar resultado =
        conciliacion::PasoLiberar(m_store, m_sesion).Ejecutar(NumeroConciliacion(), lado, operador, elegida);
    if (resultado.estado == conciliacion::Resultado::Finalizada)
        TomarComoFinalizada();
    CargarConciliacion(Izquierda, !Izquierda);
    SoloLoQueLaRecargaLista(conciliacion::OtroLado(lado));
    CalcularTotales();
}

void FrmConcCuentas::SoloLoQueLaRecargaLista(Lado lado)
{
    // The reloaded side lists only what a reload lists; the other one may still show lines reconciled since it
    // was loaded while reconciled lines are not shown. Side by side, their totals would count different sets
    // and the difference would be false: those lines leave this side too, as a reopen would leave them out.
    // A line whose mark the operator changed and did not save stays, with its mark.
    if (ChkConciliados->isChecked() || m_sesion.Cantidad(lado) == 0)
        return;
    QSet<qint64> listadas;
    for (const conciliacion::WorkbenchRow& f : m_store.CargarLineas(NumeroConciliacion(), lado, false))
        listadas.insert(f.ID);
    QSet<qint64> fuera;
    for (const conciliacion::WorkbenchRow& f : m_sesion.Filas(lado))
        if (!listadas.contains(f.ID) && !m_sesion.Cambiada(lado, f.ID))
            fuera.insert(f.ID);
    if (fuera.isEmpty())
        return;
    m_sesion.Quitar(lado, fuera);
    AgruparConciliados();
}

void FrmConcCuentas::QuitarConfirmando(Lado lado)
{
    if (EstaOcupado() || AvisoFinalizada())
        return;
    const QString ventana = lado == Lado::Izquierda ? QStringLiteral("(ventana izquierda)")
                                                     : QStringLiteral("(ventana derecha)");
    if (ui::dialogs().MsgBox(QStringLiteral("Los registros sin marcar ") + ventana
                                 + QStringLiteral(" se liberarán, podran ser utilizados en otras conciliaciones\r\n"
                                                  "¿Confirma?"),
                             ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2, QStringLiteral("ATENCIÓN"))
        != ui::vbYes)
        return;
    Quitar(lado == Lado::Izquierda, false);
}

void FrmConcCuentas::CmdQuitarI_Click()
{
    QuitarConfirmando(Lado::Izquierda);
}

void FrmConcCuentas::CmdQuitarD_Click()
{
    QuitarConfirmando(Lado::Derecha);
}

void FrmConcCuentas::cmdRefresh_Click()
{
    if (EstaOcupado())
        return;
    const QString orden = ui::textoDeOrden(QString(), cmdRefresh->toolTip());
    CargarPanel(true, false, false, orden);
    if (!FFinalizada)
        CargarPanel(false, true, false, orden);
}

void FrmConcCuentas::ChkConciliados_Click()
{
    if (EstaOcupado())
        return;
    Ocupado ocupado(*this);
    CargarConciliacion(true, true);
    AgruparConciliados();
    CalcularTotales();
}

void FrmConcCuentas::cmdFind_Click()
{
    if (EstaOcupado() || !FListaActiva)
        return;
    FrmBuscar& buscar = gFrmBuscar();
    buscar.Lvw = FListaActiva.data();
    buscar.Show();
}

int FrmConcCuentas::IndexList(const QString& Titulo)
{
    ui::ColumnHeaderCollection& columnas = Lvw->ColumnHeaders();
    for (int i = 1; i <= columnas.Count(); ++i)
        if (columnas(i).Text().compare(Titulo, Qt::CaseInsensitive) == 0)
            return i - 1;
    return 0;
}
