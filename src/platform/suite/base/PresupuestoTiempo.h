#pragma once
// A time budget for long loops: screen work (redrawing, letting window events run) is done at most once
// per interval, however often the loop asks, so a loop over many rows stays fast and the window stays alive.

#include <QElapsedTimer>

namespace suite {

class PresupuestoTiempo {
public:
    static constexpr int kIntervaloMs = 50;

    explicit PresupuestoTiempo(int intervaloMs = kIntervaloMs) : m_intervalo(intervaloMs) {}

    // True on the first call and then once the interval has passed since the last true answer.
    bool Vencido();
    // The next call to Vencido answers true.
    void Reiniciar() { m_reloj.invalidate(); }

private:
    int m_intervalo;
    QElapsedTimer m_reloj;
};

// Lets pending window events run, at most once per interval of the shared budget.
void DoEvents();

} // namespace suite
