#pragma once
// Loading a side from the journal: every line of the header's query that no reconciliation holds is
// registered under this reconciliation at once; a full load then reads back the lines the reconciliation
// already holds, to be listed ahead of those it takes now. The view lists the rows (with its progress and
// cancel); the lines taken now are read back a block at a time as it lists them, so that a large load never
// holds them twice. When the listing stops short (a cancel the operator confirmed, a read of a block that
// failed and was left), the lines taken now but not listed are given back, so that no line stays held by a
// reconciliation that does not show it.

#include "OperadorPaso.h"
#include "Store.h"

namespace conciliacion {

// What the load step needs of whoever shows the side's list.
class VistaCarga {
public:
    virtual ~VistaCarga();
    // A full load empties the side's list (and sets up its columns) before the held lines are read back.
    virtual void VaciarLado(Lado lado) = 0;
    // The load is about to list this many rows, in one or more calls of Listar.
    virtual void Preparar(Lado lado, size_t total);
    // Lists the rows after those the side shows, in order; the rows of one load come a block at a time.
    // Returns the rows it did not list because the operator cancelled and confirmed it, in order (then no
    // more rows come); none when it listed them all.
    virtual WorkbenchRows Listar(Lado lado, WorkbenchRows filas) = 0;
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
