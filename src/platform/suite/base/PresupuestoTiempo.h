#pragma once
// A time budget for long loops: screen work (redrawing, letting window events run) is done at most once
// per interval, however often the loop asks, so a loop over many rows stays fast and the window stays alive.
// It runs on the machine's clock, or on one the caller gives (a test's, to try hours of work in an instant).

#include <QElapsedTimer>
#include <functional>
#include <optional>

namespace suite {

class PresupuestoTiempo {
public:
    static constexpr int kIntervaloMs = 50;

    // Milliseconds on a clock that only goes forward.
    using Reloj = std::function<qint64()>;

    explicit PresupuestoTiempo(int intervaloMs = kIntervaloMs, Reloj reloj = {});

    // True on the first call and then once the interval has passed since the last true answer.
    bool Vencido();
    // The next call to Vencido answers true.
    void Reiniciar() { m_ultimo.reset(); }

private:
    qint64 ahora() const;

    int m_intervalo;
    Reloj m_reloj;
    QElapsedTimer m_maquina;
    std::optional<qint64> m_ultimo;   // when it last answered true
};

// Lets pending window events run, at most once per interval of the shared budget.
void DoEvents();

} // namespace suite
