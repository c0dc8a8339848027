#pragma once
// What a workbench step (PasoConciliar, PasoLiberar, PasoCargar) needs from whoever shows it while it runs:
// the operator's answer to a question, its database work run under the caller's handling of failures, and
// the progress of its long parts. The window implements it with its dialogs; a test answers in code. The
// defaults run the work directly (a failure raises) and show no progress.

#include "Pregunta.h"

#include <QString>
#include <functional>

namespace conciliacion {

// How a piece of database work ended under the caller's handling of failures.
enum class Intento {
    Hecho,          // it ran to its end
    Omitido,        // it failed and the operator chose to go on without it
    Abandonado,     // it failed and the step must stop: nothing after it runs
};

class OperadorPaso {
public:
    virtual ~OperadorPaso();

    // The operator's answer to a yes/no question: true for Yes.
    virtual bool Confirmar(const Pregunta& pregunta) = 0;

    // Runs one piece of the step's database work. The window takes no commands meanwhile and tells a failure
    // to the operator, who may retry it, go on without it or leave; the default lets the failure raise.
    virtual Intento Ejecutar(const std::function<void()>& trabajo);

    // A long write's progress window: opened with its caption (its cancel available), told each advance with
    // its three lines (true when the operator asked to cancel), then closed.
    virtual void IniciarProgreso(const QString& titulo);
    virtual bool Avanzar(const QString& titulo, const QString& texto1, const QString& texto2);
    virtual void TerminarProgreso();
    // The write shown in the progress window can no longer be cancelled (its end is being confirmed): the window
    // shows these lines and takes no cancel until it is closed.
    virtual void ProgresoSinVuelta(const QString& titulo, const QString& texto);

    // A walk over a list's rows, row `hechas` of `total` done: the window draws its progress strip.
    virtual void AvanceRecorrido(qsizetype hechas, qsizetype total);
};

// The progress window open for as long as it lives (closed also when the work fails).
class ProgresoAbierto {
public:
    ProgresoAbierto(OperadorPaso& operador, const QString& titulo);
    ~ProgresoAbierto();
    ProgresoAbierto(const ProgresoAbierto&) = delete;
    ProgresoAbierto& operator=(const ProgresoAbierto&) = delete;

private:
    OperadorPaso& m_operador;
};

} // namespace conciliacion
