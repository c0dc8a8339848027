#pragma once
// The progress window over the wait of a report, from the moment it is asked for until it shows: the stage it is
// in as the window's title ("Leyendo los movimientos", "Armando las páginas"...), how far it got as a
// percentage. Its cancel, a click or Escape, is the answer of the next advance: whoever was told then stops the
// report. Meanwhile it is modal, so that no other window takes a command in the middle of the report. The
// window closes when the wait is over or the report stops, whichever comes first.

#include "Reporte.h"

#include <QPointer>
#include <QWidget>

namespace suite {

class Progreso;

class EsperaReporte {
public:
    // Opens the window.
    explicit EsperaReporte(Progreso& progreso);
    // Closes it, when still open.
    ~EsperaReporte();
    EsperaReporte(const EsperaReporte&) = delete;
    EsperaReporte& operator=(const EsperaReporte&) = delete;

    // Tells the stage and how far it got; true when the operator asked to stop. Once the wait is over it shows
    // nothing and never stops.
    bool Avanzar(const QString& etapa, qint64 hechas, qint64 total);
    // The same, for whoever takes an AvanceReporte.
    AvanceReporte Avance();
    // The wait is over: the window closes.
    void Terminar();
    // The window the operator worked in when the report was asked for.
    QWidget* VentanaDelOperador() const { return m_ventana; }

private:
    Progreso* m_progreso;
    QPointer<QWidget> m_ventana;
    Qt::WindowModality m_modalidad;   // the window's own, given back when the wait is over
};

} // namespace suite
