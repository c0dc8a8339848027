#pragma once
// The reconcile step ("Aplicar"): when the marked totals of both sides agree within the rounding tolerance,
// every newly marked left line is linked with every newly marked right line, each to each, and the changed
// marks and the header are saved with those links in one transaction. A run that would write very many link
// rows asks first (saying, on the embedded engine, how much free room on disk they need), and writes them under
// a progress window whose cancel rolls everything back until the commit begins; from then on the window says that
// the write can no longer be cancelled, and its end is told. On the embedded engine a run the company's disk cannot
// take is refused before anything is asked or written. After the write the session shows what was written and
// has nothing left to save; grouping the lists is the caller's.

#include "Aviso.h"
#include "OperadorPaso.h"
#include "Store.h"
#include "SesionConciliacion.h"

#include <optional>

namespace conciliacion {

struct ResultadoConciliar {
    enum class Estado {
        Conciliada,         // written; the session holds the new link lists
        TotalesNoCuadran,   // refused before anything was asked or written
        SinEspacio,         // the company's disk has not the room the links need: refused before anything was
                            // asked or written
        NoConfirmada,       // the operator did not confirm the many links
        Cancelada,          // the operator cancelled the writing of the links: everything was rolled back
        Finalizada,         // the store found the reconciliation finalized: nothing was written
        Fallida,            // the write failed and the operator was told: nothing was written
    };
    Estado estado = Estado::Conciliada;
    std::optional<Aviso> aviso;     // what the operator must be told, when anything (a write shown with its
                                    // progress is told when it was saved)
    qint64 vinculos = 0;            // link rows written
};

class PasoConciliar {
public:
    PasoConciliar(ReconciliationStore& store, SesionConciliacion& sesion);

    // The step for the header's reconciliation with the rounding tolerance of the totals.
    ResultadoConciliar Ejecutar(const Cabecera& cabecera, ado::Currency tolerancia, OperadorPaso& operador);

private:
    ReconciliationStore& m_store;
    SesionConciliacion& m_sesion;
};

} // namespace conciliacion
