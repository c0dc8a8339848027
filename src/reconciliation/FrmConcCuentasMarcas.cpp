// The operator's work on the two lists: the mark handlers, which ask before a linked row loses its mark and
// then unmark its partners, the Shift+arrow toggle, sorting by a column header, the list that last had the
// focus, and marking the selected rows. Marks set here from code raise no check event; the handlers call
// what they want themselves and end with the totals.

#include "FrmConcCuentas.h"

#include "platform/ui/OperatorDialogs.h"
#include "reconciliation/engine/WorkbenchChecks.h"

#include <QItemSelectionModel>
#include <algorithm>

using conciliacion::Lado;

void FrmConcCuentas::ItemCheck(Lado lado, const ui::ListItem& Item)
{
    if (Item.isNothing())
        return;
    // The operator's new mark is in the session already (and the row recorded as changed).
    const qsizetype fila = Item.Index() - 1;
    bool confirmado = false;
    if (fila >= 0 && fila < m_sesion.Cantidad(lado))
        if (const auto pregunta = conciliacion::PreguntaItemCheck(lado, m_sesion.Fila(lado, fila)))
            confirmado = ui::dialogs().MsgBox(pregunta->texto, pregunta->estilo, pregunta->titulo) == ui::vbYes;
    m_sesion.ResolverMarca(lado, fila, confirmado);
    CalcularTotales();
}

void FrmConcCuentas::Lvw_ItemCheck(ui::ListItem Item)
{
    ItemCheck(Lado::Izquierda, Item);
}

void FrmConcCuentas::Lvw2_ItemCheck(ui::ListItem Item)
{
    ItemCheck(Lado::Derecha, Item);
}

void FrmConcCuentas::KeyDownLista(Lado lado, int KeyCode, int Shift)
{
    if (EstaOcupado() || !conciliacion::EsTeclaAlternarMarca(KeyCode, Shift))
        return;
    ui::ListItem item = Lista(lado).SelectedItem();
    if (item.isNothing())
        return;
    m_sesion.CambiarMarca(lado, item.Index() - 1, !item.Checked());
    ItemCheck(lado, item);
    // The key goes on to the list, which moves the selection as it always does.
}

void FrmConcCuentas::Lvw_KeyDown(int& KeyCode, int Shift)
{
    KeyDownLista(Lado::Izquierda, KeyCode, Shift);
}

void FrmConcCuentas::Lvw2_KeyDown(int& KeyCode, int Shift)
{
    KeyDownLista(Lado::Derecha, KeyCode, Shift);
}

void FrmConcCuentas::ColumnClick(Lado lado, const ui::ColumnHeader& ColumnHeader)
{
    ui::ListView& lista = Lista(lado);
    const conciliacion::OrdenLista orden = conciliacion::ClicColumna(
        {lista.Sorted(), lista.SortKey(), lista.SortOrder()}, ColumnHeader.Index());
    lista.setSortKey(orden.SortKey);
    lista.setSortOrder(orden.SortOrder);
    lista.setSorted(orden.Sorted);
}

void FrmConcCuentas::Lvw_ColumnClick(ui::ColumnHeader ColumnHeader)
{
    ColumnClick(Lado::Izquierda, ColumnHeader);
}

void FrmConcCuentas::Lvw2_ColumnClick(ui::ColumnHeader ColumnHeader)
{
    ColumnClick(Lado::Derecha, ColumnHeader);
}

void FrmConcCuentas::Lvw_GotFocus()
{
    setTabOrder(Lvw, Lvw2);
    FListaActiva = Lvw;
}

void FrmConcCuentas::Lvw2_GotFocus()
{
    setTabOrder(Lvw2, Lvw);
    FListaActiva = Lvw2;
}

void FrmConcCuentas::MarcarSel(ui::ListView* lv)
{
    if (!lv || (lv != Lvw && lv != Lvw2))
        return;
    const Lado lado = lv == Lvw ? Lado::Izquierda : Lado::Derecha;
    std::vector<qsizetype> seleccionadas;
    for (const QModelIndex& i : lv->selectionModel()->selectedRows())
        seleccionadas.push_back(i.row());
    std::sort(seleccionadas.begin(), seleccionadas.end());
    m_sesion.MarcarSeleccion(lado, seleccionadas);
    CalcularTotales();
}
