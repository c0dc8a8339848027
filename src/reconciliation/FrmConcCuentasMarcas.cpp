// The operator's work on the two lists: the mark handlers, which ask before a linked row loses its mark and
// then unmark its partners, the Shift+arrow toggle, sorting by a column header, the list that last had the
// focus, and marking the selected rows. Marks set here from code raise no check event; the handlers call
// what they want themselves and end with the totals.

#include "FrmConcCuentas.h"

#include "WorkbenchChecks.h"

using conciliacion::Lado;
using conciliacion::WorkbenchRow;
using conciliacion::WorkbenchRows;

void FrmConcCuentas::ActualizarFilas(Lado lado, const WorkbenchRows& antes, const WorkbenchRows& despues)
{
    using namespace conciliacion;
    ui::ListModel& m = Lista(lado).listModel();
    const qsizetype cantidad = std::min({qsizetype(m.count()), qsizetype(antes.size()), qsizetype(despues.size())});
    std::vector<quint32> ids(size_t(cantidad), 0);
    for (qsizetype p = 0; p < cantidad; ++p)
        ids[size_t(p)] = m.idAt(int(p));
    for (qsizetype p = 0; p < cantidad; ++p) {
        const WorkbenchRow& a = antes[size_t(p)];
        const WorkbenchRow& d = despues[size_t(p)];
        const quint32 id = ids[size_t(p)];
        if (a.Checked != d.Checked)
            m.setChecked(id, d.Checked);
        if (a.ConciliadoCon != d.ConciliadoCon)
            m.setCell(id, colConciliadoCon, d.ConciliadoCon);
        if (a.Checked != d.Checked || a.ConciliadoCon != d.ConciliadoCon)
            AnotarCambio(lado, d.ID);
        if (a.ForeColor != d.ForeColor)
            for (int c = colOrden; c < kCantidadColumnas; ++c)
                m.setForeColor(id, c, d.ForeColor);
    }
}

void FrmConcCuentas::ItemCheck(Lado lado, const ui::ListItem& Item)
{
    if (Item.isNothing())
        return;
    const WorkbenchRows izquierda = FilasDeLista(Lado::Izquierda);
    const WorkbenchRows derecha = FilasDeLista(Lado::Derecha);
    const qsizetype fila = Item.Index() - 1;
    const WorkbenchRows& propias = lado == Lado::Izquierda ? izquierda : derecha;
    bool confirmado = false;
    if (fila >= 0 && fila < qsizetype(propias.size())) {
        // The operator changed this row's mark before the handler runs.
        AnotarCambio(lado, propias[size_t(fila)].ID);
        if (const auto pregunta = conciliacion::PreguntaItemCheck(lado, propias[size_t(fila)]))
            confirmado = ui::dialogs().MsgBox(pregunta->texto, pregunta->estilo, pregunta->titulo) == ui::vbYes;
    }
    WorkbenchRows nuevaIzquierda = izquierda;
    WorkbenchRows nuevaDerecha = derecha;
    conciliacion::ResolverItemCheck(lado, nuevaIzquierda, nuevaDerecha, fila, confirmado);
    ActualizarFilas(Lado::Izquierda, izquierda, nuevaIzquierda);
    ActualizarFilas(Lado::Derecha, derecha, nuevaDerecha);
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
    item.setChecked(!item.Checked());
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
    const WorkbenchRows antes = FilasDeLista(lado);
    std::vector<qsizetype> seleccionadas;
    for (int i = 1; i <= lv->ListItems().Count(); ++i)
        if (lv->ListItems()(i).Selected())
            seleccionadas.push_back(i - 1);
    WorkbenchRows despues = antes;
    conciliacion::MarcarSel(despues, seleccionadas);
    ActualizarFilas(lado, antes, despues);
    CalcularTotales();
}
