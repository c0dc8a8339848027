// The line menu of both lists (a right click on a selected line): mark the selected lines, release the
// selected unmarked lines, or open the voucher behind the line. A menu closed without a choice does nothing.

#include "FrmConcCuentas.h"

#include "VisorDocumentos.h"
#include "core/FrmMenus.h"

#include <QMenu>

using conciliacion::Lado;

void FrmConcCuentas::MouseDownLista(Lado lado, int Button)
{
    if (Button != 2 || EstaOcupado())
        return;
    ui::ListView& lista = Lista(lado);
    if (lista.SelectedItem().isNothing())
        return;
    ModGlobal::FrmMenus& menus = ModGlobal::frmMenus();
    // The answer slot keeps the last choice: a dismissed menu must not repeat it.
    menus.PRespuesta.clear();
    if (!menus.Mostrar(menus.mnu_EmergenteZ1()))
        return;
    const ui::ListItem item = lista.SelectedItem();
    if (item.isNothing())
        return;
    const QString respuesta = menus.PRespuesta;
    const auto es = [&](const char* codigo) { return respuesta.compare(QLatin1String(codigo), Qt::CaseInsensitive) == 0; };
    if (es("VerComprobante")) {
        const QString tc = item.SubItems(conciliacion::colTC);
        if (tc.trimmed().isEmpty())
            return;
        const conciliacion::Comprobante c =
            conciliacion::Comprobante::DeLinea(tc, item.SubItems(conciliacion::colComprobante));
        MostarComprobante(c.tc, c.sucursal, c.numero, c.letra, TextoCampo(QStringLiteral("CUENTA")));
    } else if (es("QuitarSel")) {
        Quitar(lado == Lado::Izquierda, true);
    } else if (es("MarCarSel")) {
        MarcarSel(&lista);
    }
}

void FrmConcCuentas::Lvw_MouseDown(int Button, int /*Shift*/, double /*X*/, double /*Y*/)
{
    MouseDownLista(Lado::Izquierda, Button);
}

void FrmConcCuentas::Lvw2_MouseDown(int Button, int /*Shift*/, double /*X*/, double /*Y*/)
{
    MouseDownLista(Lado::Derecha, Button);
}

void FrmConcCuentas::MostarComprobante(const QString& iTC, const QString& iSucursal, const QString& iNumero,
                                       const QString& iLetra, const QString& CuentaFiltro)
{
    if (conciliacion::SinDocumento(iTC))
        return;
    conciliacion::visorDocumentos().Mostrar({iTC, iSucursal, iNumero, iLetra}, CuentaFiltro);
}
