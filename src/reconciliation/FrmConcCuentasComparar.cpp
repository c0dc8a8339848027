// "Comparar": pairs the unmarked lines of both lists on the fields chosen on the tab "Configuracion", the
// amount within the typed tolerance, and marks each pair; lines that agree only in part turn red. Only the
// screen changes. The matcher works through an index on the session's rows; the progress window
// keeps the window alive and can cancel, while the window takes no other command.

#include "FrmConcCuentas.h"

#include "reconciliation/engine/Aviso.h"
#include "reconciliation/engine/Matching.h"
#include "core/Globals.h"
#include "platform/suite/Progreso.h"
#include "platform/suite/Utilidades.h"

#include <QCheckBox>
#include <QLineEdit>

using conciliacion::Lado;

void FrmConcCuentas::cmdComparar_Click()
{
    using namespace conciliacion;
    if (EstaOcupado())
        return;
    switch (ComprobarListas(m_sesion.Filas(Lado::Izquierda), m_sesion.Filas(Lado::Derecha))) {
    case EstadoComparacion::ListaIzquierdaVacia:
        ui::dialogs().MsgBox(kMensajeIzquierdaVacia, ui::vbOKOnly + ui::vbInformation, kTituloAvisoOperador);
        return;
    case EstadoComparacion::ListaDerechaVacia:
        ui::dialogs().MsgBox(kMensajeDerechaVacia, ui::vbOKOnly + ui::vbInformation, kTituloAvisoOperador);
        return;
    case EstadoComparacion::Terminada:
        break;
    }

    OpcionesComparacion opciones;
    for (int i = 0; i < kCantidadCajas; ++i)
        opciones.cajas[size_t(i)] = chkCamposComp.Existe(i) && chkCamposComp(i)->checkState() == Qt::Checked;
    opciones.tolerancia = suite::Utilidades::TextoAMoneda(txtTolerancia->text());

    ResultadoComparacion resultado;
    {
        Ocupado ocupado(*this);
        suite::Progreso& progreso = ModGlobal::gProgreso();
        progreso.Iniciar(kTituloProgresoComparacion, true);
        resultado = m_sesion.Comparar(opciones, [&](qsizetype hechas, qsizetype total, int individual) {
            bool cancelar = false;
            progreso.Avanzar(cancelar, kLeyendaProgresoComparacion,
                             QString::number(hechas * 100 / total) + QStringLiteral(" % del Total"),
                             QString::number(individual) + QStringLiteral("% Individual"));
            return cancelar;
        });
        progreso.Terminar();
    }
    if (resultado.todasLasCajas)
        for (int i = 0; i < kCantidadCajas; ++i)
            if (chkCamposComp.Existe(i))
                chkCamposComp(i)->setCheckState(Qt::Checked);
    // All five labels, the difference too, so that it agrees with the new marks.
    CalcularTotales();
    ui::dialogs().MsgBox(kMensajeComparacionTerminada, ui::vbOKOnly + ui::vbInformation, kTituloAvisoUsuario);
    Lvw->setFocus();
}
