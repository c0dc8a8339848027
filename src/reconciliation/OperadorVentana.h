#pragma once
// The workbench window as the operator of an engine step: questions and messages through the operator
// dialogs, the step's database work under one error-handling routine of the window's while the window takes
// no commands, the progress window of long writes and the red strip of a walk over a list.

#include "reconciliation/engine/Aviso.h"
#include "reconciliation/engine/OperadorPaso.h"
#include "platform/ui/Routine.h"

class FrmConcCuentas;

class OperadorVentana : public conciliacion::OperadorPaso {
public:
    // Failures of the step's work go to `manejador` under the routine name `rutina`; once one leaves the
    // routine, later work of the same step is not run.
    OperadorVentana(FrmConcCuentas& ventana, const QString& rutina, ui::ErrorHandler manejador = ui::askOperator());

    bool Confirmar(const conciliacion::Pregunta& pregunta) override;
    conciliacion::Intento Ejecutar(const std::function<void()>& trabajo) override;
    void IniciarProgreso(const QString& titulo) override;
    bool Avanzar(const QString& titulo, const QString& texto1, const QString& texto2) override;
    void TerminarProgreso() override;
    void ProgresoSinVuelta(const QString& titulo, const QString& texto) override;
    void AvanceRecorrido(qsizetype hechas, qsizetype total) override;

    // Asks a question a step returned; true for Yes.
    static bool Preguntar(const conciliacion::Pregunta& pregunta);
    // Shows a message a step returned.
    static void Mostrar(const conciliacion::Aviso& aviso);

private:
    FrmConcCuentas& m_ventana;
    ui::Routine m_rutina;
};
