// Loading a side: registration, the read-back of the held lines, the listing and the give-back rule.

#include "PasoCargar.h"

#include <unordered_set>

namespace conciliacion {

VistaCarga::~VistaCarga() = default;

PasoCargar::PasoCargar(ReconciliationStore& store) : m_store(store) {}

ResultadoCarga PasoCargar::Ejecutar(const Cabecera& cabecera, Lado lado, bool completa, bool incluirConciliadas,
                                    OperadorPaso& operador, VistaCarga& vista)
{
    ResultadoCarga resultado;
    ResultadoRegistro registro;
    WorkbenchRows filas;
    bool seguir = operador.Ejecutar([&] { registro = m_store.RegistrarLibres(cabecera, lado); }) != Intento::Abandonado;
    if (seguir && registro.finalizada) {
        // Finalized by another station since it was opened here: the list stays as it is.
        resultado.finalizada = true;
        return resultado;
    }
    resultado.registradas = qsizetype(registro.filas.size());
    std::unordered_set<qint64> nuevas;
    for (const WorkbenchRow& f : registro.filas)
        nuevas.insert(f.ID);
    if (seguir && completa) {
        vista.VaciarLado(lado);
        // The lines this reconciliation already holds stay listed, ahead of those it takes now; a second load
        // of a new reconciliation would otherwise hide its own lines.
        seguir = operador.Ejecutar([&] {
            for (WorkbenchRow& f : m_store.CargarLineas(cabecera.numero, lado, incluirConciliadas))
                if (!nuevas.count(f.ID))
                    filas.push_back(std::move(f));
        }) != Intento::Abandonado;
    }
    if (!seguir)
        return resultado;
    filas.insert(filas.end(), registro.filas.begin(), registro.filas.end());
    // After a confirmed cancel the lines taken now but not listed are given back, so that no line stays held
    // by a reconciliation that does not show it.
    std::vector<qint64> devolver;
    for (const WorkbenchRow& f : vista.Listar(lado, filas))
        if (nuevas.count(f.ID))
            devolver.push_back(f.ID);
    if (!devolver.empty()
        && operador.Ejecutar([&] { m_store.Liberar(cabecera.numero, lado, devolver); }) == Intento::Hecho)
        resultado.devueltas = std::move(devolver);
    return resultado;
}

} // namespace conciliacion
