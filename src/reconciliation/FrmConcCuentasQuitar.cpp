// Releasing lines (their registration rows are deleted, so other reconciliations can take the journal lines),
// reloading the lists, showing the reconciled lines, finding a text in a list, and a column by its header.

#include "FrmConcCuentas.h"

#include "reconciliation/engine/LinkList.h"
#include "core/ProgressBar.h"
#include "lookup/FrmBuscar.h"
#include "platform/suite/PictureBox.h"
#include "platform/ui/Routine.h"

#include <QCheckBox>
#include <QItemSelectionModel>
#include <QSet>

using conciliacion::Lado;
using conciliacion::WorkbenchRows;

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
    const Lado otro = conciliacion::OtroLado(lado);
    ui::ListView& lista = Lista(lado);
    Ocupado ocupado(*this);

    PicImg->setVisible(true);
    std::vector<qint64> ids;
    const WorkbenchRows& filas = m_sesion.Filas(lado);
    const qsizetype cantidad = qsizetype(filas.size());
    QItemSelectionModel* seleccion = lista.selectionModel();
    for (qsizetype i = 0; i < cantidad; ++i) {
        const conciliacion::WorkbenchRow& f = filas[size_t(i)];
        if (f.Checked)
            continue;
        if (!SoloSeleccionados || seleccion->isRowSelected(int(i), {}))
            ids.push_back(f.ID);
        ModGlobal::DibujarProgreso(*PicImg, double(i + 1) * 100.0 / double(cantidad), 0xFF, QString());
    }

    // One transaction: the lines, their link rows, and their IDs in the other side's link lists.
    ui::Routine r(QStringLiteral("Quitar"));
    conciliacion::Resultado resultado = conciliacion::Resultado::Hecho;
    bool hecho = false;
    r.step([&] {
        resultado = m_store.Liberar(NumeroConciliacion(), lado, ids);
        hecho = true;
    });
    const bool liberadas = hecho && resultado == conciliacion::Resultado::Hecho;
    if (resultado == conciliacion::Resultado::Finalizada)
        TomarComoFinalizada();
    if (liberadas && !ids.empty()) {
        // The other list shows what the store wrote: the released lines are no longer named as partners.
        const QSet<qint64> quitadas(ids.begin(), ids.end());
        m_sesion.Modificar(otro, [&](WorkbenchRows& filas) {
            for (conciliacion::WorkbenchRow& f : filas) {
                QString vinculo = f.ConciliadoCon;
                conciliacion::RecorrerVinculo(f.ConciliadoCon, [&](QStringView elemento) {
                    const qint64 id = elemento.toLongLong();
                    if (quitadas.contains(id))
                        vinculo = conciliacion::QuitarDeVinculo(vinculo, id);
                });
                if (vinculo != f.ConciliadoCon)
                    f.ConciliadoCon = vinculo;
            }
        });
    }
    CargarConciliacion(Izquierda, !Izquierda);
    CalcularTotales();
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
    CargarPanel(true, false, false);
    if (!FFinalizada)
        CargarPanel(false, true, false);
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
