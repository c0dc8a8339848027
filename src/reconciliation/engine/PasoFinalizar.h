#pragma once
// Finalizing a reconciliation: after the operator confirmed both questions, one transaction saves the
// session's changed rows and the header, releases every unmarked line of the reconciliation (listed or not),
// flags the marked lines and the header finalized and gives back this station's edit lock. A refusal or a
// failure (which raises) leaves everything as it was.

#include "Aviso.h"
#include "Store.h"
#include "SesionConciliacion.h"

#include <array>
#include <optional>

namespace conciliacion {

struct ResultadoFinalizar {
    Resultado estado = Resultado::Hecho;    // Finalizada: it was finalized already, nothing was written
    std::optional<Aviso> aviso;             // what the operator is told when it was finalized now
};

class PasoFinalizar {
public:
    PasoFinalizar(ReconciliationStore& store, SesionConciliacion& sesion);

    // The two questions asked, in this order, before finalizing the reconciliation whose number the header
    // shows as `numero`; No is the default of both.
    static std::array<Pregunta, 2> Preguntas(const QString& numero);

    // What the operator is told when finalizing failed with `motivo` (the engine's or the server's words): that
    // the reconciliation was not finalized and nothing of it was written, then why.
    static Aviso AvisoDeFalla(const QString& numero, const QString& motivo);

    // Finalizes the header's reconciliation; `numero` as the header shows it.
    ResultadoFinalizar Ejecutar(const Cabecera& cabecera, const QString& numero);

private:
    ReconciliationStore& m_store;
    SesionConciliacion& m_sesion;
};

} // namespace conciliacion
