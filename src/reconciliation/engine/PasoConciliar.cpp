// The reconcile step: the balance check, the new links each to each, one transaction for the marks, the
// header and the link rows.

#include "PasoConciliar.h"

#include "EspacioVinculos.h"

namespace conciliacion {

PasoConciliar::PasoConciliar(ReconciliationStore& store, SesionConciliacion& sesion)
    : m_store(store)
    , m_sesion(sesion)
{
}

ResultadoConciliar PasoConciliar::Ejecutar(const Cabecera& cabecera, ado::Currency tolerancia, OperadorPaso& operador)
{
    using Estado = ResultadoConciliar::Estado;
    const Totales totales = m_sesion.TotalesActuales();
    if (!TotalesCuadran(totales.Conc, totales.Conc2, tolerancia))
        return {Estado::TotalesNoCuadran, Aviso{kMensajeTotalesNoCoinciden, ui::vbOKOnly + ui::vbExclamation, {}}};

    // The new rows are taken in list order, which is their order once grouped: every new left row sorts with
    // the unlinked ones and every new right row with the marked ones, and grouping sorts stably. The session
    // finds them, and what the save writes, without reading the other rows.
    const VinculosNuevos nuevos = m_sesion.BuscarVinculosNuevos();
    // Each to each can mean billions of link rows. On the embedded engine the room they need is known: a run the
    // company's disk cannot take is refused at once, and the question says how much room the others need. A
    // server's disks cannot be seen from here: the server refuses a write it has no room for, and the
    // transaction rolls it back.
    std::optional<qint64> espacio;
    if (nuevos.Cantidad() > 0 && !m_store.ArchivoEmpresa().isEmpty()) {
        espacio = EspacioNecesario(nuevos);
        const std::optional<qint64> libre = m_store.EspacioLibre(*espacio);
        if (libre && !AlcanzaEspacio(*espacio, *libre))
            return {Estado::SinEspacio, AvisoSinEspacio(*espacio, *libre)};
    }
    // The operator hears how many link rows there will be before anything is written.
    if (const auto pregunta = PreguntaVinculosNuevos(nuevos, espacio))
        if (!operador.Confirmar(*pregunta))
            return {Estado::NoConfirmada, {}};
    const VinculosAGrabar vinculos{m_sesion.Ids(Lado::Izquierda, nuevos.izquierda),
                                   m_sesion.Ids(Lado::Derecha, nuevos.derecha)};
    // The rows changed so far, the new rows with their new link lists.
    const EstadosFilas estadosIzquierda = m_sesion.EstadosCambiados(Lado::Izquierda, nuevos.izquierda, nuevos.textoDerecha);
    const EstadosFilas estadosDerecha = m_sesion.EstadosCambiados(Lado::Derecha, nuevos.derecha, nuevos.textoIzquierda);

    // Many link rows take a while: they go in blocks, with a progress window whose cancel rolls all back.
    const bool conProgreso = vinculos.Cantidad() > kVinculosSinPreguntar;
    const AvanceEscritura avance = [&](qint64 hechos, qint64 total) {
        return operador.Avanzar(QStringLiteral("Grabando Vínculos"),
                                QString::number(hechos * 100 / total) + QStringLiteral(" % del Total"), QString());
    };
    // The commit at the end cannot be stopped, and after billions of rows it takes seconds: the window says so
    // and takes no cancel meanwhile, rather than look as if it still could.
    const auto sinVuelta = [&] { operador.ProgresoSinVuelta(kTituloTerminandoDeGrabar, kTextoTerminandoDeGrabar); };
    Resultado resultado = Resultado::Hecho;
    const Intento intento = operador.Ejecutar([&] {
        std::optional<ProgresoAbierto> progreso;
        if (conProgreso)
            progreso.emplace(operador, QStringLiteral("Conciliando"));
        resultado = m_store.Conciliar(cabecera, estadosIzquierda, estadosDerecha, vinculos,
                                      conProgreso ? avance : AvanceEscritura(),
                                      conProgreso ? std::function<void()>(sinVuelta) : std::function<void()>());
    });
    if (intento != Intento::Hecho)
        return {Estado::Fallida, {}};
    if (resultado == Resultado::Cancelada)
        // Everything was rolled back: the operator must not take the silence for a save.
        return {Estado::Cancelada,
                Aviso{kMensajeConciliacionNoGrabada, ui::vbOKOnly + ui::vbExclamation, kTituloAvisoOperador}};
    if (resultado == Resultado::Finalizada)
        return {Estado::Finalizada, {}};

    // The session shows what was written; nothing is left to save.
    m_sesion.AsignarVinculosNuevos(nuevos);
    m_sesion.OlvidarCambios();
    // A write the operator watched (and may have tried to stop at its end) ends with a word that it was saved.
    if (conProgreso)
        return {Estado::Conciliada,
                Aviso{MensajeConciliacionGrabada(vinculos.Cantidad()), ui::vbOKOnly + ui::vbInformation,
                      kTituloAvisoOperador},
                vinculos.Cantidad()};
    return {Estado::Conciliada, {}, vinculos.Cantidad()};
}

} // namespace conciliacion
