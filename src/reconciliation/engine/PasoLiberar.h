#pragma once
// Releasing a side's unmarked lines: their registration rows are deleted in one transaction (with their link
// rows and their IDs in the other side's link lists), so that other reconciliations can take the journal
// lines, and the other side's rows in the session stop naming them. Reloading the side is the caller's.

#include "OperadorPaso.h"
#include "Store.h"
#include "SesionConciliacion.h"

namespace conciliacion {

struct ResultadoLiberar {
    Resultado estado = Resultado::Hecho;    // Finalizada: the store found it finalized, nothing was released
    std::vector<qint64> liberadas;          // IDs released; none when the write failed or was refused
};

class PasoLiberar {
public:
    PasoLiberar(ReconciliationStore& store, SesionConciliacion& sesion);

    // Releases the unmarked rows of the side, in list order; with `elegida`, only those at the positions it
    // accepts (the selected rows).
    ResultadoLiberar Ejecutar(qint64 numero, Lado lado, OperadorPaso& operador,
                              const std::function<bool(qsizetype posicion)>& elegida = {});

private:
    ReconciliationStore& m_store;
    SesionConciliacion& m_sesion;
};

} // namespace conciliacion
