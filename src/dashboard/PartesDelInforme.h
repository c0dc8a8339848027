#pragma once
// What the dashboard and its popup know of the parts of the report on show: which of them can be shown while
// the writer is still at it, and why one cannot.

#include <QString>
#include <optional>

namespace tablero {

// A part of the report that cannot be shown now, and why.
struct ParteNoDisponible {
    int numero = 0;
    bool escribiendo = false;   // still being written (else never written: the report was cut short)
    QString Mensaje() const;
};

// The parts of the report a window shows, as far as its writer has finished them.
struct PartesDelInforme {
    QString archivo;            // the report's file: its first part
    bool escribiendo = false;   // the writer is at it
    int terminadas = 0;         // parts finished since it started
    bool primeraMostrada = false;   // the first part went on show while the rest was written

    void Comenzar(const QString& archivoInforme);
    // Part `numero` is whole. True for the first, which the window shows at once: the operator reads it while
    // the rest is written.
    bool Terminada(int numero);
    // The part of this report the address names, when it cannot be shown now (not yet finished, or not on
    // disk); nullopt for any other address.
    std::optional<ParteNoDisponible> Impedimento(const QString& URL) const;
};

} // namespace tablero
