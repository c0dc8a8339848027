// Releasing lines: the unmarked rows chosen, the store's delete, the other side's link lists.

#include "PasoLiberar.h"

#include "LinkList.h"

#include <QSet>

namespace conciliacion {

PasoLiberar::PasoLiberar(ReconciliationStore& store, SesionConciliacion& sesion)
    : m_store(store)
    , m_sesion(sesion)
{
}

ResultadoLiberar PasoLiberar::Ejecutar(qint64 numero, Lado lado, OperadorPaso& operador,
                                       const std::function<bool(qsizetype)>& elegida)
{
    std::vector<qint64> ids;
    const WorkbenchRows& filas = m_sesion.Filas(lado);
    const qsizetype cantidad = qsizetype(filas.size());
    for (qsizetype i = 0; i < cantidad; ++i) {
        const WorkbenchRow& f = filas[size_t(i)];
        if (f.Checked)
            continue;
        if (!elegida || elegida(i))
            ids.push_back(f.ID);
        operador.AvanceRecorrido(i + 1, cantidad);
    }

    // One transaction: the lines, their link rows, and their IDs in the other side's link lists.
    ResultadoLiberar resultado;
    if (operador.Ejecutar([&] { resultado.estado = m_store.Liberar(numero, lado, ids); }) != Intento::Hecho
        || resultado.estado != Resultado::Hecho || ids.empty())
        return resultado;
    resultado.liberadas = ids;

    // The other list shows what the store wrote: the released lines are no longer named as partners.
    const QSet<qint64> quitadas(ids.begin(), ids.end());
    m_sesion.Modificar(OtroLado(lado), [&](WorkbenchRows& otras) {
        for (WorkbenchRow& f : otras) {
            QString vinculo = f.ConciliadoCon;
            RecorrerVinculo(f.ConciliadoCon, [&](QStringView elemento) {
                const qint64 id = elemento.toLongLong();
                if (quitadas.contains(id))
                    vinculo = QuitarDeVinculo(vinculo, id);
            });
            if (vinculo != f.ConciliadoCon)
                f.ConciliadoCon = vinculo;
        }
    });
    return resultado;
}

} // namespace conciliacion
