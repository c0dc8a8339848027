// Loading a side: registration, the read-back of the held lines, the listing and the give-back rule.

#include "PasoCargar.h"

namespace conciliacion {

VistaCarga::~VistaCarga() = default;

void VistaCarga::Preparar(Lado, size_t) {}

PasoCargar::PasoCargar(ReconciliationStore& store) : m_store(store) {}

ResultadoCarga PasoCargar::Ejecutar(const Cabecera& cabecera, Lado lado, bool completa, bool incluirConciliadas,
                                    OperadorPaso& operador, VistaCarga& vista)
{
    ResultadoCarga resultado;
    ResultadoRegistro registro;
    WorkbenchRows anteriores;
    bool seguir = operador.Ejecutar([&] { registro = m_store.RegistrarLibres(cabecera, lado, false); })
                  != Intento::Abandonado;
    if (seguir && registro.finalizada) {
        // Finalized by another station since it was opened here: the list stays as it is.
        resultado.finalizada = true;
        return resultado;
    }
    resultado.registradas = registro.cantidad;
    if (seguir && completa) {
        vista.VaciarLado(lado);
        // The lines this reconciliation already holds stay listed, ahead of those it takes now; a second load
        // of a new reconciliation would otherwise hide its own lines.
        seguir = operador.Ejecutar([&] {
            anteriores = m_store.CargarLineas(cabecera.numero, lado, incluirConciliadas, registro.ids);
        }) != Intento::Abandonado;
    }
    if (!seguir)
        return resultado;
    vista.Preparar(lado, anteriores.size() + size_t(registro.cantidad));
    // The lines taken now that are not listed: at first all of them; after a short listing, those from the
    // first one not listed (they come in ID order).
    TramoIds sinListar = registro.ids;
    bool corto = !anteriores.empty() && !vista.Listar(lado, std::move(anteriores)).empty();
    for (TramoIds porLeer = registro.ids; !corto && porLeer.despuesDe < porLeer.hasta;) {
        WorkbenchRows bloque;
        if (operador.Ejecutar([&] { bloque = m_store.LeerBloque(cabecera.numero, lado, porLeer); }) != Intento::Hecho) {
            corto = true;
            break;
        }
        if (bloque.empty())
            break;
        porLeer.despuesDe = bloque.back().ID;
        const WorkbenchRows resto = vista.Listar(lado, std::move(bloque));
        corto = !resto.empty();
        sinListar.despuesDe = corto ? resto.front().ID - 1 : porLeer.despuesDe;
    }
    if (!corto || sinListar.despuesDe >= sinListar.hasta)
        return resultado;
    std::vector<qint64> devolver;
    if (operador.Ejecutar([&] { devolver = m_store.IdsDeLineas(cabecera.numero, lado, sinListar); }) == Intento::Hecho
        && !devolver.empty()
        && operador.Ejecutar([&] { m_store.Liberar(cabecera.numero, lado, devolver); }) == Intento::Hecho)
        resultado.devueltas = std::move(devolver);
    return resultado;
}

} // namespace conciliacion
