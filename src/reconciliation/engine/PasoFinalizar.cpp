// Finalizing: the questions asked first, then the store's one transaction.

#include "PasoFinalizar.h"

namespace conciliacion {

PasoFinalizar::PasoFinalizar(ReconciliationStore& store, SesionConciliacion& sesion)
    : m_store(store)
    , m_sesion(sesion)
{
}

std::array<Pregunta, 2> PasoFinalizar::Preguntas(const QString& numero)
{
    const int estilo = ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2;
    return {Pregunta{QStringLiteral("¿Está seguro de Finalizar la Conciliación Número: ") + numero
                         + QStringLiteral("?\r\nSi finaliza la conciliación no prodrá volver a modificarla.\r\n"
                                          "¿Confirma?"),
                     estilo, kTituloAtencion},
            Pregunta{QStringLiteral("Los registros pendientes de conciliar se liberarán para futuras "
                                    "conciliaciones\r\n¿Confirma?"),
                     estilo, kTituloAtencion}};
}

Aviso PasoFinalizar::AvisoDeFalla(const QString& numero, const QString& motivo)
{
    // The one transaction was rolled back: the marks and links stay as they were before Finalizar, unsaved.
    return Aviso{QStringLiteral("La Conciliación número: ") + numero.trimmed()
                     + QStringLiteral(" no se finalizó; no se grabó ningún cambio.\r\n") + motivo,
                 ui::vbOKOnly + ui::vbCritical, kTituloAtencion};
}

ResultadoFinalizar PasoFinalizar::Ejecutar(const Cabecera& cabecera, const QString& numero)
{
    const Resultado estado = m_store.Finalizar(cabecera, m_sesion.EstadosCambiados(Lado::Izquierda),
                                               m_sesion.EstadosCambiados(Lado::Derecha), m_store.Propietario());
    if (estado != Resultado::Hecho)
        return {estado, {}};
    m_sesion.OlvidarCambios();
    return {estado, Aviso{QStringLiteral("La Conciliación número: ") + numero.trimmed()
                              + QStringLiteral(" se finalizó correctamente."),
                          ui::vbOKOnly + ui::vbInformation, kTituloAvisoUsuario}};
}

} // namespace conciliacion
