// "Finalizar Conciliación": the engine's two questions (both defaulting to No), the save key's validation,
// then the engine's finalize step (PasoFinalizar), whose outcome is shown. A refusal or a failure leaves
// everything as it was.

#include "FrmConcCuentas.h"

#include "OperadorVentana.h"
#include "reconciliation/engine/PasoFinalizar.h"
#include "platform/ado/Error.h"

void FrmConcCuentas::cmdFinalizar_Click()
{
    if (EstaOcupado() || AvisoFinalizada())
        return;
    const QString numero = TextoCampo(QStringLiteral("IdConciliacion"));
    for (const conciliacion::Pregunta& pregunta : conciliacion::PasoFinalizar::Preguntas(numero))
        if (!OperadorVentana::Preguntar(pregunta))
            return;
    // The header as the save key would write it; a refused field has told the operator why.
    if (!ValidarParaGrabar())
        return;

    conciliacion::ResultadoFinalizar resultado;
    try {
        Ocupado ocupado(*this);
        resultado = conciliacion::PasoFinalizar(m_store, m_sesion).Ejecutar(CabeceraDeCampos(), numero);
    } catch (const ado::Error& e) {
        OperadorVentana::Mostrar(conciliacion::PasoFinalizar::AvisoDeFalla(numero, e.Description));
        return;
    }
    if (resultado.estado == conciliacion::Resultado::Finalizada) {
        TomarComoFinalizada();
        return;
    }
    VolverAlNumero();
    OperadorVentana::Mostrar(*resultado.aviso);
}
