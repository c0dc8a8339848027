// The rows of the two lists as plain rows and back, the totals under the lists and the link groups.

#include "FrmConcCuentas.h"

#include "WorkbenchGroups.h"
#include "WorkbenchTotals.h"
#include "platform/suite/Utilidades.h"
#include "platform/ui/PaintHold.h"
#include "platform/ui/Units.h"

#include <QFontMetrics>
#include <QLabel>

using conciliacion::Lado;
using conciliacion::WorkbenchRow;
using conciliacion::WorkbenchRows;

ui::ListView& FrmConcCuentas::Lista(Lado lado) const
{
    return lado == Lado::Izquierda ? *Lvw : *Lvw2;
}

WorkbenchRows FrmConcCuentas::FilasDeLista(Lado lado) const
{
    using namespace conciliacion;
    ui::ListModel& m = Lista(lado).listModel();
    const int cantidad = m.count();
    WorkbenchRows filas;
    filas.reserve(size_t(cantidad));
    for (int p = 0; p < cantidad; ++p) {
        const quint32 id = m.idAt(p);
        WorkbenchRow f;
        f.Orden = m.cell(id, colOrden);
        f.Fecha = m.cell(id, colFecha);
        f.Vencimiento = m.cell(id, colVencimiento);
        f.TC = m.cell(id, colTC);
        f.Comprobante = m.cell(id, colComprobante);
        f.Importe = suite::Utilidades::TextoAMoneda(m.cell(id, colImporte));
        f.Concepto = m.cell(id, colConcepto);
        f.ID = m.cell(id, colID).toLongLong();
        f.Secuencia = m.cell(id, colSecuencia);
        f.MesOperativo = m.cell(id, colMesOperativo);
        f.NroAsiento = m.cell(id, colNroAsiento);
        f.Periodo = m.cell(id, colPeriodo);
        f.Tipo_Reg = m.cell(id, colTipoReg);
        f.ConciliadoCon = m.cell(id, colConciliadoCon);
        f.Tc_Origen = m.cell(id, colTcOrigen);
        f.Cpte_Origen = m.cell(id, colCpteOrigen);
        f.Checked = m.checked(id);
        f.ForeColor = m.foreColor(id, colOrden).value_or(kColorNegro);
        f.SmallIcon = m.smallIcon(id);
        f.Grupo = m.tag(id).toLongLong();
        filas.push_back(std::move(f));
    }
    return filas;
}

void FrmConcCuentas::AgregarFila(ui::ListView& lista, const WorkbenchRow& fila)
{
    using namespace conciliacion;
    ui::ListModel& m = lista.listModel();
    const quint32 id = m.append(fila.Orden, QString());
    for (int c = colFecha; c < kCantidadColumnas; ++c)
        m.setCell(id, c, fila.Texto(c));
    if (fila.Checked)
        m.setChecked(id, true);
    m.setSmallIcon(id, fila.SmallIcon);
    // The link group rides in the row's tag, so that rows read back keep it.
    if (fila.Grupo != 0)
        m.setTag(id, QString::number(fila.Grupo));
    if (fila.ForeColor != kColorNegro)
        for (int c = colOrden; c < kCantidadColumnas; ++c)
            m.setForeColor(id, c, fila.ForeColor);
}

void FrmConcCuentas::MostrarFilas(Lado lado, const WorkbenchRows& filas)
{
    ui::ListView& lista = Lista(lado);
    ui::PaintHold pausa(&lista);
    lista.ListItems().Clear();
    for (const WorkbenchRow& f : filas)
        AgregarFila(lista, f);
}

void FrmConcCuentas::MostrarTotalesLado(Lado lado)
{
    const int decimales = conciliacion::DecimalesEtiquetas();
    if (lado == Lado::Izquierda) {
        const conciliacion::Totales t = conciliacion::CalcularTotales(FilasDeLista(lado), {}, decimales);
        lblTotConc->setText(conciliacion::TextoTotal(t.Conc));
        lblTotNConc->setText(conciliacion::TextoTotal(t.NConc));
    } else {
        const conciliacion::Totales t = conciliacion::CalcularTotales({}, FilasDeLista(lado), decimales);
        lblTotConc2->setText(conciliacion::TextoTotal(t.Conc2));
        lblTotNConc2->setText(conciliacion::TextoTotal(t.NConc2));
    }
}

void FrmConcCuentas::CalcularTotales()
{
    const conciliacion::Totales t = conciliacion::CalcularTotales(
        FilasDeLista(Lado::Izquierda), FilasDeLista(Lado::Derecha), conciliacion::DecimalesEtiquetas());
    lblTotConc->setText(conciliacion::TextoTotal(t.Conc));
    lblTotNConc->setText(conciliacion::TextoTotal(t.NConc));
    lblTotConc2->setText(conciliacion::TextoTotal(t.Conc2));
    lblTotNConc2->setText(conciliacion::TextoTotal(t.NConc2));
    const conciliacion::EtiquetaDiferencia e = conciliacion::TextoDiferencia(t.Dif);
    QPalette paleta = LblDif2->palette();
    paleta.setColor(QPalette::Window, ui::FromBgr(e.colorFondo));
    paleta.setColor(QPalette::WindowText, Qt::white);
    LblDif2->setPalette(paleta);
    LblDif2->setText(e.texto);
}

void FrmConcCuentas::AgruparConciliados()
{
    WorkbenchRows izquierda = FilasDeLista(Lado::Izquierda);
    WorkbenchRows derecha = FilasDeLista(Lado::Derecha);
    conciliacion::AgruparConciliados(izquierda, derecha);
    for (Lado lado : {Lado::Izquierda, Lado::Derecha}) {
        // Filled unsorted and sorted once: the rows come in the groups' order already.
        Lista(lado).setSorted(false);
        MostrarFilas(lado, lado == Lado::Izquierda ? izquierda : derecha);
        OrdenarPorGrupo(Lista(lado));
        Lista(lado).ColumnHeaders().Item(2).setWidth(
            ui::PxToTwips(QFontMetrics(font()).horizontalAdvance(QStringLiteral("XXXXXXXXXXXXX"))));
    }
}

void FrmConcCuentas::OrdenarPorGrupo(ui::ListView& lista)
{
    if (lista.Sorted() && lista.SortKey() == conciliacion::colOrden && lista.SortOrder() == 0)
        return;
    // Each change of a sort setting sorts a sorted list: change them while it is not sorted.
    lista.setSorted(false);
    lista.setSortKey(conciliacion::colOrden);
    lista.setSortOrder(0);
    lista.setSorted(true);
}
