#pragma once
// Shows a written file in a browser: full screen on, the file's address, theatre mode off; each step goes
// on past a failure of its own. And what the dashboard and its popup share about the report on show: which of
// its parts can be shown while the writer is at it, and the word to the operator when a page could not be
// shown.

#include <QString>
#include <functional>
#include <optional>

namespace web { class WebBrowser; }

namespace tablero {

void NavegarArchivo(web::WebBrowser& navegador, const QString& ruta);
// Lets the window's events run until the browser's load under way ends, `interrumpir` answers true, or ten
// seconds have passed. A writer waits so for its first part to be on show: between its own short passes of
// events the page view's load crawls.
void EsperarCarga(web::WebBrowser& navegador, const std::function<bool()>& interrumpir);

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

// The page process of a browser ended before its time: says so to the operator.
void AvisarInformeNoMostrado();

} // namespace tablero
