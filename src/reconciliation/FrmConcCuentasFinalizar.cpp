// "Finalizar Conciliación": after two confirmations (both defaulting to No) and the save key's validation,
// one transaction saves the screen, releases every unmarked line of the reconciliation (listed or not),
// flags the marked lines and the header finalized and gives back the edit lock. A refusal or a failure
// leaves everything as it was.

#include "FrmConcCuentas.h"

#include "platform/ado/Error.h"
#include "platform/ui/OperatorDialogs.h"

using conciliacion::Lado;
using conciliacion::Resultado;

void FrmConcCuentas::cmdFinalizar_Click()
{
    if (EstaOcupado() || AvisoFinalizada())
        return;
    const QString numero = TextoCampo(QStringLiteral("IdConciliacion"));
    const int estilo = ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2;
    if (ui::dialogs().MsgBox(QStringLiteral("¿Está seguro de Finalizar la Conciliación Número: ") + numero
                                 + QStringLiteral("?\r\nSi finaliza la conciliación no prodrá volver a modificarla.\r\n"
                                                  "¿Confirma?"),
                             estilo, QStringLiteral("ATENCIÓN"))
        != ui::vbYes)
        return;
    if (ui::dialogs().MsgBox(QStringLiteral("Los registros pendientes de conciliar se liberarán para futuras "
                                            "conciliaciones\r\n¿Confirma?"),
                             estilo, QStringLiteral("ATENCIÓN"))
        != ui::vbYes)
        return;
    // The header as the save key would write it; a refused field has told the operator why.
    if (!ValidarParaGrabar())
        return;

    Resultado resultado = Resultado::Hecho;
    try {
        Ocupado ocupado(*this);
        resultado = m_store.Finalizar(CabeceraDeCampos(), m_sesion.EstadosCambiados(Lado::Izquierda),
                                      m_sesion.EstadosCambiados(Lado::Derecha), m_store.Propietario());
    } catch (const ado::Error& e) {
        ui::dialogs().MsgBox(e.Description, ui::vbOKOnly + ui::vbCritical, QStringLiteral("ATENCIÓN"));
        return;
    }
    if (!Escrito(resultado))
        return;
    VolverAlNumero();
    ui::dialogs().MsgBox(QStringLiteral("La Conciliación número: ") + numero.trimmed()
                             + QStringLiteral(" se finalizó correctamente."),
                         ui::vbOKOnly + ui::vbInformation, QStringLiteral("Aviso al Usuario"));
}
