// The two lists over the session's rows, the totals under them and the link groups.

#include "FrmConcCuentas.h"

#include "EntornoPrograma.h"
#include "reconciliation/engine/WorkbenchTotals.h"
#include "platform/ui/Units.h"

#include <QFontMetrics>
#include <QLabel>

using conciliacion::Lado;

ui::ListView& FrmConcCuentas::Lista(Lado lado) const
{
    return lado == Lado::Izquierda ? *Lvw : *Lvw2;
}

void FrmConcCuentas::MostrarTotalesLado(Lado lado)
{
    const conciliacion::Totales t = m_sesion.TotalesActuales();
    const int decimales = conciliacion::DecimalesPrograma();
    if (lado == Lado::Izquierda) {
        lblTotConc->setText(conciliacion::TextoTotal(t.Conc, decimales));
        lblTotNConc->setText(conciliacion::TextoTotal(t.NConc, decimales));
    } else {
        lblTotConc2->setText(conciliacion::TextoTotal(t.Conc2, decimales));
        lblTotNConc2->setText(conciliacion::TextoTotal(t.NConc2, decimales));
    }
}

void FrmConcCuentas::CalcularTotales()
{
    const conciliacion::Totales t = m_sesion.TotalesActuales();
    const int decimales = conciliacion::DecimalesPrograma();
    lblTotConc->setText(conciliacion::TextoTotal(t.Conc, decimales));
    lblTotNConc->setText(conciliacion::TextoTotal(t.NConc, decimales));
    lblTotConc2->setText(conciliacion::TextoTotal(t.Conc2, decimales));
    lblTotNConc2->setText(conciliacion::TextoTotal(t.NConc2, decimales));
    const conciliacion::EtiquetaDiferencia e = conciliacion::TextoDiferencia(t.Dif, decimales);
    QPalette paleta = LblDif2->palette();
    paleta.setColor(QPalette::Window, ui::FromBgr(e.colorFondo));
    paleta.setColor(QPalette::WindowText, Qt::white);
    LblDif2->setPalette(paleta);
    LblDif2->setText(e.texto);
}

void FrmConcCuentas::AgruparConciliados()
{
    // The session sorts both sides by group once; the lists then hold that order as sorted by their row text.
    for (Lado lado : {Lado::Izquierda, Lado::Derecha})
        Lista(lado).setSorted(false);
    m_sesion.Agrupar();
    for (Lado lado : {Lado::Izquierda, Lado::Derecha}) {
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
