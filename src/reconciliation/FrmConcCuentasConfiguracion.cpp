// The comparison settings of the account on the tab "Configuracion": which columns "Comparar" compares and
// its amount tolerance, read when an account is accepted and stored by the button "<<< &Guardar
// Configuración >>>".

#include "FrmConcCuentas.h"

#include "platform/suite/Utilidades.h"
#include "reconciliation/engine/Aviso.h"
#include "reconciliation/engine/ConfiguracionComparacion.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTabWidget>

namespace {

// A box's value as the stored settings write it: 0 clear, 1 checked, 2 greyed.
int valorCaja(const QCheckBox* caja)
{
    switch (caja->checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    default: return 0;
    }
}

Qt::CheckState estadoCaja(int valor)
{
    return valor == 1 ? Qt::Checked : valor == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
}

} // namespace

void FrmConcCuentas::LeerCfg()
{
    // A stored value that breaks off early loads the boxes it holds; the rest is read as the tolerance.
    const conciliacion::ConfiguracionComparacion cfg =
        m_store.LeerConfiguracion(TextoCampo(QStringLiteral("CUENTA")));
    for (int i : chkCamposComp.Indices()) {
        const int valor = i < conciliacion::kCamposComparados ? cfg.campos[size_t(i)] : 0;
        chkCamposComp(i)->setCheckState(estadoCaja(valor));
    }
    txtTolerancia->setText(
        suite::Utilidades::TextoCampo(ado::Variant(suite::Utilidades::TextoAMoneda(cfg.tolerancia))));
    // The amount always takes part in the comparison.
    QCheckBox* importe = chkCamposComp(conciliacion::cmpImporte);
    importe->setCheckState(Qt::Checked);
    importe->setEnabled(false);
}

void FrmConcCuentas::cmdGrabaCfg_Click()
{
    conciliacion::ConfiguracionComparacion cfg;
    for (int i : chkCamposComp.Indices())
        if (i < conciliacion::kCamposComparados)
            cfg.campos[size_t(i)] = valorCaja(chkCamposComp(i));
    cfg.tolerancia = txtTolerancia->text();
    // A failed save has already been reported by the configuration writer: no success is claimed then.
    if (!m_store.GrabarConfiguracion(TextoCampo(QStringLiteral("CUENTA")), cfg))
        return;
    ui::dialogs().MsgBox(QStringLiteral("La configuración Importación se guardó correctamente."),
                         ui::vbOKOnly + ui::vbInformation, conciliacion::kTituloAvisoUsuario);
    SSTab1->setCurrentIndex(0);
}
