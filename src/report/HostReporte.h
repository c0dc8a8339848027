#pragma once
// What the report writer needs of the window it writes for: the cancel request, the last report's
// arguments (so the window can repeat it), the busy display and the progress bar, and letting window events
// run, and the parts of a long report as they are complete. The dashboard implements it; the writer never knows a window. Tests use a fake that cancels on cue.

#include <QString>

namespace report {

class HostReporte {
public:
    virtual ~HostReporte() = default;

    // Cleared by the writer when a report starts; read by it once per record.
    virtual void setCancelado(bool valor) = 0;
    virtual bool Cancelado() const = 0;
    // The arguments of the report being written (the window's FCuenta, FTitulo and FEsHoja).
    virtual void setUltimoReporte(const QString& FCuenta, const QString& FTitulo, bool FEsHoja) = 0;
    // Busy picture and cancel button shown over the browser, account tree disabled. The writer never hides
    // them again: the window does when its browser has loaded the page.
    virtual void MostrarOcupado() = 0;
    // Percentage 0..100 of the records read, drawn on the busy picture.
    virtual void DibujarProgreso(double Porcentaje) = 0;
    // One pass of the window's event loop, so a click on the cancel button is seen.
    virtual void ProcesarEventos() = 0;
    // The window waits for the report's queries with its events running, so that it paints and its cancel
    // stops the engine's reading (LecturaDelListado.h). Without it a query holds the window until it returns.
    virtual bool EsperaLecturas() const { return false; }
    // A report written in parts: part `numero` (any but the last) is complete at `ruta`, while the writer
    // goes on with the next. The window may show the first part now.
    virtual void ParteTerminada(int numero, const QString& ruta)
    {
        Q_UNUSED(numero);
        Q_UNUSED(ruta);
    }
};

} // namespace report
