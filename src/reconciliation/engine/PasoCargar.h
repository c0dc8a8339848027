#pragma once
// Loading a side from the journal: every line of the header's query that no reconciliation holds is
// registered under this reconciliation at once; a full load then reads back the lines the reconciliation
// already holds, to be listed ahead of those it takes now. The view lists the rows (with its progress and
// cancel). After a cancel the operator confirmed, the lines taken now but not listed are given back, so that
// no line stays held by a reconciliation that does not show it.

#include "OperadorPaso.h"
#include "Store.h"

namespace conciliacion {

// What the load step needs of whoever shows the side's list.
class VistaCarga {
public:
    virtual ~VistaCarga();
    // A full load empties the side's list (and sets up its columns) before the held lines are read back.
    virtual void VaciarLado(Lado lado) = 0;
    // Lists the rows after those the side shows, in order. Returns the rows it did not list because the
    // operator cancelled and confirmed it, in order; none when it listed them all.
    virtual WorkbenchRows Listar(Lado lado, const WorkbenchRows& filas) = 0;
};

struct ResultadoCarga {
    bool finalizada = false;            // finalized meanwhile elsewhere: nothing registered, the list untouched
    qsizetype registradas = 0;          // lines this load took for the reconciliation
    std::vector<qint64> devueltas;      // of those, the ones not listed and given back
};

class PasoCargar {
public:
    explicit PasoCargar(ReconciliationStore& store);

    // Loads the side for the header. `completa`: the side is emptied and its held lines (the marked ones too
    // with `incluirConciliadas`) are listed first; otherwise (a refresh) only the lines taken now are added.
    // The store's work runs through the operator: once a piece of it leaves, nothing after it runs.
    ResultadoCarga Ejecutar(const Cabecera& cabecera, Lado lado, bool completa, bool incluirConciliadas,
                            OperadorPaso& operador, VistaCarga& vista);

private:
    ReconciliationStore& m_store;
};

} // namespace conciliacion
