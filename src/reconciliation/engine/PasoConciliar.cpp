// The reconcile step: the balance check, the new links each to each, one transaction for the marks, the
// header and the link rows.

#include "PasoConciliar.h"

#include <QSet>

namespace conciliacion {

PasoConciliar::PasoConciliar(ReconciliationStore& store, SesionConciliacion& sesion)
    : m_store(store)
    , m_sesion(sesion)
{
}

EstadosFilas PasoConciliar::Estados(Lado lado, const std::vector<qsizetype>& nuevas, const QString& vinculo) const
{
    const WorkbenchRows& filas = m_sesion.Filas(lado);
    QSet<qint64> ids;
    for (qsizetype p : nuevas)
        ids.insert(filas[size_t(p)].ID);
    EstadosFilas e;
    for (const WorkbenchRow& f : filas)
        if (ids.contains(f.ID))
            e.push_back({f.ID, f.Checked, vinculo});
        else if (m_sesion.Cambiada(lado, f.ID))
            e.push_back({f.ID, f.Checked, f.ConciliadoCon});
    return e;
}

ResultadoConciliar PasoConciliar::Ejecutar(const Cabecera& cabecera, ado::Currency tolerancia, OperadorPaso& operador)
{
    using Estado = ResultadoConciliar::Estado;
    const Totales totales = m_sesion.TotalesActuales();
    if (!TotalesCuadran(totales.Conc, totales.Conc2, tolerancia))
        return {Estado::TotalesNoCuadran, Aviso{kMensajeTotalesNoCoinciden, ui::vbOKOnly + ui::vbExclamation, {}}};

    // The new rows are taken in list order, which is their order once grouped: every new left row sorts with
    // the unlinked ones and every new right row with the marked ones, and grouping sorts stably.
    const WorkbenchRows& izquierda = m_sesion.Filas(Lado::Izquierda);
    const WorkbenchRows& derecha = m_sesion.Filas(Lado::Derecha);
    const VinculosNuevos nuevos = BuscarVinculosNuevos(izquierda, derecha);
    // Each to each can mean very many link rows: the operator hears how many before anything is written.
    if (const auto pregunta = PreguntaVinculosNuevos(nuevos))
        if (!operador.Confirmar(*pregunta))
            return {Estado::NoConfirmada, {}};
    const VinculosAGrabar vinculos = ParaGrabar(nuevos, izquierda, derecha);
    const EstadosFilas estadosIzquierda = Estados(Lado::Izquierda, nuevos.izquierda, nuevos.textoDerecha);
    const EstadosFilas estadosDerecha = Estados(Lado::Derecha, nuevos.derecha, nuevos.textoIzquierda);

    // Many link rows take a while: they go in blocks, with a progress window whose cancel rolls all back.
    const bool conProgreso = vinculos.Cantidad() > kVinculosSinPreguntar;
    const AvanceEscritura avance = [&](qint64 hechos, qint64 total) {
        return operador.Avanzar(QStringLiteral("Grabando Vínculos"),
                                QString::number(hechos * 100 / total) + QStringLiteral(" % del Total"), QString());
    };
    Resultado resultado = Resultado::Hecho;
    const Intento intento = operador.Ejecutar([&] {
        std::optional<ProgresoAbierto> progreso;
        if (conProgreso)
            progreso.emplace(operador, QStringLiteral("Conciliando"));
        resultado = m_store.Conciliar(cabecera, estadosIzquierda, estadosDerecha, vinculos,
                                      conProgreso ? avance : AvanceEscritura());
    });
    if (intento != Intento::Hecho)
        return {Estado::Fallida, {}};
    if (resultado == Resultado::Cancelada)
        // Everything was rolled back: the operator must not take the silence for a save.
        return {Estado::Cancelada,
                Aviso{kMensajeConciliacionNoGrabada, ui::vbOKOnly + ui::vbExclamation, QStringLiteral("Aviso al Operador")}};
    if (resultado == Resultado::Finalizada)
        return {Estado::Finalizada, {}};

    // The session shows what was written; nothing is left to save.
    m_sesion.ModificarAmbos([&](WorkbenchRows& i, WorkbenchRows& d) { AsignarVinculosNuevos(i, d, nuevos); });
    m_sesion.OlvidarCambios();
    return {Estado::Conciliada, {}, vinculos.Cantidad()};
}

} // namespace conciliacion
