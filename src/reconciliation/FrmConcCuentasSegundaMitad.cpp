// Placeholders for the workbench's second half (marking, matching, reconciling, saving, finalizing, the
// command bar's actions and the line menu), so that the window builds and runs until they are written.
// Closing the window already gives its edit lock back.

#include "FrmConcCuentas.h"

void FrmConcCuentas::Lvw_ItemCheck(ui::ListItem /*Item*/) {}
void FrmConcCuentas::Lvw2_ItemCheck(ui::ListItem /*Item*/) {}
void FrmConcCuentas::Lvw_ColumnClick(ui::ColumnHeader /*ColumnHeader*/) {}
void FrmConcCuentas::Lvw2_ColumnClick(ui::ColumnHeader /*ColumnHeader*/) {}
void FrmConcCuentas::Lvw_KeyDown(int& /*KeyCode*/, int /*Shift*/) {}
void FrmConcCuentas::Lvw2_KeyDown(int& /*KeyCode*/, int /*Shift*/) {}
void FrmConcCuentas::Lvw_MouseDown(int /*Button*/, int /*Shift*/, double /*X*/, double /*Y*/) {}
void FrmConcCuentas::Lvw2_MouseDown(int /*Button*/, int /*Shift*/, double /*X*/, double /*Y*/) {}
void FrmConcCuentas::Lvw_GotFocus() {}
void FrmConcCuentas::Lvw2_GotFocus() {}
void FrmConcCuentas::MarcarSel(ui::ListView* /*lv*/) {}
void FrmConcCuentas::Quitar(bool /*Izquierda*/, bool /*SoloSeleccionados*/) {}
int FrmConcCuentas::IndexList(const QString& /*Titulo*/) { return 0; }
void FrmConcCuentas::CmdQuitarI_Click() {}
void FrmConcCuentas::CmdQuitarD_Click() {}
void FrmConcCuentas::cmdRefresh_Click() {}
void FrmConcCuentas::ChkConciliados_Click() {}
void FrmConcCuentas::cmdFind_Click() {}
void FrmConcCuentas::ActualizarDatos() {}
void FrmConcCuentas::cmdComparar_Click() {}
void FrmConcCuentas::CmdConciliar_Click() {}
void FrmConcCuentas::cmdFinalizar_Click() {}
void FrmConcCuentas::Brakmo1_Click(const QString& /*key*/) {}
void FrmConcCuentas::Form_KeyDown(int& /*KeyCode*/, int /*Shift*/) {}
void FrmConcCuentas::MostarComprobante(const QString& /*iTC*/, const QString& /*iSucursal*/, const QString& /*iNumero*/,
                                       const QString& /*iLetra*/, const QString& /*CuentaFiltro*/)
{
}

void FrmConcCuentas::Form_Unload()
{
    SoltarBloqueo();
}
