#pragma once
// The matcher's work over several threads: long lists are read and searched in consecutive stretches, one per
// core up to four, each writing only its own results, so that the outcome is the same on any number of cores.

#include <QThread>
#include <algorithm>
#include <exception>
#include <memory>
#include <utility>
#include <vector>

namespace conciliacion::detalle {

// Runs trabajo(k) for every k in [0, cuantos): when `aparte`, each on a thread of its own but the first, which
// runs on the calling thread; else one after another on the calling thread.
template <typename Trabajo>
void EnHilos(qsizetype cuantos, bool aparte, Trabajo&& trabajo)
{
    if (!aparte) {
        for (qsizetype k = 0; k < cuantos; ++k)
            trabajo(k);
        return;
    }
    std::vector<std::unique_ptr<QThread>> otros;
    for (qsizetype k = 1; k < cuantos; ++k) {
        otros.emplace_back(QThread::create([&trabajo, k] { trabajo(k); }));
        otros.back()->start();
    }
    // The other threads are waited for even when the first stretch throws: a thread destroyed while it runs
    // ends the program.
    std::exception_ptr fallo;
    if (cuantos > 0) {
        try {
            trabajo(0);
        } catch (...) {
            fallo = std::current_exception();
        }
    }
    for (const std::unique_ptr<QThread>& hilo : otros)
        hilo->wait();
    if (fallo)
        std::rethrow_exception(fallo);
}

// How many stretches [0, n) is cut into (CantidadDeTramos), and where stretch k begins and ends (Tramo).
inline qsizetype CantidadDeTramos(qsizetype n)
{
    constexpr qsizetype kMinimoPorHilo = 1 << 15;   // below this a thread costs more than it saves
    return std::clamp<qsizetype>(n / kMinimoPorHilo, 1, std::min(4, QThread::idealThreadCount()));
}

inline std::pair<qsizetype, qsizetype> Tramo(qsizetype n, qsizetype tramos, qsizetype k)
{
    return {n * k / tramos, n * (k + 1) / tramos};
}

// Runs trabajo(tramo, desde, hasta) over the stretches of [0, n).
template <typename Trabajo>
void PorTramos(qsizetype n, Trabajo&& trabajo)
{
    const qsizetype tramos = CantidadDeTramos(n);
    EnHilos(tramos, true, [&](qsizetype k) {
        const auto [desde, hasta] = Tramo(n, tramos, k);
        trabajo(k, desde, hasta);
    });
}

} // namespace conciliacion::detalle
